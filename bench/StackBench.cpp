#include "calc/StackedSignal.h"

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
