#pragma once

#include <pybind11/pybind11.h>

// NumPy scalars made directly through NumPy's C API: a scalar call answers
// without building and indexing a 0-d array.
namespace korvane::python {

namespace py = pybind11;

// Loads NumPy's C API; called once, when the module is imported.
void loadNumpyScalars();

// A Single as a NumPy float32, a Double as a NumPy float64.
py::object float32Scalar(float value);
py::object float64Scalar(double value);

} // namespace korvane::python
