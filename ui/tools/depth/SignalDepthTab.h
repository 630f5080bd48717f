#pragma once

#include "calc/SignalDepth.h"
#include "core/Result.h"
#include "materials/model/MaterialTransport.h"

#include <QWidget>

#include <array>

class QChart;
class QLabel;
class QLineEdit;

namespace korvane::ui {

class MainWindowState;
class SimulationPanel;

// How deep the signal of the main window's material comes from at its
// energy: the information depth and the mean escape depth by the straight-line
// model and by both elastic-scattering corrections side by side, and the
// normalised depth distributions with the information depths marked.
// Approximation 2 takes the transport cross-section typed into its field or,
// when the field is empty, the one computed for the current material.
class SignalDepthTab : public QWidget {
    Q_OBJECT
public:
    explicit SignalDepthTab(const MainWindowState& source, QWidget* parent = nullptr);

    // Computes and shows everything anew from the fields and the main window.
    void recalculate();

private:
    // The transport cross-section (a0^2) for approximation 2: the typed one,
    // or, for an empty field, the current material's at the energy (eV).
    Result<TransportCrossSection> crossSection(double energy) const;
    // The models to show, each or the reason it cannot be used: the
    // straight-line model, approximation 1 and approximation 2.
    std::array<Result<DepthModel>, 3> depthModels(float imfp, double angle,
                                                  const Result<TransportCrossSection>& sigma) const;
    // Approximation 2 with the EffTrMFP of the main window's density and
    // mass and of the cross-section, or why there is none.
    Result<DepthModel> approx2Model(float imfp, double angle, const Result<TransportCrossSection>& sigma) const;
    void clearResults();
    void plot(const std::array<Result<DepthModel>, 3>& models, const std::array<std::optional<double>, 3>& depths);
    // Hands the simulated model what it needs, or why it cannot run.
    void prepareSimulation(float imfp, double energy, double angle, double probability);
    void plotSimulated(const QList<QPointF>& profile);

    const MainWindowState& source_;
    QLabel* lblSource_;
    QLineEdit* txtAngle_;
    QLineEdit* txtProbability_;
    QLineEdit* txtTransportCrossSection_;
    QLabel* lblCrossSectionUsed_;
    std::array<QLineEdit*, 3> informationDepth_{};
    std::array<QLineEdit*, 3> meanEscapeDepth_{};
    QLabel* lblDepthMessage_;
    QChart* chart_;
    SimulationPanel* simulation_;
};

} // namespace korvane::ui
