#include "python/ScalarArguments.h"

#include "python/Broadcast.h"
#include "python/NumpyScalars.h"

#include <cmath>
#include <limits>

namespace korvane::python {

double numberArgument(py::handle given, const char* name)
{
    double scalar = 0;
    const std::optional<DoubleArray> array = numbersOf(given, name, &scalar);
    if (!array)
        return scalar;
    if (array->ndim() != 0)
        throw py::value_error(std::string(name) + ": one number is needed, not an array");
    return *array->data();
}

std::uint64_t wholeNumberArgument(py::handle given, const char* name, const WholeNumberLimit& limit)
{
    constexpr std::int64_t kOutside = std::numeric_limits<std::int64_t>::min(); // below every limit
    std::int64_t value = kOutside;
    if (isWholeNumberObject(given)) {
        int overflow = 0;
        const py::object whole = py::reinterpret_steal<py::object>(PyNumber_Index(given.ptr()));
        if (!whole)
            throw py::error_already_set();
        value = PyLong_AsLongLongAndOverflow(whole.ptr(), &overflow);
        if (overflow != 0)
            value = overflow > 0 ? std::numeric_limits<std::int64_t>::max() : kOutside;
    } else if (const double number = numberArgument(given, name);
               std::floor(number) == number && std::fabs(number) < 0x1p63) {
        value = static_cast<std::int64_t>(number);
    }
    const Result<std::uint64_t> checked = checkWholeNumber(name, value, limit);
    if (!checked)
        throw py::value_error(checked.error());
    return *checked;
}

} // namespace korvane::python
