#pragma once

#include <QObject>

#include <optional>

namespace korvane::ui {

struct Form1Controls;

// The elastic-scattering correction panels of the main window: the chooser
// and the panels of approximations 1 and 2.
class ElasticPanels : public QObject {
    Q_OBJECT
public:
    // The panels' controls are among `controls`; the window gives the
    // material and the IMFP they start from through the setters below.
    explicit ElasticPanels(const Form1Controls& controls, QObject* parent = nullptr);

    // The current material's density and mass as their fields give them: no
    // value where a field holds no number. TrMFP needs both.
    void setMaterial(std::optional<float> density, std::optional<float> mass);
    // The window's stored IMFP, which both approximations start from.
    void setStoredImfp(float imfp) { storedImfp_ = imfp; }
    // The window has no IMFP: approximation 1 and the transport paths
    // compute nothing, and what was formed from the IMFP before is emptied:
    // the CF of approximation 1, and approximation 2's EffTrMFP and CF, so
    // that no CF of another material is given beside the failed IMFP. The
    // TrMFP, which no IMFP goes into, stays.
    void forgetImfp();
    // A transport cross-section (a0^2) for approximation 2, replacing the
    // field's text through its own editing, as a typed value would.
    void takeTransportCrossSection(double a0Squared);

    float storedTrMfp() const { return storedTrMfp_; }
    float storedEffTrMfp() const { return storedEffTrMfp_; }

protected:
    // The labels "2. Calc CF =" and "4. Calc CF =" work as buttons.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Opening and closing the panels
    void cmdCalc_CF_Click();
    void cmdElastic1_Click();
    void cmdElastic2_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

    // Approximation 1
    void txtDepth1_Change();
    void lblCF1_Click();
    void CalculateCF1();

    // Approximation 2
    void cmdCalc1_Click();
    void CalculateTrMFP();
    void txtTrXsct_Change();
    void txtDepth_Change();
    void lblCF2_Click();
    void CalculateCF2();

    void connectHandlers();

    const Form1Controls& ui_;
    std::optional<float> density_;
    std::optional<float> mass_;
    std::optional<float> storedImfp_;
    float storedTrMfp_ = 0;
    float storedEffTrMfp_ = 0;
};

} // namespace korvane::ui
