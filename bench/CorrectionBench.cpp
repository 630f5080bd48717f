#include "calc/ElasticCorrection.h"

#include <benchmark/benchmark.h>

namespace {

// CF of one depth by approximation 1 (SiO2 at 1486.6 eV: IMFP 39.64 Å) and by
// approximation 2 (EffTrMFP 21.13 Å), the cost of one element of the Python
// module's arrays of them.
void CorrectionFactorApprox1(benchmark::State& state)
{
    float depth = 10, imfp = 39.64f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(depth);
        benchmark::DoNotOptimize(imfp);
        benchmark::DoNotOptimize(korvane::correctionFactorApprox1(depth, imfp));
    }
}
BENCHMARK(CorrectionFactorApprox1);

void CorrectionFactorApprox2(benchmark::State& state)
{
    float depth = 10, path = 21.13f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(depth);
        benchmark::DoNotOptimize(path);
        benchmark::DoNotOptimize(korvane::correctionFactorApprox2(depth, path));
    }
}
BENCHMARK(CorrectionFactorApprox2);

} // namespace
