#pragma once

#include "core/Result.h"
#include "query/Quantification.h"
#include "query/RequestReader.h"

#include <QString>
#include <QWidget>

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableWidget;

namespace korvane {
class MaterialStore;
}

namespace korvane::ui {

class MainWindowState;
class PeakTable;

// Tools > Quantification: the atomic fractions of a sample from the areas of
// its peaks, one peak per element. The matrix is the main window's material,
// with its form and valence groups; the window holds the peaks, the X-ray
// source, the geometry, the analyser's transmission and an optional
// contamination layer of a material of the database. The results show every
// factor of each peak's sensitivity in its column, as tpp2m quantify writes
// them, and copy as tpp2m quantify --csv does; a refusal shows tpp2m's words
// and no numbers.
class QuantificationWindow : public QWidget {
    Q_OBJECT
public:
    // Shows the main window's quantification window, opening it the first time.
    static QuantificationWindow* showFor(QWidget* mainWindow, const MainWindowState& state,
                                         const MaterialStore& store);

    // The results as tpp2m quantify --csv writes them; empty while refused.
    const QString& csv() const { return csv_; }

private:
    QuantificationWindow(QWidget* mainWindow, const MainWindowState& state, const MaterialStore& store);

    void reloadMaterials();
    void recalculate();
    // The window's inputs under tpp2m's names, numbers as tpp2m reads them.
    NamedTexts typedInputs() const;
    Result<std::vector<QuantificationRow>> quantifyTyped() const;
    void showRows(const std::vector<QuantificationRow>& rows);
    void showRefusal(const QString& words);
    void copyCsv();

    const MainWindowState& state_;
    const MaterialStore& store_;
    QString csv_;
    QLabel* lblMatrix_;
    PeakTable* tblPeaks_;
    QComboBox* cboSource_;
    QLineEdit* txtPhotonEnergy_;
    QLineEdit* txtAngle_;
    QLineEdit* txtSourceAngle_;
    QLineEdit* txtTransmissionExponent_;
    QComboBox* cboLayer_;
    QLineEdit* txtLayerThickness_;
    QLabel* lblProblem_;
    QTableWidget* tblResults_;
    QPushButton* cmdCopyCsv_;
};

// Adds "&Quantification..." to the "&Tools" menu of the main window `window`.
void addQuantificationEntry(QMenu* tools, const MainWindowState& state, const MaterialStore& store,
                            QWidget* window);

} // namespace korvane::ui
