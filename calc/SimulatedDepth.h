#pragma once

#include "calc/TrajectorySimulation.h"

#include <functional>

// What the scores of a trajectory simulation say about the depth of the
// signal, each with its standard error from the spread of the batches. The
// depth distribution phi(z) is normalised so that without elastic scattering
// it is exp(-z / (imfp cos(angle))); totals, the mean escape depth, the
// information depth and the attenuation length come from the track lengths
// themselves (summed exactly at the bin boundaries), not from the profile.
namespace korvane {

struct Estimate {
    double value = 0;
    double error = 0; // one standard error; NaN when a batch has no value
};

class SimulatedDepth {
public:
    explicit SimulatedDepth(SimulationScores scores);

    double albedo() const { return scores_.albedo; }
    double step() const { return scores_.binWidth; } // Å between profile depths

    // The whole signal, phi integrated over all depths (Å); imfp cos(angle)
    // without elastic scattering.
    Estimate total() const;
    // MED: the mean depth of the signal (Å).
    Estimate meanEscapeDepth() const;
    // ID(P): the depth above which the fraction P of the signal arises (Å).
    Estimate informationDepth(double probability) const;
    // L(d) = d / (cos(angle) ln(Int_0^inf phi / Int_d^inf phi)) for an overlayer
    // of thickness d > 0 (Å); NaN at d = 0.
    Estimate attenuationLength(double thickness) const;

    // The profile at depth i * step, i >= 1: phi (the mean over the step
    // around the depth, corrected by the straight-line curvature
    // sinh(a) / a, a = step / (2 imfp cos(angle))) and CF = phi exp(z / (imfp cos(angle))).
    Estimate phi(std::size_t i) const;
    Estimate correctionFactor(std::size_t i) const;
    // How many depths, from the first step, before phi falls below 1e-4 of
    // its value at the surface.
    std::size_t profileLength() const;

private:
    Estimate estimate(const std::function<double(const BatchScores&)>& quantity) const;
    double phiOf(const BatchScores& s, std::size_t i) const;
    double tailAt(const BatchScores& s, double depth) const;

    SimulationScores scores_;
    BatchScores pooled_;
};

} // namespace korvane
