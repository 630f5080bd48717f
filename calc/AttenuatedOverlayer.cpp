#include "calc/AttenuatedOverlayer.h"

#include <cmath>
#include <utility>

namespace korvane {

namespace {

constexpr int kMostRounds = 200;
constexpr double kStill = 1e-9; // relative change of d that ends the rounds

} // namespace

Result<double> attenuatedOverlayerThickness(const Overlayer& start, const AttenuationLengths& lengths, double ratio,
                                            double bulkRatio)
{
    Result<double> d = overlayerThickness(start, ratio, bulkRatio);
    for (int round = 0; round < kMostRounds && d && *d > 0; ++round) {
        const Overlayer attenuated{lengths.overlayer(*d), lengths.crossing(*d), start.angle};
        if (!std::isfinite(attenuated.imfpOverlayer) || !std::isfinite(attenuated.imfpSubstrateInOverlayer))
            return Failed{"the attenuation length is not known at this thickness", ErrorCode::NoPhysicalValue};
        Result<double> next = overlayerThickness(attenuated, ratio, bulkRatio);
        if (!next)
            return next;
        const bool still = std::fabs(*next - *d) <= kStill * *d;
        d = std::move(next);
        if (still)
            return d;
    }
    if (d && *d > 0)
        return Failed{"the thickness does not settle with the attenuation lengths", ErrorCode::NoPhysicalValue};
    return d;
}

} // namespace korvane
