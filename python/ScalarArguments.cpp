#include "python/ScalarArguments.h"

#include "python/Broadcast.h"
#include "python/NumpyScalars.h"

#include <algorithm>
#include <charconv>

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

std::string numberText(py::handle given, const char* name)
{
    char text[32];
    const std::to_chars_result written = std::to_chars(text, text + sizeof text, numberArgument(given, name));
    return std::string(text, written.ptr);
}

std::string wholeNumberText(py::handle given, const char* name)
{
    if (!isWholeNumberObject(given))
        return numberText(given, name);
    const py::object whole = py::reinterpret_steal<py::object>(PyNumber_Index(given.ptr()));
    if (!whole)
        throw py::error_already_set();
    return py::str(whole).cast<std::string>();
}

std::string argumentSpelling(std::string_view name)
{
    if (name == "layer")
        return "layers";
    // A name or an ID is the material argument.
    if (name == "name" || name == "id")
        return "material";
    std::string spelt(name);
    std::replace(spelt.begin(), spelt.end(), '-', '_');
    return spelt;
}

Request requestOf(const NamedTexts& inputs, const RequestUse& use)
{
    // The last request read, by its inputs: a loop of calls with the same
    // arguments (the array calls' scalar form) reads them once. The reader
    // depends on nothing else, and the interpreter's lock guards the cache.
    static NamedTexts lastInputs;
    static RequestUse lastUse;
    static std::optional<Request> lastRequest;
    if (lastRequest && inputs == lastInputs && use == lastUse)
        return *lastRequest;
    Result<Request> request = readRequest(inputs, use, argumentSpelling);
    if (!request)
        throw py::value_error(request.error());
    lastInputs = inputs;
    lastUse = use;
    lastRequest = *request;
    return std::move(*request);
}

} // namespace korvane::python
