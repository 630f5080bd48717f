#include "calc/ElasticScattering.h"
#include "calc/ImfpCalculator.h"
#include "calc/SimulatedDepth.h"

#include <benchmark/benchmark.h>

namespace {

using namespace korvane;

// A million trajectories in gold at 1000 eV, where electrons are turned most
// often before they leave, on every core; the elastic table is made once.
void SimulateMillionElectronsGold1000eV(benchmark::State& state)
{
    const FormulaScattering au = formulaScattering({{79, 1}}, 1000);
    const ElasticAngleSampler sampler(au.angles, au.dcs);
    const double imfp = *korvane::imfp(ImfpForm::NonRelativistic, {19.3f, 11, 196.97f, 0, 1000}).length;
    const ScatteringMedium medium{imfp, meanFreePath(19.3, 196.97, au.elastic),
                                  meanFreePath(19.3, 196.97, au.transport), &sampler};
    const SimulationSettings settings{.angle = static_cast<double>(state.range(0)),
                                      .electrons = static_cast<std::uint64_t>(state.range(1))};
    for (auto _ : state) {
        const SimulatedDepth depth(*simulateTrajectories(medium, settings));
        benchmark::DoNotOptimize(depth.informationDepth(0.95));
    }
    state.SetItemsProcessed(state.iterations() * state.range(1));
}
BENCHMARK(SimulateMillionElectronsGold1000eV)
    ->Args({0, 1'000'000})
    ->Args({60, 1'000'000})
    ->Args({0, 100'000})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

} // namespace
