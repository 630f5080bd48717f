#include "python/NumpyScalars.h"

#define NPY_NO_DEPRECATED_API NPY_1_7_API_VERSION
#define PY_ARRAY_UNIQUE_SYMBOL korvane_numpy_api
#include <numpy/arrayobject.h>
#include <numpy/arrayscalars.h>

namespace korvane::python {

namespace {

template <typename Scalar, typename T>
py::object newScalar(PyTypeObject& type, T value)
{
    PyObject* scalar = type.tp_alloc(&type, 0);
    if (!scalar)
        throw py::error_already_set();
    reinterpret_cast<Scalar*>(scalar)->obval = value;
    return py::reinterpret_steal<py::object>(scalar);
}

PyObject* maskedArrayType = nullptr; // held for the life of the process

} // namespace

void loadNumpyScalars()
{
    if (_import_array() < 0)
        throw py::error_already_set();
    maskedArrayType = py::object(py::module_::import("numpy.ma").attr("MaskedArray")).release().ptr();
}

bool isMaskedArray(py::handle value)
{
    const int masked = PyObject_IsInstance(value.ptr(), maskedArrayType);
    if (masked < 0)
        throw py::error_already_set();
    return masked == 1;
}

py::object float32Scalar(float value)
{
    return newScalar<PyFloatScalarObject>(PyFloatArrType_Type, value);
}

py::object float64Scalar(double value)
{
    return newScalar<PyDoubleScalarObject>(PyDoubleArrType_Type, value);
}

bool isWholeNumberObject(py::handle value)
{
    return (PyLong_Check(value.ptr()) && !PyBool_Check(value.ptr())) || PyArray_IsScalar(value.ptr(), Integer);
}

} // namespace korvane::python
