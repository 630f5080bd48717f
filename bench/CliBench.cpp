#include "cli/Tpp2m.h"
#include "support/TestMaterials.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
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

constexpr int kLargeRows = 300'000;

// The fixture's materials and 300 000 more, "N0" to "N299999", written in
// one transaction.
const korvane::test::FixtureDatabase& largeDatabase()
{
    static const korvane::test::FixtureDatabase database([] {
        std::vector<korvane::Material> rows = korvane::test::fixtureMaterials();
        for (int i = 0; i < kLargeRows; ++i) {
            rows.push_back(korvane::test::material(1000 + i, "", 2.5f, 40.0f + float(i % 97), 1.5f, {}, {}, {}, 16));
            rows.back().name = QStringLiteral("N%1").arg(i);
        }
        return rows;
    }());
    return database;
}

// One material by name from a 300 000-row database, as a whole process:
// starting tpp2m, opening and checking the file, finding the row, one IMFP.
// The time is the process's from start to exit; "cpu" its own CPU time.
void Tpp2mOneMaterialOf300000(benchmark::State& state)
{
    const QByteArray folder = largeDatabase().folder().toLocal8Bit();
    char program[] = TPP2M_PATH;
    char command[] = "imfp";
    char name[] = "N249999";
    char option[] = "--energy";
    char energy[] = "1000";
    char* argv[] = {program, command, name, option, energy, nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.constData());
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    double cpu = 0;
    for (auto _ : state) {
        const auto started = std::chrono::steady_clock::now();
        pid_t child = 0;
        int status = 0;
        rusage usage{};
        if (posix_spawn(&child, program, &actions, nullptr, argv, environ) != 0
            || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("tpp2m failed");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
        cpu += double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
            + 1e-6 * double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
    }
    posix_spawn_file_actions_destroy(&actions);
    state.counters["cpu_s"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
}
BENCHMARK(Tpp2mOneMaterialOf300000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

} // namespace
