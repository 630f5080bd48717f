#pragma once

#include "calc/ValidEnergyRange.h"
#include "chart/ImfpChart.h"
#include "ui/tools/curve/PlottedMaterial.h"

#include <QWidget>

class QChartView;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace korvane::ui {

class MainWindowState;
class UserPrompts;

// The IMFP of the main window's material against electron energy, both
// forms, with the energy box's energy marked; pinned materials beside it for
// comparison, export as PNG, SVG and CSV. Follows the main window live.
class ImfpCurveWindow : public QWidget {
    Q_OBJECT
public:
    // Shows the main window's curve window, opening it the first time; a
    // window already open is raised. Closing it only hides it, so the pinned
    // materials are there again at the next opening.
    static ImfpCurveWindow* open(QWidget* mainWindow, const MainWindowState& state, UserPrompts& prompts);

    ImfpCurveWindow(QWidget* mainWindow, const MainWindowState& state, UserPrompts& prompts);

    // The chart content as drawn: the current material's curves first, then
    // the pinned ones, each non-relativistic before relativistic.
    const chart::ChartContent& content() const { return content_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectControls();
    void refresh();
    void showChart(chart::ChartContent content);
    QString describeChart() const;
    void applyEnergyRange();
    void addMaterial();
    void removeMaterial();
    void showNearestPoint(QPoint viewportPosition);
    QString csv() const;
    void copyCsv();
    void exportImage(const QString& suffix, const QString& filter);
    void exportCsv();
    QString askExportFile(const QString& suffix, const QString& filter);
    void confirmExport(const QString& file);
    void tell(const QString& text);

    UserPrompts& prompts_;
    const MainWindowState& state_;
    std::optional<PlottedMaterial> current_;
    std::vector<PlottedMaterial> pinned_;
    std::vector<float> energies_;
    std::pair<double, double> range_{kValidEnergyLow, kValidEnergyHigh}; // as drawn
    bool logEnergy_ = true;                                              // as drawn
    chart::ChartContent content_;
    bool canPin_ = false;
    QString exportFolder_; // of the last export

    QChartView* chartView_;
    QLabel* lblSource_;
    QLabel* lblMarker_;
    QLabel* lblReadout_;
    QLineEdit* txtFromEnergy_;
    QLineEdit* txtToEnergy_;
    QLabel* lblRangeProblem_;
    QCheckBox* chkLogEnergy_;
    QCheckBox* chkLogImfp_;
    QListWidget* lstPinned_;
    QPushButton* cmdAddMaterial_;
    QPushButton* cmdRemoveMaterial_;
    QPushButton* cmdExportPng_;
    QPushButton* cmdExportSvg_;
    QPushButton* cmdExportCsv_;
    QPushButton* cmdCopyCsv_;
    QLabel* lblExported_;
    QPushButton* cmdCloseCurve_;
};

} // namespace korvane::ui
