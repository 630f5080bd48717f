#pragma once

#include "python/SingleResults.h"

#include <pybind11/pybind11.h>

namespace korvane::python {

namespace py = pybind11;

// The transport cross-section S (a0^2, float64) at each energy (eV) of an
// element symbol, a chemical formula, or a material of the database by name
// or ID, as tpp2m transport computes it.
py::object transportCrossSection(py::handle materialOrFormula, py::handle energy, py::handle database,
                                 NoValuePolicy policy);

} // namespace korvane::python
