#pragma once

#include "calc/CounterRandom.h"
#include "calc/TrajectorySimulation.h"
#include "core/Result.h"

#include <cstdint>
#include <functional>

// The batches of a trajectory simulation and the threads that run them.
// Electron i of settings.electrons belongs to batch i * kSimulationBatches / n
// and draws from its own stream (seed, i), so whichever thread follows it the
// numbers are the same bit for bit. Threads take whole batches in turn; each
// batch's scores belong to that batch alone, so no two threads write the same
// scores.
namespace korvane {

// The electrons of batch `batch` out of `electrons`.
std::uint64_t electronsOfBatch(std::uint64_t electrons, int batch);

// Follows every electron of every batch on settings.threads threads (0: every
// core), calling follow(batch, random) once an electron with that electron's
// stream, and settings.progress after each batch. Fails when settings.cancel
// is set, or with why when follow threw (out of memory: OutOfRange); every
// thread has ended when it returns.
Result<void> runSimulationBatches(const SimulationSettings& settings,
                                  const std::function<void(int batch, CounterRandom& random)>& follow);

} // namespace korvane
