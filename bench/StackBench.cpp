#include "calc/ElasticScattering.h"
#include "calc/ImfpCalculator.h"
#include "calc/StackedSignal.h"
#include "calc/StackedTrajectories.h"

#include <benchmark/benchmark.h>

namespace {

using namespace korvane;

// The straight-line signals of a 10-layer stack over a substrate at 100
// angles from 0° to 89.1°: what an angle-resolved table of a stack asks.
void StraightLineTenLayersHundredAngles(benchmark::State& state)
{
    std::vector<double> imfps, thicknesses;
    for (int k = 0; k < 10; ++k) {
        imfps.push_back(15 + 2 * k);
        thicknesses.push_back(1 + 0.5 * k);
    }
    imfps.push_back(30);
    for (auto _ : state)
        for (int a = 0; a < 100; ++a)
            benchmark::DoNotOptimize(straightLineSignals(imfps, thicknesses, 0.891 * a));
}
BENCHMARK(StraightLineTenLayersHundredAngles)->Unit(benchmark::kMicrosecond);

} // namespace

namespace {

// A medium of a formula at 1000 eV, its elastic table kept with it.
struct Medium {
    FormulaScattering elastic;
    ElasticAngleSampler sampler;
    ScatteringMedium medium;

    Medium(std::vector<FormulaAtom> atoms, float density, float mass, float nv, float gap)
        : elastic(formulaScattering(atoms, 1000)), sampler(elastic.angles, elastic.dcs),
          medium{*korvane::imfp(ImfpForm::NonRelativistic, {density, nv, mass, gap, 1000}).length,
                 meanFreePath(density, mass, elastic.elastic), meanFreePath(density, mass, elastic.transport),
                 &sampler}
    {
    }
};

// Au 5 Å and SiO2 10 Å on Si at 1000 eV, to run beside
// SimulateMillionElectronsGold1000eV/0/1000000 (simulate in Au alone).
void StackMillionElectronsAuSiO2OnSi1000eV(benchmark::State& state)
{
    const Medium gold({{79, 1}}, 19.3f, 196.97f, 11, 0), silica({{14, 1}, {8, 2}}, 2.65f, 60.08f, 16, 9.1f),
        silicon({{14, 1}}, 2.33f, 28.085f, 4, 1.12f);
    const std::vector<StackLayer> layers = {{gold.medium, 5}, {silica.medium, 10}, {silicon.medium}};
    const SimulationSettings settings{.electrons = static_cast<std::uint64_t>(state.range(0))};
    for (auto _ : state)
        benchmark::DoNotOptimize(simulateStack(layers, settings));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(StackMillionElectronsAuSiO2OnSi1000eV)
    ->Arg(1'000'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

} // namespace
