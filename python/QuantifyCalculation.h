#pragma once

#include <pybind11/pybind11.h>

// korvane.quantify: the atomic fractions of a sample from its peak areas, as
// tpp2m quantify gives them.
namespace korvane::python {

namespace py = pybind11;

// Adds quantify to the module, with its docstring.
void addQuantify(py::module_& module);

} // namespace korvane::python
