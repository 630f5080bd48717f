#pragma once

#include "calc/AngleResolvedThickness.h"

#include <functional>

// The overlayer thickness with effective attenuation lengths in place of the
// IMFPs: L(d) of the overlayer at its own peak's energy and at the
// substrate's, known for every thickness d (from one simulation per energy),
// replace the IMFPs of the straight-line solution, which is solved again at
// the thickness it gives until the thickness stands still. At several angles
// each angle has its own L(d), and the least-squares fit over the angles is
// solved again in the same way.
namespace korvane {

struct AttenuationLengths {
    std::function<double(double)> overlayer; // L(d) at the overlayer energy, Å; NaN where unknown
    std::function<double(double)> crossing;  // L(d) at the substrate energy, Å
};

// Starts from the straight-line thickness of `start` (the IMFPs and the angle).
Result<double> attenuatedOverlayerThickness(const Overlayer& start, const AttenuationLengths& lengths, double ratio,
                                            double bulkRatio);

// Starts from the straight-line fit with the IMFPs `start` at every angle;
// `lengths` holds one pair of L(d) per entry of `measured`.
Result<AngleResolvedFit> attenuatedAngleResolvedThickness(const PathLengths& start,
                                                          std::span<const AttenuationLengths> lengths,
                                                          std::span<const AngleRatio> measured, double bulkRatio);

} // namespace korvane
