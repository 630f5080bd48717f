#pragma once

// The no-loss signal of each layer of a planar stack over a substrate by the
// straight-line model: electrons leave along straight lines at an angle to
// the surface normal and are lost at each layer's own inelastic rate.

#include <span>
#include <vector>

namespace korvane {

// The signal (Å) of layers 1..n from the surface and of the substrate (the
// last entry): imfps holds n + 1 IMFPs (Å), the substrate's last; thicknesses
// holds the n layers' thicknesses (Å); the angle is in degrees below 90.
// signal_k = λ_k cos θ (1 − exp(−t_k/(λ_k cos θ))) Π_{j<k} exp(−t_j/(λ_j cos θ)),
// the substrate's bracket being 1. The sum is the signal of the whole sample.
std::vector<double> straightLineSignals(std::span<const double> imfps, std::span<const double> thicknesses,
                                        double angleDegrees);

} // namespace korvane
