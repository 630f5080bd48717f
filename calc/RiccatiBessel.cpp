#include "calc/RiccatiBessel.h"

#include <cmath>
#include <cstdlib>

namespace korvane {

RiccatiBessel riccatiBessel(double x, int lmax)
{
    const std::size_t n = static_cast<std::size_t>(lmax) + 1;
    RiccatiBessel f{std::vector<double>(n), std::vector<double>(n)};

    // The irregular function grows with l: upward recurrence is stable.
    f.irregular[0] = -std::cos(x);
    if (lmax >= 1)
        f.irregular[1] = -std::cos(x) / x - std::sin(x);
    for (std::size_t l = 1; l + 1 < n; ++l)
        f.irregular[l + 1] = (2.0 * l + 1) / x * f.irregular[l] - f.irregular[l - 1];

    // The regular function falls steeply once l passes x, so it is the
    // minimal solution: recur downward from far above (Miller's method),
    // rescaling against overflow, and normalise with jhat_0 or jhat_1.
    const int top = std::max(lmax, static_cast<int>(x)) + 20
        + static_cast<int>(std::sqrt(40.0 * std::max(lmax, static_cast<int>(x)) + 40));
    double above = 0, current = 1e-300;
    for (int l = top; l > 0; --l) {
        const double below = (2.0 * l + 1) / x * current - above;
        above = current;
        current = below;
        if (l - 1 < static_cast<int>(n))
            f.regular[static_cast<std::size_t>(l - 1)] = current;
        if (std::fabs(current) > 1e250) {
            above *= 1e-250;
            current *= 1e-250;
            for (std::size_t k = static_cast<std::size_t>(l - 1); k < n; ++k)
                f.regular[k] *= 1e-250;
        }
    }
    // current = jhat_0, above = jhat_1 (unnormalised)
    const double sin0 = std::sin(x), jhat1 = std::sin(x) / x - std::cos(x);
    const double scale = std::fabs(sin0) > std::fabs(jhat1) ? sin0 / current : jhat1 / above;
    for (double& v : f.regular)
        v *= scale;
    return f;
}

} // namespace korvane
