#pragma once

#include "core/Result.h"

// How deep the signal comes from. The depth distribution of the signal is
// phi(z) = CF(z) * exp(-z / (IMFP cos(angle))) for depths z >= 0, where CF is
// the elastic-scattering correction of one of three models. From it follow the
// fraction of the signal from the top layer, the information depth and the
// mean escape depth. Double precision throughout; each function returns no
// value but the reason when its input is not usable (InvalidInput) or the
// result does not fit a Single (OutOfRange).
namespace korvane {

enum class DepthCorrection {
    None,    // CF = 1: straight-line paths
    Approx1, // the knots of approximation 1, at z / IMFP
    Approx2, // the formula of approximation 2, at z / EffTrMFP
};

// The corrections hold only for emission up to this angle from the normal.
inline constexpr double kMaxCorrectedAngle = 30.0; // degrees

struct DepthModel {
    DepthCorrection correction = DepthCorrection::None;
    double imfp = 0;     // Å
    double angle = 0;    // degrees from the surface normal, 0 <= angle < 90
    double effTrMfp = 0; // Å, used by approximation 2 only
};

// A computed depth, fraction or ratio, refused when it is too large for a
// Single, as every shown value must fit one.
Result<double> heldResult(double value);

// Whether an angle (degrees from the surface normal) can be used: at least 0
// and below 90.
Result<void> checkAngle(double angle);

// Whether a probability P can be used: above 0 and below 1.
Result<void> checkProbability(double probability);

// Whether the model can be used.
Result<void> checkDepthModel(const DepthModel& model);

// phi(z) of a usable model, not normalised; 0 above the surface (z < 0).
double depthDistribution(const DepthModel& model, double depth);

// The whole signal: phi integrated over all depths (Å), to normalise phi.
Result<double> wholeSignal(const DepthModel& model);

// F(d): the fraction of the signal that comes from depths 0 to d (Å).
Result<double> signalFraction(const DepthModel& model, double thickness);

// ID(P): the depth (Å) above which the fraction P of the signal arises, 0 < P < 1.
Result<double> informationDepth(const DepthModel& model, double probability);

// MED: the mean depth (Å) the signal comes from.
Result<double> meanEscapeDepth(const DepthModel& model);

} // namespace korvane
