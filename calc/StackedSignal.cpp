#include "calc/StackedSignal.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace korvane {

std::vector<double> straightLineSignals(std::span<const double> imfps, std::span<const double> thicknesses,
                                        double angleDegrees)
{
    if (imfps.size() != thicknesses.size() + 1)
        throw std::invalid_argument("a stack needs one IMFP per layer and one for the substrate");
    const double cosine = std::cos(angleDegrees * std::numbers::pi / 180);
    std::vector<double> signals(imfps.size());
    // The fraction of the signal that crosses the layers above.
    double transmitted = 1;
    for (std::size_t k = 0; k < thicknesses.size(); ++k) {
        const double path = imfps[k] * cosine;
        const double kept = std::exp(-thicknesses[k] / path);
        signals[k] = path * (1 - kept) * transmitted;
        transmitted *= kept;
    }
    signals.back() = imfps.back() * cosine * transmitted;
    return signals;
}

} // namespace korvane
