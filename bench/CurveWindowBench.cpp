#include "materials/store/MaterialDatabase.h"
#include "materials/store/ShippedMaterials.h"
#include "ui/mainwindow/Form1.h"
#include "ui/tools/curve/ImfpCurveWindow.h"
#include "ui/common/UserPrompts.h"

#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace korvane;

class SilentPrompts : public ui::UserPrompts {
public:
    int message(const QString&, const QString&, int) override { return ui::AnswerOk; }
    QString input(const QString&, const QString&) override { return {}; }
    void beep() override {}
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
};

// A click on another row of the name list with the curve window open: the
// main window's chain of recalculations and the one redraw of the curves,
// with `state.range(0)` materials pinned beside the current one.
void RowChangeWithCurveWindow(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("materials.db"));
    static_cast<void>(createMaterialDatabase(path, *readShippedMaterials(shippedMaterialsText())));
    OpenedDatabase database = openMaterialDatabase(path);
    SilentPrompts prompts;
    ui::Form1 window(**database, &prompts);
    window.show();
    ui::ImfpCurveWindow* curves = ui::ImfpCurveWindow::open(&window, window.state(), prompts);
    auto* grid = window.findChild<QTableView*>(QStringLiteral("dgrdName"));
    auto* pin = curves->findChild<QPushButton*>(QStringLiteral("cmdAddMaterial"));
    auto moveTo = [&](int row) {
        grid->selectionModel()->setCurrentIndex(grid->model()->index(row, 0), QItemSelectionModel::ClearAndSelect);
        QCoreApplication::processEvents();
    };
    for (int row = 0; row < state.range(0); ++row) {
        moveTo(row);
        pin->click();
    }
    int row = 0;
    for (auto _ : state) {
        row = (row + 1) % 100;
        moveTo(row);
        benchmark::DoNotOptimize(curves->content().curves.size());
    }
    state.counters["curves"] = double(curves->content().curves.size());
}
BENCHMARK(RowChangeWithCurveWindow)->Arg(0)->Arg(7)->Unit(benchmark::kMillisecond);

} // namespace
