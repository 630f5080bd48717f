#pragma once

#include "query/RequestReader.h"

#include <pybind11/pybind11.h>

#include <string>

// The arguments of a call that takes one number each (simulate, dcs), read
// as the array calls read their numbers: a boolean, a text or None is no
// number, and ValueError names the argument. The texts go to the request's
// reader (query/RequestReader), which judges them as it judges tpp2m's.
namespace korvane::python {

namespace py = pybind11;

// A Python or NumPy number, or an array of one element of 0 dimensions.
double numberArgument(py::handle given, const char* name);

// The number as a text that reads back as the same Double.
std::string numberText(py::handle given, const char* name);

// A whole number (an int or a NumPy integer) in all its digits, so that the
// reader judges it exactly; any other number as numberText gives it.
std::string wholeNumberText(py::handle given, const char* name);

// How the module names the reader's inputs: as its arguments ("source-angle"
// is source_angle, "layer" is layers, a name or an ID is material).
std::string argumentSpelling(std::string_view name);

// The request of these inputs, judged for `use`; ValueError with the
// reader's words, the inputs named as the arguments.
Request requestOf(const NamedTexts& inputs, const RequestUse& use);

} // namespace korvane::python
