#include "python/Broadcast.h"

#include "python/NumpyScalars.h"

#include <limits>

namespace korvane::python {

namespace {

[[noreturn]] void refuse(const char* name, const std::string& what)
{
    throw py::value_error(std::string(name) + ": " + what);
}

} // namespace

std::optional<DoubleArray> numbersOf(py::handle input, const char* name, double* scalar)
{
    // The fast path of a scalar call: a Python float or int needs no array.
    if (PyFloat_CheckExact(input.ptr())) {
        *scalar = PyFloat_AS_DOUBLE(input.ptr());
        return std::nullopt;
    }
    if (PyLong_CheckExact(input.ptr())) {
        *scalar = PyLong_AsDouble(input.ptr());
        if (*scalar == -1.0 && PyErr_Occurred()) {
            // Beyond the Double range: out of range, as any such number.
            PyErr_Clear();
            *scalar = std::numeric_limits<double>::infinity();
        }
        return std::nullopt;
    }
    if (isMaskedArray(input))
        refuse(name,
               "a masked array is not read, its mask would be lost; fill it first, for example with "
               ".filled(numpy.nan)");
    const py::array given = py::array::ensure(input);
    // Integers and floating-point numbers only: NumPy would read a boolean
    // as 0 or 1 and a date as a count of days, None as NaN.
    if (!given || std::string("iuf").find(given.dtype().kind()) == std::string::npos) {
        if (!given || given.ndim() == 0)
            refuse(name, "\"" + py::str(input).cast<std::string>() + "\" is not a number");
        refuse(name, py::str(given.dtype()).cast<std::string>() + " values are not numbers");
    }
    return DoubleArray::ensure(given);
}

} // namespace korvane::python
