#include "calc/ImfpCalculator.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

korvane::ImfpInputs silica()
{
    return {2.65f, 16, 60.08f, 9.1f, 1000};
}

void ImfpNonRelativistic(benchmark::State& state)
{
    korvane::ImfpInputs in = silica();
    for (auto _ : state) {
        benchmark::DoNotOptimize(in);
        benchmark::DoNotOptimize(korvane::imfpNonRelativistic(in));
    }
}
BENCHMARK(ImfpNonRelativistic);

void ImfpRelativistic(benchmark::State& state)
{
    korvane::ImfpInputs in = silica();
    for (auto _ : state) {
        benchmark::DoNotOptimize(in);
        benchmark::DoNotOptimize(korvane::imfpRelativistic(in));
    }
}
BENCHMARK(ImfpRelativistic);

// The arithmetic an evaluation cannot avoid: one log, the three square
// roots and the power rho^0.1. The ratio to the benches above is the cost of
// the Single rounding and the failure checks.
void BareArithmetic(benchmark::State& state)
{
    korvane::ImfpInputs in = silica();
    for (auto _ : state) {
        benchmark::DoNotOptimize(in);
        const double rho = in.density;
        double r = std::sqrt(rho * in.valenceElectrons / in.mass);
        r += std::sqrt(r * r + double(in.bandGap) * in.bandGap);
        r += std::sqrt(rho);
        r += std::pow(rho, 0.1);
        r += std::log(in.energy * r);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BareArithmetic);

} // namespace
