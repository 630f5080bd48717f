#pragma once

#include "calc/OverlayerThickness.h"

#include <span>
#include <vector>

// The one overlayer thickness that fits intensity ratios measured at several
// emission angles in the straight-line model: the least-squares minimum over
// the angles of (ln q(d, θ_i) − ln(R_i / R∞))², with q of OverlayerThickness.
namespace korvane {

struct AngleRatio {
    double angle = 0; // degrees from the surface normal
    double ratio = 0; // the measured R = I_o / I_s at that angle
};

struct AngleResolvedFit {
    double thickness = 0;          // Å
    std::vector<double> predicted; // R of the fitted thickness at each angle
    double residual = 0;           // root mean square of the differences of ln R over the angles
};

// The lengths that attenuate the two signals at one angle, Å: the
// overlayer's at its own peak's energy and at the substrate's (the IMFPs,
// or the attenuation lengths of that angle).
struct PathLengths {
    double overlayer = 0;
    double crossing = 0;
};

// The IMFPs of the overlayer at its own peak's energy and at the substrate's;
// one angle gives the exact solution of overlayerThickness.
Result<AngleResolvedFit> angleResolvedThickness(double imfpOverlayer, double imfpSubstrateInOverlayer,
                                                std::span<const AngleRatio> measured, double bulkRatio);

// Each angle with its own lengths, one pair per entry of `measured`.
Result<AngleResolvedFit> angleResolvedThickness(std::span<const PathLengths> lengths,
                                                std::span<const AngleRatio> measured, double bulkRatio);

} // namespace korvane
