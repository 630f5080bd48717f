#pragma once

#include <cmath>

namespace korvane {

// The root of the increasing function `f` within [low, high], by Newton's
// method from `start` with the slope `slope`; a step that would leave the
// bracket halves it instead. It ends when a step moves the root by at most
// `relative` of it, or when the bracket is narrower than a tenth of that.
template <typename Function, typename Slope>
double bracketedNewton(const Function& f, const Slope& slope, double low, double high, double start, double relative)
{
    double x = start;
    for (int step = 0; step < 200; ++step) {
        const double value = f(x);
        if (value == 0)
            break;
        (value < 0 ? low : high) = x;
        double next = x - value / slope(x);
        if (!(next > low && next < high))
            next = 0.5 * (low + high);
        const bool settled = std::abs(next - x) <= relative * x;
        x = next;
        if (settled || high - low <= 0.1 * relative * high)
            break;
    }
    return x;
}

} // namespace korvane
