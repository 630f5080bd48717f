#pragma once

// Takes: a depth and the IMFP (approximation 1) or the effective transport
// mean free path (approximation 2), in Å; or a density, a mass, the transport
// cross-section S and the IMFP for the transport paths.
// Gives: CF, TrMFP and EffTrMFP as Singles, or the words for why there is
// none ("no correction factor for this depth and path", ...). The depths of
// the signal and the thickness come from calc/ as they are, with its words.

#include "calc/ElasticCorrection.h"
#include "core/Result.h"

#include <optional>
#include <string>

namespace korvane {

// Why a transport path cannot be formed, as tpp2m and the Python module say it.
inline constexpr const char* kNoTransportPath = "TrMFP cannot be formed from this density, mass and cross-section";
inline constexpr const char* kNoEffectiveTransportPath = "EffTrMFP cannot be formed from this TrMFP and IMFP";

// CF by approximation 1 at depth z (Å) with the IMFP (Å).
Result<float> correctionFactor1(float depth, float imfp);

// CF by approximation 2 at depth z (Å) with the EffTrMFP (Å).
Result<float> correctionFactor2(float depth, float effTrMfp);

// TrMFP and EffTrMFP of a material. TrMFP keeps its value when only the
// effective path cannot be formed; a density or mass missing from the
// database says so ("no density in the database").
struct FormedPaths {
    std::optional<float> trMfp;
    Result<float> effTrMfp;
};
FormedPaths transportPaths(std::optional<float> density, std::optional<float> mass, double crossSection, float imfp);

// The note beside depths at `angle` degrees from the surface normal, beyond
// calc/SignalDepth.h's kMaxCorrectedAngle: only the straight-line model is given.
std::string uncorrectedAngleNote(double angle);

} // namespace korvane
