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

// The profile of gold at 1000 eV every 0.0005 IMFP (some 20 000 depths), its
// rows from the simulation's scores: phi, CF and the attenuation length at
// each depth, in rows per second.
void ProfileRowsGold1000eV(benchmark::State& state)
{
    const FormulaScattering au = formulaScattering({{79, 1}}, 1000);
    const ElasticAngleSampler sampler(au.angles, au.dcs);
    const double imfp = *korvane::imfp(ImfpForm::NonRelativistic, {19.3f, 11, 196.97f, 0, 1000}).length;
    const ScatteringMedium medium{imfp, meanFreePath(19.3, 196.97, au.elastic),
                                  meanFreePath(19.3, 196.97, au.transport), &sampler};
    const SimulatedDepth depth(*simulateTrajectories(medium, {.electrons = 20'000, .step = 0.0005}));
    for (auto _ : state)
        benchmark::DoNotOptimize(depth.profile());
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(depth.profileLength()));
    state.counters["rows"] = static_cast<double>(depth.profileLength());
}
BENCHMARK(ProfileRowsGold1000eV)->Unit(benchmark::kMillisecond);

} // namespace
