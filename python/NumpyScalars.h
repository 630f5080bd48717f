#pragma once

#include <pybind11/pybind11.h>

// NumPy scalars made directly through NumPy's C API: a scalar call answers
// without building and indexing a 0-d array.
namespace korvane::python {

namespace py = pybind11;

// Loads NumPy's C API and the type of masked arrays; called once, when the
// module is imported.
void loadNumpyScalars();

// A Single as a NumPy float32, a Double as a NumPy float64.
py::object float32Scalar(float value);
py::object float64Scalar(double value);

// A masked array of numpy.ma, whose mask an array of numbers would lose.
bool isMaskedArray(py::handle value);

// A Python int or a NumPy integer, and not a boolean of either.
bool isWholeNumberObject(py::handle value);

} // namespace korvane::python
