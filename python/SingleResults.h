#pragma once

#include "calc/VectorState.h"
#include "core/Result.h"
#include "python/Broadcast.h"
#include "python/NumpyScalars.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <type_traits>
#include <utility>

namespace korvane::python {

// What became of one element of a call, in NumPy's convention.
enum class Verdict : std::uint8_t {
    Value,      // a number
    NanIn,      // a NaN came in: NaN goes out, silently
    WrongInput, // input that is wrong as input: the call raises ValueError at once
    NoValue,    // valid input without a physical value: NaN and a RuntimeWarning
};

// One element's answer: its value, or NaN and why there is none. Only codes
// on the way, so a long call allocates nothing per element; the words come
// once, at the end, from the element that failed.
template <typename T>
struct Element {
    T value = std::numeric_limits<T>::quiet_NaN();
    Verdict verdict = Verdict::Value;
};

template <typename T>
Element<T> failed(Verdict verdict)
{
    return {std::numeric_limits<T>::quiet_NaN(), verdict};
}

// A computed value, or `otherwise` when there is none.
template <typename T>
Element<T> valueOr(const std::optional<T>& value, Verdict otherwise)
{
    return value ? Element<T>{*value, Verdict::Value} : failed<T>(otherwise);
}

// What a call does with valid inputs that have no value (errors="warn",
// the default, "raise" or "ignore").
enum class NoValuePolicy { Warn, Raise, Ignore };
NoValuePolicy noValuePolicy(const std::string& errors);

// Why `value`, the input `name`, is no Single: a NaN is not a number
// (InvalidInput), a value beyond the Single range is out of range (OutOfRange).
Failed notSingle(double value, const char* name);

// An input held as a Single, as tpp2m reads its numbers, or why it cannot be.
inline Result<float> single(double value, const char* name)
{
    const float held = static_cast<float>(value);
    if (std::isfinite(held)) [[likely]]
        return held;
    return notSingle(value, name);
}

// The first failure among the inputs of an element, read in their order;
// success when each was read.
template <typename... Read>
Result<void> allRead(const Read&... inputs)
{
    const Failed* first = nullptr;
    ((first = first || inputs ? first : &inputs.failure()), ...);
    if (first)
        return *first;
    return {};
}

// Whether a NaN came in among the inputs of an element.
template <std::size_t N>
bool anyNan(const std::array<double, N>& values)
{
    bool nan = false;
    for (const double v : values)
        nan = nan || std::isnan(v);
    return nan;
}

// An input read as a Double: NaN and infinity are not numbers (InvalidInput).
Result<double> finiteDouble(double value, const char* name);

// A NumPy float32 scalar, as the module answers Singles.
inline py::object singleScalar(float value)
{
    return float32Scalar(value);
}

// Where the elements of a call that gave no value lie.
struct Faults {
    py::ssize_t wrongAt = -1; // the first wrong input; the call ended there
    py::ssize_t firstNoValueAt = -1;
    py::ssize_t noValues = 0;

    void note(py::ssize_t at, Verdict verdict)
    {
        if (verdict == Verdict::WrongInput) {
            wrongAt = at;
        } else if (verdict == Verdict::NoValue) {
            if (noValues++ == 0)
                firstNoValueAt = at;
        }
    }
};

// Raises ValueError for a wrong input, and for valid inputs without a value
// under NoValuePolicy::Raise; warns of those under NoValuePolicy::Warn.
// `why` gives the words for the element at an index, `where` its index text
// (empty for a scalar call).
void reportFaults(const Faults& faults, py::ssize_t size, NoValuePolicy policy,
                  const std::function<std::string(py::ssize_t)>& why,
                  const std::function<std::string(py::ssize_t)>& where);

// How many elements run between two looks at the interpreter's signals:
// Ctrl+C ends a long call within a few milliseconds.
inline constexpr py::ssize_t kCheapElementsPerSignalCheck = 16384;
inline constexpr py::ssize_t kCostlyElementsPerSignalCheck = 8;

// The answer for every element of `inputs`, as an array of T of the
// broadcast shape (a NumPy scalar when every input is a number). `compute`
// gives an Element<T> and runs without the interpreter's lock, so other
// Python threads go on during a long call; it must not touch Python objects.
// `explain` gives the words for an element that failed, as a failed Result<T>.
template <typename T, std::size_t N, typename Compute, typename Explain>
py::object arrayResults(const Broadcast<N>& inputs, NoValuePolicy policy, Compute&& compute, Explain&& explain,
                        py::ssize_t elementsPerSignalCheck = kCheapElementsPerSignalCheck)
{
    Faults faults;
    const auto why = [&](py::ssize_t at) { return explain(inputs.at(at)).error(); };
    if (inputs.allScalar()) {
        const Element<T> element = compute(inputs.at(0));
        faults.note(0, element.verdict);
        reportFaults(faults, 1, policy, why, [](py::ssize_t) { return std::string(); });
        if constexpr (std::is_same_v<T, float>)
            return float32Scalar(element.value);
        else
            return float64Scalar(element.value);
    }
    py::array_t<T> results(inputs.shape());
    T* out = results.mutable_data();
    for (py::ssize_t start = 0; start < inputs.size() && faults.wrongAt < 0; start += elementsPerSignalCheck) {
        const py::ssize_t end = std::min(inputs.size(), start + elementsPerSignalCheck);
        {
            py::gil_scoped_release unlocked;
            // NumPy and the interpreter may leave the upper halves of the
            // AVX registers in use, which slows every Double operation after.
            clearUpperVectorState();
            for (py::ssize_t i = start; i < end; ++i) {
                const Element<T> element = compute(inputs.at(i));
                out[i] = element.value;
                if (element.verdict > Verdict::NanIn) [[unlikely]] {
                    faults.note(i, element.verdict);
                    if (element.verdict == Verdict::WrongInput)
                        break;
                }
            }
        }
        if (PyErr_CheckSignals() != 0)
            throw py::error_already_set();
    }
    reportFaults(faults, inputs.size(), policy, why, [&](py::ssize_t at) { return inputs.indexText(at); });
    return results;
}

} // namespace korvane::python
