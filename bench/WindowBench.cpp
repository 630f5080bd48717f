#include "materials/store/MaterialDatabase.h"
#include "materials/store/MaterialSchema.h"
#include "materials/store/Sqlite.h"
#include "materials/store/MaterialTableCheck.h"
#include "materials/model/NamePattern.h"
#include "materials/store/ShippedMaterials.h"
#include "ui/mainwindow/Form1.h"

#include <QItemSelectionModel>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace korvane;

// A database file in a temporary folder, made once per table size.
QString databaseWith(int rows)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("table-%1.db").arg(rows));
    if (QFileInfo::exists(path))
        return path;
    std::vector<Material> materials = *readShippedMaterials(shippedMaterialsText());
    const Material compound = materials.back();
    for (int id = materials.back().id + 1; int(materials.size()) < rows; ++id) {
        Material m = compound;
        m.id = id;
        m.name = QStringLiteral("C%1H%2").arg(id % 97).arg(id);
        materials.push_back(m);
    }
    (void)createMaterialDatabase(path, materials);
    return path;
}

// From opening the database to the window showing the first IMFP.
void StartUp(benchmark::State& state)
{
    const QString path = databaseWith(int(state.range(0)));
    for (auto _ : state) {
        OpenedDatabase database = openMaterialDatabase(path);
        ui::Form1 window(**database);
        window.show();
        benchmark::DoNotOptimize(window.storedImfp());
    }
    state.counters["materials"] = double(state.range(0));
}
BENCHMARK(StartUp)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);

// A click on another row of the name list with its whole chain of
// recalculations: the reset before the move, the bound fields, the row change.
void RowChange(benchmark::State& state)
{
    OpenedDatabase database = openMaterialDatabase(databaseWith(0));
    ui::Form1 window(**database);
    window.show();
    auto* grid = window.findChild<QTableView*>(QStringLiteral("dgrdName"));
    int row = 0;
    for (auto _ : state) {
        row = (row + 1) % 100;
        grid->selectionModel()->setCurrentIndex(grid->model()->index(row, 0), QItemSelectionModel::ClearAndSelect);
        benchmark::DoNotOptimize(window.storedImfp());
    }
}
BENCHMARK(RowChange)->Unit(benchmark::kMicrosecond);

} // namespace

namespace {
void OpenOnly(benchmark::State& state)
{
    const QString path = databaseWith(int(state.range(0)));
    for (auto _ : state) {
        OpenedDatabase database = openMaterialDatabase(path);
        benchmark::DoNotOptimize(database->get());
    }
}
BENCHMARK(OpenOnly)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);

// The part of the open that reads the whole file to find damage: SQLite's
// page check alone, and all checks of the table together.
void QuickCheck(benchmark::State& state)
{
    const sqlite::Connection db = *sqlite::Connection::open(databaseWith(int(state.range(0))), SQLITE_OPEN_READONLY);
    for (auto _ : state) {
        sqlite::Statement check(db, schema::quickCheck());
        benchmark::DoNotOptimize(check.step());
    }
}
BENCHMARK(QuickCheck)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);

void CheckTable(benchmark::State& state)
{
    const sqlite::Connection db = *sqlite::Connection::open(databaseWith(int(state.range(0))), SQLITE_OPEN_READONLY);
    for (auto _ : state)
        benchmark::DoNotOptimize(checkMaterialTable(db).error());
}
BENCHMARK(CheckTable)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);
} // namespace

namespace {

// Find over a table of 100 000 materials, from the first record: a name
// near the end, and a name that no material has.
void FindMaterial(benchmark::State& state, const QString& typed)
{
    OpenedDatabase database = openMaterialDatabase(databaseWith(100000));
    const NamePattern pattern = NamePattern::startingWith(typed);
    for (auto _ : state) {
        static_cast<void>((*database)->moveFirst());
        static_cast<void>((*database)->find([&pattern](const QString& name) { return pattern.matches(name); }));
        benchmark::DoNotOptimize((*database)->absolutePosition());
    }
}
BENCHMARK_CAPTURE(FindMaterial, NearTheEnd, QStringLiteral("C56H99990"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindMaterial, NoMatch, QStringLiteral("Xq"))->Unit(benchmark::kMillisecond);

} // namespace
