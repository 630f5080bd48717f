#include "ui/tools/curve/CurveEnergies.h"

#include <cmath>

namespace korvane::ui {

std::vector<float> curveEnergies(double from, double to, bool logSpaced)
{
    std::vector<float> energies;
    energies.reserve(kCurvePoints);
    const double last = kCurvePoints - 1;
    for (int i = 0; i < kCurvePoints - 1; ++i) {
        const double share = i / last;
        energies.push_back(
            static_cast<float>(logSpaced ? from * std::pow(to / from, share) : from + (to - from) * share));
    }
    energies.push_back(static_cast<float>(to));
    return energies;
}

} // namespace korvane::ui
