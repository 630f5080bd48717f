#pragma once

#include "calc/SimulatedDepth.h"
#include "calc/TrajectorySimulation.h"

#include <span>
#include <vector>

// The no-loss signal of each layer of a planar stack over a substrate by
// reversed trajectories, as simulateTrajectories follows them in one
// material. The path to the next elastic collision is drawn in elastic
// optical depth and spent at each layer's own rate: a path that reaches an
// interface goes on in the next layer with the rest of its optical depth.
// The no-loss weight is exp(-Σ s_k/λ_k) over the pieces s_k travelled in each
// layer, and the layer where a collision happens gives the deflection. The
// weighted track length in each layer, times cos(angle) / W(psi) as
// simulate normalises φ, is that layer's ∫φ dz; batches, streams and
// threads are simulate's, so a seed gives the same numbers on any threads.
namespace korvane {

struct StackLayer {
    ScatteringMedium medium; // IMFP, elastic MFP (infinite: none) and the deflections
    double thickness = std::numeric_limits<double>::infinity(); // Å; the substrate's is infinite
};

// Whether the stack can be simulated.
Result<void> checkStackInputs(std::span<const StackLayer> layers, const SimulationSettings& settings);

// ∫φ dz over each layer (Å) with its standard error, the substrate last.
// Fails when cancelled or when a working thread failed.
Result<std::vector<Estimate>> simulateStack(std::span<const StackLayer> layers, const SimulationSettings& settings);

} // namespace korvane
