#pragma once

#include "python/Broadcast.h"

#include <QString>

#include <cmath>
#include <optional>
#include <utility>

namespace korvane::python {

// The answer for one element, or the words of the failure.
template <typename T>
struct Outcome {
    std::optional<T> value;
    QString error;
};
using ElementOutcome = Outcome<float>; // a Single
using DoubleOutcome = Outcome<double>;

// Puts the reason why `value` is no Single into `error`, unless an earlier
// input of the element already put one there.
void reportNotSingle(double value, const char* name, QString* error);

// An input held as a Single, as tpp2m reads its numbers: a NaN is not a
// number, and a value beyond the Single range is out of range. No value, and
// the reason in `error`, when the input cannot be held.
inline std::optional<float> single(double value, const char* name, QString* error)
{
    const float held = static_cast<float>(value);
    if (std::isfinite(held)) [[likely]]
        return held;
    reportNotSingle(value, name, error);
    return std::nullopt;
}

// A Single as a NumPy float32 scalar.
inline py::object singleScalar(float value)
{
    return py::array_t<float>(std::vector<py::ssize_t>{}, &value)[py::tuple()];
}

// An input read as a Double: NaN and infinity are not numbers.
std::optional<double> finiteDouble(double value, const char* name, QString* error);

// The answer for every element of `inputs`, as an array of T of the
// broadcast shape (a NumPy scalar when every input is a number). `compute`
// returns an Outcome<T> and runs without the interpreter's lock, so other
// Python threads go on during a long call; it must not touch Python objects.
// The first failing element ends the call with ValueError, naming the
// element for an array.
template <typename T, std::size_t N, typename Compute>
py::object arrayResults(const Broadcast<N>& inputs, Compute&& compute)
{
    py::array_t<T> results(inputs.shape());
    T* out = results.mutable_data();
    py::ssize_t failedAt = -1;
    QString failure;
    {
        py::gil_scoped_release unlocked;
        for (py::ssize_t i = 0; i < inputs.size(); ++i) {
            const Outcome<T> outcome = compute(inputs.at(i));
            if (!outcome.value) {
                failedAt = i;
                failure = outcome.error;
                break;
            }
            out[i] = *outcome.value;
        }
    }
    if (failedAt >= 0) {
        std::string message = failure.toStdString();
        if (!inputs.allScalar())
            message += " (at index " + inputs.indexText(failedAt) + ")";
        throw py::value_error(message);
    }
    if (inputs.allScalar())
        return results[py::tuple()];
    return results;
}

// float32 answers: the quantities the calculator holds as Singles.
template <std::size_t N, typename Compute>
py::object singleResults(const Broadcast<N>& inputs, Compute&& compute)
{
    return arrayResults<float>(inputs, std::forward<Compute>(compute));
}

// float64 answers: the quantities computed in double precision.
template <std::size_t N, typename Compute>
py::object doubleResults(const Broadcast<N>& inputs, Compute&& compute)
{
    return arrayResults<double>(inputs, std::forward<Compute>(compute));
}

} // namespace korvane::python
