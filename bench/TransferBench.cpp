#include "materials/exchange/MaterialExport.h"
#include "materials/exchange/MaterialImport.h"
#include "support/TestMaterials.h"

#include <QFile>

#include <cstdlib>

#include <benchmark/benchmark.h>

namespace {

using namespace korvane;

constexpr int kRows = 100000;

// A database with the fixture's rows and 100 000 more users' materials, and
// the export of its users' materials as CSV.
struct LargeExport {
    LargeExport()
    {
        std::vector<Material> rows = test::fixtureMaterials();
        for (int i = 0; i < kRows; ++i)
            rows.push_back(test::material(1000 + i, "M", 2.5f, 40.0f + float(i % 97), 1.5f, std::nullopt, std::nullopt,
                                          std::nullopt, 16));
        for (int i = 0; i < kRows; ++i)
            rows[rows.size() - kRows + size_t(i)].name = QStringLiteral("M%1").arg(i);
        source = std::make_unique<test::FixtureDatabase>(rows);
        csv = source->folder() + QStringLiteral("/large.csv");
        std::FILE* out = std::fopen(QFile::encodeName(csv).constData(), "w");
        if (!exportMaterials(source->path(), false, ExchangeFormat::Csv, out))
            std::abort(); // the benchmarks below would measure nothing
        std::fclose(out);
    }
    std::unique_ptr<test::FixtureDatabase> source;
    QString csv;
};

// Reading and checking 100 000 rows and writing them in one transaction,
// with full synchronisation, into a database that holds only the elements.
void Import100000Rows(benchmark::State& state)
{
    static const LargeExport large;
    std::vector<Material> elements = test::fixtureMaterials();
    elements.resize(3);
    for (auto _ : state) {
        state.PauseTiming();
        test::FixtureDatabase target(elements);
        state.ResumeTiming();
        const Result<MaterialFile> file = readMaterialFile(large.csv);
        const Result<ImportResult> result = file ? importMaterials(target.path(), *file, false) : file.failure();
        if (!result || !result->badRows.isEmpty())
            state.SkipWithError("the import failed");
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(Import100000Rows)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same rows out again as CSV.
void Export100000RowsAsCsv(benchmark::State& state)
{
    static const LargeExport large;
    std::FILE* sink = std::fopen("/dev/null", "w");
    for (auto _ : state) {
        if (!exportMaterials(large.source->path(), false, ExchangeFormat::Csv, sink))
            state.SkipWithError("the export failed");
    }
    std::fclose(sink);
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(Export100000RowsAsCsv)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
