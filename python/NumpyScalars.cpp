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

} // namespace

void loadNumpyScalars()
{
    if (_import_array() < 0)
        throw py::error_already_set();
}

py::object float32Scalar(float value)
{
    return newScalar<PyFloatScalarObject>(PyFloatArrType_Type, value);
}

py::object float64Scalar(double value)
{
    return newScalar<PyDoubleScalarObject>(PyDoubleArrType_Type, value);
}

} // namespace korvane::python
