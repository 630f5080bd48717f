#pragma once

#include "query/RunSize.h"

#include <pybind11/pybind11.h>

#include <cstdint>

// The arguments of a call that takes one number each (simulate, dcs), read
// as the array calls read their numbers: a boolean, a text or None is no
// number, and ValueError names the argument.
namespace korvane::python {

namespace py = pybind11;

// A Python or NumPy number, or an array of one element of 0 dimensions.
double numberArgument(py::handle given, const char* name);

// A whole number within its limit: an int or a NumPy integer, or a number
// with no fraction; "electrons must be a whole number from 1000 to ...".
std::uint64_t wholeNumberArgument(py::handle given, const char* name, const WholeNumberLimit& limit);

} // namespace korvane::python
