#include "ui/ElasticPanels.h"

#include "calc/ElasticCorrection.h"
#include "materials/NumberText.h"
#include "ui/ControlDesign.h"
#include "ui/FindControl.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include <utility>

namespace korvane::ui {

namespace {

// Both approximation panels open here, over the chooser, in twips.
constexpr int kPanelLeft = 100;
constexpr int kPanelTop = 5850;
constexpr int kPanel1Width = 2800;
constexpr int kPanel1Height = 1900;
constexpr int kPanel2Width = 4785;
constexpr int kPanel2Height = 2385;

// Moves and resizes in one step, so the panel is in place before it shows.
void placeInTwips(QWidget* panel, int left, int top, int width, int height)
{
    panel->setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

} // namespace

ElasticPanels::ElasticPanels(QWidget* client, const float& storedImfp, QObject* parent)
    : QObject(parent),
      storedImfp_(storedImfp),
      frameElastic_(findControl<QGroupBox>(client, "frameElastic")),
      frameElastic1_(findControl<QGroupBox>(client, "frameElastic1")),
      frameElastic2_(findControl<QGroupBox>(client, "frameElastic2")),
      txtDepth1_(findControl<QLineEdit>(client, "txtDepth1")),
      lblCF1_(findControl<QLabel>(client, "lblCF1")),
      txtCF1_(findControl<QLineEdit>(client, "txtCF1")),
      txtAtomicMass_(findControl<QLineEdit>(client, "txtAtomicMass")),
      txtBulkDensity_(findControl<QLineEdit>(client, "txtBulkDensity")),
      txtTrXsct_(findControl<QLineEdit>(client, "txtTrXsct")),
      txtTrMFP_(findControl<QLineEdit>(client, "txtTrMFP")),
      txtEffTrMFP_(findControl<QLineEdit>(client, "txtEffTrMFP")),
      txtDepth_(findControl<QLineEdit>(client, "txtDepth")),
      lblCF2_(findControl<QLabel>(client, "lblCF2")),
      txtCF2_(findControl<QLineEdit>(client, "txtCF2"))
{
    connectHandlers(client);
}

void ElasticPanels::connectHandlers(QWidget* client)
{
    const std::pair<const char*, void (ElasticPanels::*)()> buttons[] = {
        {"cmdCalc_CF", &ElasticPanels::cmdCalc_CF_Click},
        {"cmdElastic1", &ElasticPanels::cmdElastic1_Click},
        {"cmdElastic2", &ElasticPanels::cmdElastic2_Click},
        {"Command1", &ElasticPanels::Command1_Click},
        {"Command2", &ElasticPanels::Command2_Click},
        {"Command3", &ElasticPanels::Command3_Click},
        {"cmdCalc1", &ElasticPanels::cmdCalc1_Click},
    };
    for (const auto& [name, handler] : buttons)
        connect(findControl<QPushButton>(client, name), &QPushButton::clicked, this, handler);

    // textChanged fires only on a real change of the text, typed or set.
    connect(txtDepth1_, &QLineEdit::textChanged, this, &ElasticPanels::txtDepth1_Change);
    connect(txtDepth_, &QLineEdit::textChanged, this, &ElasticPanels::txtDepth_Change);
    lblCF1_->installEventFilter(this);
    lblCF2_->installEventFilter(this);
}

bool ElasticPanels::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != lblCF1_ && watched != lblCF2_)
        return QObject::eventFilter(watched, event);
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;
    // A click is a press on the label and a release still over it.
    const QRect labelArea = static_cast<QLabel*>(watched)->rect();
    if (event->type() == QEvent::MouseButtonRelease && labelArea.contains(mouse->position().toPoint())) {
        if (watched == lblCF1_)
            lblCF1_Click();
        else
            lblCF2_Click();
    }
    return true;
}

void ElasticPanels::cmdCalc_CF_Click()
{
    frameElastic_->show();
}

void ElasticPanels::cmdElastic1_Click()
{
    placeInTwips(frameElastic1_, kPanelLeft, kPanelTop, kPanel1Width, kPanel1Height);
    frameElastic1_->show();
    frameElastic_->hide();
    txtCF1_->clear();
}

void ElasticPanels::cmdElastic2_Click()
{
    placeInTwips(frameElastic2_, kPanelLeft, kPanelTop, kPanel2Width, kPanel2Height);
    frameElastic2_->show();
    frameElastic_->hide();
    txtCF2_->clear();
}

void ElasticPanels::Command1_Click()
{
    frameElastic2_->hide();
    frameElastic_->show();
}

void ElasticPanels::Command2_Click()
{
    frameElastic1_->hide();
    frameElastic_->show();
}

void ElasticPanels::Command3_Click()
{
    frameElastic_->hide();
}

void ElasticPanels::txtDepth1_Change()
{
    CalculateCF1();
}

void ElasticPanels::lblCF1_Click()
{
    CalculateCF1();
}

// CF by approximation 1 from the typed depth and the stored IMFP. On any
// failure the CF field keeps its text.
void ElasticPanels::CalculateCF1()
{
    const std::optional<float> depth = numbertext::toSingle(txtDepth1_->text());
    if (!depth)
        return;
    const std::optional<float> cf = correctionFactorApprox1(*depth, storedImfp_);
    if (!cf)
        return;
    txtCF1_->setText(numbertext::factor(*cf));
}

void ElasticPanels::cmdCalc1_Click()
{
    CalculateTrMFP();
}

// TrMFP and EffTrMFP of the current material for the typed cross-section.
// TrMFP is kept as soon as it is known; the fields are written only when
// EffTrMFP follows from it.
void ElasticPanels::CalculateTrMFP()
{
    const std::optional<float> mass = numbertext::toSingle(txtAtomicMass_->text());
    if (!mass)
        return;
    const std::optional<float> density = numbertext::toSingle(txtBulkDensity_->text());
    if (!density)
        return;
    const std::optional<double> crossSection = numbertext::toDouble(txtTrXsct_->text());
    if (!crossSection)
        return;
    const TransportPaths paths = transportMeanFreePaths(*density, *mass, *crossSection, storedImfp_);
    if (!paths.trMfp)
        return;
    storedTrMfp_ = *paths.trMfp;
    if (!paths.effTrMfp)
        return;
    storedEffTrMfp_ = *paths.effTrMfp;
    txtTrMFP_->setText(numbertext::length(storedTrMfp_));
    txtEffTrMFP_->setText(numbertext::length(storedEffTrMfp_));
}

void ElasticPanels::txtDepth_Change()
{
    CalculateCF2();
}

void ElasticPanels::lblCF2_Click()
{
    CalculateCF2();
}

// CF by approximation 2 from the typed depth and the stored EffTrMFP, never
// from the EffTrMFP text, which is for display only.
void ElasticPanels::CalculateCF2()
{
    const std::optional<float> depth = numbertext::toSingle(txtDepth_->text());
    if (!depth)
        return;
    const std::optional<float> cf = correctionFactorApprox2(*depth, storedEffTrMfp_);
    if (!cf)
        return;
    txtCF2_->setText(numbertext::factor(*cf));
}

} // namespace korvane::ui
