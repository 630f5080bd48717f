#pragma once

#include "calc/ElasticDeflection.h"
#include "calc/MagicAngle.h"
#include "core/Result.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

// The depth distribution of the no-loss signal by following electron
// trajectories in a semi-infinite solid (surface z = 0, depth z > 0).
// Trajectories are followed reversed: each starts at the surface heading
// into the solid against the analyser's direction, flies exponential free
// paths between elastic collisions (mean elasticMfp), and is deflected there
// by the sampler's polar angle and a uniform azimuth. Inelastic collisions are
// not drawn: every path carries the weight exp(-s / imfp) of having none over
// its length s so far, and its track length, so weighted, is scored in depth
// (at every depth, the expected track length of the reversed electron is the
// signal the analyser sees from there). Paths whose weight has fallen below
// 1 % play Russian roulette, which ends them without bias at no fixed depth.
//
// With dipole emission each path segment is weighted by W of the emission
// direction, the opposite of its direction of travel.
//
// The track is scored in depth bins of the profile's step, down to a fixed
// depth (kScoredDepth IMFPs, where the no-loss weight of any path has fallen
// below 1e-12); deeper track counts only in the totals. The bins are never
// more than kMostProfileDepths, whatever the angle and the step: a step too
// fine for that is widened (checkProfileStep tells a profile's caller before
// the run), so the memory stays bounded.
//
// Electrons are split into a fixed number of batches; electron i draws from
// its own stream (calc/CounterRandom.h) and batches are summed in order, so a
// seed gives the same numbers bit for bit whatever the number of threads.
// The spread of the batches gives the standard errors.
namespace korvane {

struct ScatteringMedium {
    double imfp = 0;                                               // inelastic mean free path, Å
    double elasticMfp = std::numeric_limits<double>::infinity();   // Å; infinite: no elastic scattering
    double transportMfp = std::numeric_limits<double>::infinity(); // Å, for the albedo
    const ElasticAngleSampler* angles = nullptr;                   // needed when elasticMfp is finite
};

// Emission of the signal: isotropic (asymmetry 0), or the dipole distribution
// of photoemission by unpolarised X-rays, W = 1 - (beta/4)(3 cos^2 gamma - 1).
struct Emission {
    double asymmetry = 0;      // beta, -1 to 2
    double sourceAngle = kMagicAngle; // psi, degrees between the X-ray source and the analyser axis
};

inline constexpr int kSimulationBatches = 50;
inline constexpr double kScoredDepth = 28; // IMFPs: the depth bins reach this deep
inline constexpr std::size_t kMostProfileDepths = 1'000'000;

struct SimulationSettings {
    double angle = 0; // analyser axis from the surface normal, degrees, 0 <= angle < 90
    Emission emission;
    std::uint64_t electrons = 1'000'000;
    std::uint64_t seed = 1;
    unsigned threads = 0; // 0: every core
    double step = 0.02;   // depth step of the profile, as a fraction of imfp cos(angle);
                          // widened where it would give more than kMostProfileDepths depths
    const std::atomic<bool>* cancel = nullptr;
    // Called with the fraction done after each batch, from the working threads
    // one at a time.
    std::function<void(double)> progress;
};

// Whether the settings and the medium can be simulated.
Result<void> checkSimulationInputs(const ScatteringMedium& medium, const SimulationSettings& settings);

// Whether a profile at this step and angle can be given: refused when it
// would have more than kMostProfileDepths depths down to kScoredDepth IMFPs.
// The angle and step must be usable.
Result<void> checkProfileStep(double angle, double step);

// W(gamma) for the cosine of gamma.
double dipoleWeight(double asymmetry, double cosGamma);

// A note when the dipole weight towards the analyser, by which phi and CF are
// divided, is near where it vanishes; empty otherwise.
std::string dipoleWeightNote(const Emission& emission);

// The scores of one batch, per electron of the batch summed.
struct BatchScores {
    std::uint64_t electrons = 0;
    double total = 0;         // weighted track length
    double depthMoment = 0;   // the same times depth
    std::vector<double> bins; // by depth: bin 0 is [0, h/2), bin i >= 1 is [(i - 1/2) h, (i + 1/2) h)
};

struct SimulationScores {
    double binWidth = 0;      // h, Å: the step, or wider when the step is too fine
    std::size_t binCount = 0; // the bins reach kScoredDepth IMFPs
    double normalisation = 0; // scores per electron times this give phi: cos(angle) / W(psi)
    double cosine = 1;        // cos(angle)
    double imfpCosine = 0;    // imfp cos(angle), Å
    double albedo = 0;        // imfp / (imfp + transportMfp)
    std::vector<BatchScores> batches;
};

inline constexpr char kSimulationOutOfMemory[] = "the simulation ran out of memory";

// Follows settings.electrons trajectories; the input must be usable. Fails
// when cancelled, or with why when any working thread failed (out of memory:
// OutOfRange); every thread has ended when it returns.
Result<SimulationScores> simulateTrajectories(const ScatteringMedium& medium, const SimulationSettings& settings);

} // namespace korvane
