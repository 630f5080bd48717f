#pragma once

#include <pybind11/pybind11.h>

namespace korvane::python {

namespace py = pybind11;

// (binding energy, kinetic energy) in eV, as float32, of the photoelectrons
// of a core level ("Cu 2p3/2") excited by an X-ray source (its key, "AlKa")
// or by photons of a given energy (eV), as tpp2m --line finds them.
py::tuple lineEnergy(const std::string& line, py::handle source, py::handle photonEnergy);

} // namespace korvane::python
