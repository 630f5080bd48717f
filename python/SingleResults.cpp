#include "python/SingleResults.h"

#include <charconv>
#include <cmath>

namespace korvane::python {

namespace {

// The shortest text that reads back as the same Double, as Python writes it.
QString numberText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("nan");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return QString::fromLatin1(text, end - text);
}

} // namespace

Failed notSingle(double value, const char* name)
{
    const bool nan = std::isnan(value);
    return Failed{QStringLiteral("%1: %2 is %3")
                      .arg(QLatin1String(name), numberText(value),
                           nan ? QStringLiteral("not a number") : QStringLiteral("out of range"))
                      .toStdString(),
                  nan ? ErrorCode::InvalidInput : ErrorCode::OutOfRange};
}

Result<double> finiteDouble(double value, const char* name)
{
    if (std::isfinite(value))
        return value;
    return Failed{QStringLiteral("%1: %2 is not a number").arg(QLatin1String(name), numberText(value)).toStdString(),
                  ErrorCode::InvalidInput};
}

NoValuePolicy noValuePolicy(const std::string& errors)
{
    if (errors == "warn")
        return NoValuePolicy::Warn;
    if (errors == "raise")
        return NoValuePolicy::Raise;
    if (errors == "ignore")
        return NoValuePolicy::Ignore;
    throw py::value_error("unknown errors=\"" + errors + "\" (choose from warn, raise, ignore)");
}

void reportFaults(const Faults& faults, py::ssize_t size, NoValuePolicy policy,
                  const std::function<std::string(py::ssize_t)>& why,
                  const std::function<std::string(py::ssize_t)>& where)
{
    const auto atIndex = [&](py::ssize_t at) {
        const std::string index = where(at);
        return index.empty() ? std::string() : " (at index " + index + ")";
    };
    if (faults.wrongAt >= 0)
        throw py::value_error(why(faults.wrongAt) + atIndex(faults.wrongAt));
    if (faults.noValues == 0 || policy == NoValuePolicy::Ignore)
        return;
    const std::string reason = why(faults.firstNoValueAt);
    if (policy == NoValuePolicy::Raise)
        throw py::value_error(reason + atIndex(faults.firstNoValueAt));
    const std::string index = where(faults.firstNoValueAt);
    const std::string warning = index.empty() ? reason + ": the result is NaN"
                                              : reason + ": " + std::to_string(faults.noValues) + " of "
            + std::to_string(size) + " elements are NaN, the first at index " + index;
    if (PyErr_WarnEx(PyExc_RuntimeWarning, warning.c_str(), 1) != 0)
        throw py::error_already_set();
}

} // namespace korvane::python
