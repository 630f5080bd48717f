#pragma once

#include <QObject>

class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace korvane::ui {

// The elastic-scattering correction panels of the main window: the chooser
// and the panels of approximations 1 and 2.
class ElasticPanels : public QObject {
    Q_OBJECT
public:
    // `client` holds the panels' controls; `storedImfp` is the window's
    // stored IMFP, which the panels read and never write.
    ElasticPanels(QWidget* client, const float& storedImfp, QObject* parent = nullptr);

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
    void txtDepth_Change();
    void lblCF2_Click();
    void CalculateCF2();

    void connectHandlers(QWidget* client);

    const float& storedImfp_;
    float storedTrMfp_ = 0;
    float storedEffTrMfp_ = 0;

    QGroupBox* frameElastic_;
    QGroupBox* frameElastic1_;
    QGroupBox* frameElastic2_;
    QLineEdit* txtDepth1_;
    QLabel* lblCF1_;
    QLineEdit* txtCF1_;
    QLineEdit* txtAtomicMass_;
    QLineEdit* txtBulkDensity_;
    QLineEdit* txtTrXsct_;
    QLineEdit* txtTrMFP_;
    QLineEdit* txtEffTrMFP_;
    QLineEdit* txtDepth_;
    QLabel* lblCF2_;
    QLineEdit* txtCF2_;
};

} // namespace korvane::ui
