#pragma once

#include <array>
#include <cstddef>
#include <optional>

// Correction factor CF for elastic electron scattering: the ratio of the
// effective attenuation length to the inelastic mean free path, as a
// function of the depth of the emitting atom. Two approximations are offered:
//  1. a tabulated curve in the reduced depth z / IMFP, linearly interpolated;
//  2. an analytic fit in the reduced depth z / effective transport mean free
//     path, which in turn follows from the elastic transport cross-section.
// Every function returns no result (nullopt) when the arithmetic fails.
namespace korvane {

// Why tpp2m and the Python module give no CF for a depth.
inline constexpr const char* kNoCorrectionFactorNote = "no correction factor for this depth and path";

// CF by approximation 1 for depth z (Å) and IMFP lambda (Å); nullopt on failure.
std::optional<float> correctionFactorApprox1(float depth, float imfp);

// The knots of approximation 1: reduced depths x = z / IMFP and CF there.
// Between knots CF is linear; past the last knot it stays at the last value.
inline constexpr std::size_t kApprox1KnotCount = 30;
const std::array<double, kApprox1KnotCount>& approx1ReducedDepths();
const std::array<double, kApprox1KnotCount>& approx1Factors();

struct TransportPaths {
    std::optional<float> trMfp;    // transport mean free path (Å)
    std::optional<float> effTrMfp; // effective transport mean free path (Å)
};

// density rho (g/cm3), mass A (g/mol), cross-section sigma in units of a0^2
// (a Double), imfp (Å). When the effective path alone cannot be formed,
// trMfp keeps its value and effTrMfp is nullopt.
TransportPaths transportMeanFreePaths(float density, float mass, double crossSection, float imfp);

// The effective transport mean free path (Å) of a transport path and an
// IMFP (Å), combined like parallel resistances; nullopt on failure.
std::optional<float> effectiveTransportMeanFreePath(float trMfp, float imfp);

// CF by approximation 2 for depth z (Å) and effective transport mean free
// path (Å); nullopt on failure.
std::optional<float> correctionFactorApprox2(float depth, float effTrMfp);

} // namespace korvane
