#include "query/ValueWithError.h"

#include "core/NumberText.h"

#include <cmath>

namespace korvane::shown {

namespace {

// The power of ten of the error's last shown digit.
int lastDigitPower(double error)
{
    int power = static_cast<int>(std::floor(std::log10(error)));
    // The first two digits as a whole number from 10 to 100.
    double leading = std::round(error / std::pow(10.0, power - 1));
    if (leading >= 100) {
        ++power;
        leading = 10;
    }
    // Two digits from 10 to 29, one from 3 up (0.96 rounds to "1.0").
    return leading < 30 ? power - 1 : power;
}

// `value` rounded to a multiple of 10^power, with the decimals that shows.
std::string atPower(double value, int power)
{
    if (power >= 0)
        return numbers::fixed(std::round(value / std::pow(10.0, power)) * std::pow(10.0, power), 0);
    return numbers::fixed(value, -power);
}

} // namespace

std::string valueWithError(double value, double error)
{
    if (!(error > 0) || !std::isfinite(error))
        return numbers::shortest15(value) + " \u00B1 " + numbers::shortest15(error);
    const int power = lastDigitPower(error);
    return atPower(value, power) + " \u00B1 " + atPower(error, power);
}

} // namespace korvane::shown
