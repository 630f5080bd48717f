#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;

namespace korvane {
class MaterialStore;
}

namespace korvane::ui {

class MainWindowState;

// The thickness of an overlayer on a substrate, both from the materials
// database, from the measured intensity ratio of their peaks and the ratio of
// the two bulk intensities, by the straight-line model; and, as a check, the
// ratio that the thickness gives back. The IMFPs use the main window's
// formula and valence groups. The overlayer follows the main window's
// material; the substrate stays as chosen while the program runs (the window
// is hidden, not closed).
class OverlayerTab : public QWidget {
    Q_OBJECT
public:
    OverlayerTab(const MainWindowState& source, const MaterialStore& store, QWidget* parent = nullptr);

    // Fills both material lists afresh from the database, keeping the choices.
    void reloadMaterials();
    void recalculate();

private:
    void clearResults();
    void followMainWindowMaterial();

    const MainWindowState& source_;
    const MaterialStore& store_;
    QComboBox* cboOverlayer_;
    QComboBox* cboSubstrate_;
    QLineEdit* txtOverlayerEnergy_;
    QLineEdit* txtSubstrateEnergy_;
    QLineEdit* txtRatio_;
    QLineEdit* txtBulkRatio_;
    QLineEdit* txtOverlayerAngle_;
    QLineEdit* txtImfpOverlayer_;
    QLineEdit* txtImfpSubstrateInOverlayer_;
    QLineEdit* txtThickness_;
    QLineEdit* txtRatioBack_;
    QLabel* lblThicknessMessage_;
    QString followedName_; // the main window's material when last followed
};

} // namespace korvane::ui
