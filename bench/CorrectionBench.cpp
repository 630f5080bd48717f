#include "calc/ElasticCorrection.h"

#include <benchmark/benchmark.h>

#include <optional>

namespace {

// CF of one depth, 10 Å, by one approximation for one path (Å): the cost of
// one element of the Python module's arrays of CF.
void CorrectionFactor(benchmark::State& state, std::optional<float> (*correction)(float, float), float path)
{
    float depth = 10;
    for (auto _ : state) {
        benchmark::DoNotOptimize(depth);
        benchmark::DoNotOptimize(path);
        benchmark::DoNotOptimize(correction(depth, path));
    }
}
// SiO2 at 1486.6 eV: IMFP 39.64 Å for approximation 1, EffTrMFP 21.13 Å for approximation 2.
BENCHMARK_CAPTURE(CorrectionFactor, approx1, korvane::correctionFactorApprox1, 39.64f);
BENCHMARK_CAPTURE(CorrectionFactor, approx2, korvane::correctionFactorApprox2, 21.13f);

} // namespace
