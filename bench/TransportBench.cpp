#include "calc/TransportCrossSection.h"
#include "calc/TransportTable.h"

#include <benchmark/benchmark.h>

namespace {

// One transport cross-section on demand, by Dirac partial waves: the cost
// grows with the energy (more waves, more steps per wave); the heaviest
// and the lightest atoms at the top of the range are the slowest cases.
void AtomTransportCrossSection(benchmark::State& state)
{
    const int z = static_cast<int>(state.range(0));
    const double energy = static_cast<double>(state.range(1));
    for (auto _ : state)
        benchmark::DoNotOptimize(korvane::atomTransportCrossSection(z, energy));
}
BENCHMARK(AtomTransportCrossSection)
    ->Args({6, 100})
    ->Args({6, 1000})
    ->Args({79, 1000})
    ->Args({6, 10000})
    ->Args({79, 10000})
    ->Args({1, 30000})
    ->Args({79, 30000})
    ->Args({103, 30000})
    ->Unit(benchmark::kMillisecond);

// What the window and tpp2m do: a log-log lookup in the shipped table.
void ShippedTableLookup(benchmark::State& state)
{
    const korvane::TransportTable& table = korvane::shippedTransportTable();
    double energy = 1486.6;
    for (auto _ : state) {
        benchmark::DoNotOptimize(energy);
        benchmark::DoNotOptimize(table.crossSection(79, energy));
    }
}
BENCHMARK(ShippedTableLookup);

} // namespace
