#include "calc/AttenuatedOverlayer.h"

#include <cmath>

namespace korvane {

namespace {

constexpr int kMostRounds = 200;
constexpr double kStill = 1e-9; // relative change of d that ends the rounds

} // namespace

DepthValue attenuatedOverlayerThickness(const Overlayer& start, const AttenuationLengths& lengths, double ratio,
                                        double bulkRatio)
{
    DepthValue d = overlayerThickness(start, ratio, bulkRatio);
    for (int round = 0; round < kMostRounds && d.value && *d.value > 0; ++round) {
        const Overlayer attenuated{lengths.overlayer(*d.value), lengths.crossing(*d.value), start.angle};
        if (!std::isfinite(attenuated.imfpOverlayer) || !std::isfinite(attenuated.imfpSubstrateInOverlayer))
            return {std::nullopt, "the attenuation length is not known at this thickness"};
        const DepthValue next = overlayerThickness(attenuated, ratio, bulkRatio);
        if (!next.value)
            return next;
        const bool still = std::fabs(*next.value - *d.value) <= kStill * *d.value;
        d = next;
        if (still)
            return d;
    }
    if (d.value && *d.value > 0)
        return {std::nullopt, "the thickness does not settle with the attenuation lengths"};
    return d;
}

} // namespace korvane
