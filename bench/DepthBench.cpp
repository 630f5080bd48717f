#include "calc/OverlayerThickness.h"
#include "calc/SignalDepth.h"

#include <benchmark/benchmark.h>

namespace {

using namespace korvane;

// The depth window recomputes ID and MED for all three models at each
// keystroke; approximation 2, by quadrature, is the costly one.
void InformationDepth(benchmark::State& state)
{
    const DepthModel model{DepthCorrection(state.range(0)), 29.12, 20.0, 21.13};
    for (auto _ : state)
        benchmark::DoNotOptimize(informationDepth(model, 0.95));
}
BENCHMARK(InformationDepth)->ArgName("model")->DenseRange(0, 2);

void MeanEscapeDepth(benchmark::State& state)
{
    const DepthModel model{DepthCorrection(state.range(0)), 29.12, 20.0, 21.13};
    for (auto _ : state)
        benchmark::DoNotOptimize(meanEscapeDepth(model));
}
BENCHMARK(MeanEscapeDepth)->ArgName("model")->DenseRange(0, 2);

void OverlayerThicknessTwoEnergies(benchmark::State& state)
{
    const Overlayer layer{37.44, 37.53, 0.0};
    for (auto _ : state)
        benchmark::DoNotOptimize(overlayerThickness(layer, 0.8, 0.9));
}
BENCHMARK(OverlayerThicknessTwoEnergies);

} // namespace
