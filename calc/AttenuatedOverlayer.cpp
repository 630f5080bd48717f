#include "calc/AttenuatedOverlayer.h"

#include <cmath>
#include <utility>

namespace korvane {

namespace {

constexpr int kMostRounds = 200;
constexpr double kStill = 1e-9; // relative change of d that ends the rounds

double thicknessOf(double d)
{
    return d;
}

double thicknessOf(const AngleResolvedFit& fit)
{
    return fit.thickness;
}

// Solves again with the lengths at the thickness of the last solution,
// `solveAt(d)`, until the thickness stands still.
template <typename Solution, typename SolveAt>
Result<Solution> settle(Result<Solution> solution, SolveAt solveAt)
{
    for (int round = 0; round < kMostRounds && solution && thicknessOf(*solution) > 0; ++round) {
        const double d = thicknessOf(*solution);
        Result<Solution> next = solveAt(d);
        if (!next)
            return next;
        const bool still = std::fabs(thicknessOf(*next) - d) <= kStill * d;
        solution = std::move(next);
        if (still)
            return solution;
    }
    if (solution && thicknessOf(*solution) > 0)
        return Failed{"the thickness does not settle with the attenuation lengths", ErrorCode::NoPhysicalValue};
    return solution;
}

Result<PathLengths> lengthsAt(const AttenuationLengths& lengths, double d)
{
    const PathLengths at{lengths.overlayer(d), lengths.crossing(d)};
    if (!std::isfinite(at.overlayer) || !std::isfinite(at.crossing))
        return Failed{"the attenuation length is not known at this thickness", ErrorCode::NoPhysicalValue};
    return at;
}

} // namespace

Result<double> attenuatedOverlayerThickness(const Overlayer& start, const AttenuationLengths& lengths, double ratio,
                                            double bulkRatio)
{
    return settle(overlayerThickness(start, ratio, bulkRatio), [&](double d) -> Result<double> {
        const Result<PathLengths> at = lengthsAt(lengths, d);
        if (!at)
            return at.failure();
        return overlayerThickness({at->overlayer, at->crossing, start.angle}, ratio, bulkRatio);
    });
}

Result<AngleResolvedFit> attenuatedAngleResolvedThickness(const PathLengths& start,
                                                          std::span<const AttenuationLengths> lengths,
                                                          std::span<const AngleRatio> measured, double bulkRatio)
{
    const std::vector<PathLengths> straight(measured.size(), start);
    return settle(angleResolvedThickness(straight, measured, bulkRatio), [&](double d) -> Result<AngleResolvedFit> {
        std::vector<PathLengths> atAngles;
        for (const AttenuationLengths& perAngle : lengths) {
            const Result<PathLengths> at = lengthsAt(perAngle, d);
            if (!at)
                return at.failure();
            atAngles.push_back(*at);
        }
        return angleResolvedThickness(atAngles, measured, bulkRatio);
    });
}

} // namespace korvane
