#pragma once

#include "calc/TrajectorySimulation.h"

#include <functional>
#include <string>
#include <vector>

// What the scores of a trajectory simulation say about the depth of the
// signal, each with its standard error from the spread of the batches. The
// depth distribution phi(z) is normalised so that without elastic scattering
// it is exp(-z / (imfp cos(angle))); totals, the mean escape depth, the
// information depth and the attenuation length come from the track lengths
// themselves (summed exactly at the bin boundaries), not from the profile.
// The track below each bin boundary is summed once, when it is made, so each
// value at a depth takes the same few steps however deep the profile.
namespace korvane {

struct Estimate {
    double value = 0;
    double error = 0; // one standard error; NaN when a batch has no value
};

// One depth of the profile.
struct ProfileDepth {
    double depth = 0; // Å
    Estimate phi;
    Estimate correctionFactor;
    double attenuationLength = 0; // Å
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
    // Whether informationDepth(probability) has both its value and its
    // standard error; else why not.
    Result<void> checkInformationDepth(double probability) const;
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
    std::size_t profileLength() const { return profileLength_; }
    // The depths 1 to profileLength(), with phi, CF and the attenuation length.
    std::vector<ProfileDepth> profile() const;

private:
    // The scores of one batch (or of all): the track below each bin boundary.
    struct Tails {
        std::uint64_t electrons = 0;
        double total = 0;
        double depthMoment = 0;
        // below[k]: the track below the upper boundary of bin k (0 for
        // bin 0), so bin k holds below[k] - below[k + 1]; below[count] is
        // the track below the last bin.
        std::vector<double> below;
    };
    static Tails tailsOf(BatchScores scores, std::size_t count);

    Estimate estimate(const std::function<double(const Tails&)>& quantity) const;
    double phiOf(const Tails& s, std::size_t i) const;
    double tailAt(const Tails& s, double depth) const;
    double informationDepthOf(const Tails& s, double probability) const;

    SimulationScores scores_; // without the bins, which are in batches_
    std::vector<Tails> batches_;
    Tails pooled_;
    std::size_t profileLength_ = 0;
};

} // namespace korvane
