#pragma once

#include <cfloat>
#include <cmath>
#include <stdexcept>

// Arithmetic that fails where the formulas must fail. C++ floating point
// silently yields inf or NaN; the calculator instead reports division by
// zero, the square root or fractional power of a negative number, the log of
// a non-positive number, and results too large for a Double or a Single.
namespace korvane::checked {

class ArithmeticError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A Double result must be finite: inf is an overflow, NaN an invalid operation.
inline double finite(double x)
{
    if (std::isnan(x))
        throw ArithmeticError("invalid operation");
    if (std::isinf(x))
        throw ArithmeticError("overflow");
    return x;
}

inline double div(double a, double b)
{
    if (b == 0.0)
        throw ArithmeticError(a == 0.0 ? "invalid operation" : "division by zero");
    return finite(a / b);
}

inline double sqrt(double x)
{
    if (x < 0.0)
        throw ArithmeticError("square root of a negative number");
    return std::sqrt(x);
}

inline double log(double x)
{
    if (x <= 0.0)
        throw ArithmeticError("logarithm of a non-positive number");
    return std::log(x);
}

inline double exp(double x)
{
    return finite(std::exp(x));
}

inline double pow(double base, double exponent)
{
    if (base < 0.0 && exponent != std::trunc(exponent))
        throw ArithmeticError("fractional power of a negative number");
    if (base == 0.0 && exponent < 0.0)
        throw ArithmeticError("division by zero");
    return finite(std::pow(base, exponent));
}

// The square of a value that is a Single: exact in Double, so it equals the
// Double power with exponent 2 and costs one multiplication.
inline double squareOfSingle(float x)
{
    const double d = x;
    return d * d;
}

// Holds a Double result as a Single: rounds to float, failing when the
// rounded value no longer fits.
inline float single(double x)
{
    finite(x);
    const float held = static_cast<float>(x);
    if (std::isinf(held))
        throw ArithmeticError("overflow");
    return held;
}

} // namespace korvane::checked
