#pragma once

#include "calc/SignalDepth.h"

// The thickness of an overlayer O on a substrate S from the ratio of their
// peak intensities, in the straight-line model. Overlayer electrons (energy
// E_o) are attenuated inside O with the IMFP of O at E_o; substrate electrons
// (energy E_s) cross all of O with the IMFP of O at E_s. With q = R / Rinf,
// the measured ratio over the ratio of the two bulk intensities,
//   q = (1 - exp(-d / (IMFP_oo cos(angle)))) / exp(-d / (IMFP_os cos(angle))).
namespace korvane {

struct Overlayer {
    double imfpOverlayer = 0;            // IMFP of O at E_o, Å
    double imfpSubstrateInOverlayer = 0; // IMFP of O at E_s, Å
    double angle = 0;                    // degrees from the surface normal, 0 <= angle < 90
};

// Whether the ratio R and the bulk ratio Rinf can be used: each above 0
// (InvalidInput), and R / Rinf within the Doubles (OutOfRange).
Result<void> checkRatios(double ratio, double bulkRatio);

// Whether the overlayer can be used.
Result<void> checkOverlayer(const Overlayer& overlayer);

// The one thickness d >= 0 (Å) that gives the measured ratio R = I_o / I_s,
// with the bulk ratio Rinf = I_o,inf / I_s,inf.
Result<double> overlayerThickness(const Overlayer& overlayer, double ratio, double bulkRatio);

// The ratio R that a thickness d (Å) gives, with the bulk ratio Rinf.
Result<double> overlayerRatio(const Overlayer& overlayer, double thickness, double bulkRatio);

} // namespace korvane
