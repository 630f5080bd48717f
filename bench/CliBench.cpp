#include "cli/Tpp2m.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

// tpp2m from its arguments to the last CSV line: a million energies for one
// material, each IMFP computed and written with its full Single value. The
// material is given by its values, so the figure holds no database work.
void Tpp2mMillionEnergiesAsCsv(benchmark::State& state)
{
    const QStringList arguments = QStringLiteral("imfp --density 2.65 --mass 60.08 --gap 9.1 --nv 16 "
                                                 "--range 1:1000000:1 --csv")
                                      .split(u' ');
    std::FILE* sink = std::fopen("/dev/null", "w");
    for (auto _ : state) {
        if (korvane::cli::runTpp2m(arguments, sink, sink) != 0)
            state.SkipWithError("tpp2m failed");
    }
    std::fclose(sink);
    state.SetItemsProcessed(state.iterations() * 1'000'000);
}
BENCHMARK(Tpp2mMillionEnergiesAsCsv)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

} // namespace
