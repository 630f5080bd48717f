#include "calc/ImfpCalculator.h"
#include "cli/Tpp2m.h"
#include "support/TestMaterials.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <array>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

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

// What a whole tpp2m process took: from its start to its exit, and its own
// CPU time; no value when it failed.
struct ProcessTimes {
    double wall = 0;
    double cpu = 0;
};

std::optional<ProcessTimes> runTpp2mProcess(std::vector<std::string> arguments, const QString& folder)
{
    arguments.insert(arguments.begin(), TPP2M_PATH);
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, QFile::encodeName(folder).constData());
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto started = std::chrono::steady_clock::now();
    pid_t child = 0;
    int status = 0;
    rusage usage{};
    const bool ran = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0
        && wait4(child, &status, 0, &usage) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    posix_spawn_file_actions_destroy(&actions);
    if (!ran)
        return std::nullopt;
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + 1e-6 * double(t.tv_usec); };
    return ProcessTimes{wall, seconds(usage.ru_utime) + seconds(usage.ru_stime)};
}

// One material by name from a 300 000-row database, as a whole process:
// starting tpp2m, opening and checking the file, finding the row, one IMFP.
// The time is the process's from start to exit; "cpu_s" its own CPU time.
void Tpp2mOneMaterialOf300000(benchmark::State& state)
{
    double cpu = 0;
    for (auto _ : state) {
        const std::optional<ProcessTimes> run =
            runTpp2mProcess({"imfp", "N249999", "--energy", "1000"}, largeDatabase().folder());
        if (!run) {
            state.SkipWithError("tpp2m failed");
            break;
        }
        state.SetIterationTime(run->wall);
        cpu += run->cpu;
    }
    state.counters["cpu_s"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
}
BENCHMARK(Tpp2mOneMaterialOf300000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

constexpr int kMillion = 1'000'000;

// Appends the shortest text that reads back as the same Single, without an exponent.
void appendSingle(std::string& out, float value)
{
    std::array<char, 64> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    out.append(buffer.data(), written.ptr);
}

// The bound for tpp2m's batch output: a million IMFPs of SiO2 computed and
// the same CSV text formatted into memory, the numbers by std::to_chars. The
// memory is kept from one call to the next, as tpp2m keeps its buffer.
const std::string& millionImfpsAsCsv()
{
    static std::string csv;
    csv = "material,id,energy_eV,form,imfp_A,error\n";
    for (int e = 1; e <= kMillion; ++e) {
        const float energy = float(e);
        const korvane::ImfpResult result = korvane::imfpNonRelativistic({2.65f, 16, 60.08f, 9.1f, energy});
        csv += "(inline),,";
        appendSingle(csv, energy);
        csv += ",non-relativistic,";
        if (result.length)
            appendSingle(csv, *result.length);
        csv += ",\n";
    }
    return csv;
}

// tpp2m imfp ... --csv for a million energies as a whole process, written to
// /dev/null, against its bound computed in the same run; the ratios compare
// CPU times (the machine may be shared) and wall times. The bound's text is
// first checked to be tpp2m's, byte for byte.
void Tpp2mMillionImfpsAsCsvAgainstTheBound(benchmark::State& state)
{
    const std::vector<std::string> arguments = {"imfp", "--density", "2.65", "--mass",  "60.08",       "--gap",
                                                "9.1",  "--nv",      "16",   "--range", "1:1000000:1", "--csv"};
    {
        QStringList line;
        for (const std::string& argument : arguments)
            line << QString::fromStdString(argument);
        std::FILE* file = std::tmpfile();
        std::FILE* sink = std::fopen("/dev/null", "w");
        korvane::cli::runTpp2m(line, file, sink);
        std::fclose(sink);
        std::string text(size_t(std::ftell(file)), '\0');
        std::rewind(file);
        const bool same = std::fread(text.data(), 1, text.size(), file) == text.size() && text == millionImfpsAsCsv();
        std::fclose(file);
        if (!same) {
            state.SkipWithError("the bound does not write tpp2m's text");
            return;
        }
    }
    const QTemporaryDir folder;
    double boundCpu = 0, boundWall = 0, processCpu = 0, processWall = 0;
    for (auto _ : state) {
        const std::clock_t cpuStarted = std::clock();
        const auto started = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(millionImfpsAsCsv().data());
        boundWall += std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        boundCpu += double(std::clock() - cpuStarted) / CLOCKS_PER_SEC;
        const std::optional<ProcessTimes> run = runTpp2mProcess(arguments, folder.path());
        if (!run) {
            state.SkipWithError("tpp2m failed");
            break;
        }
        state.SetIterationTime(run->wall);
        processCpu += run->cpu;
        processWall += run->wall;
    }
    state.counters["bound_cpu_s"] = benchmark::Counter(boundCpu, benchmark::Counter::kAvgIterations);
    state.counters["tpp2m_cpu_s"] = benchmark::Counter(processCpu, benchmark::Counter::kAvgIterations);
    state.counters["cpu_ratio"] = processCpu / boundCpu;
    state.counters["wall_ratio"] = processWall / boundWall;
}
BENCHMARK(Tpp2mMillionImfpsAsCsvAgainstTheBound)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

} // namespace
