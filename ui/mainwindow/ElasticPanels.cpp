#include "ui/mainwindow/ElasticPanels.h"

#include "calc/ElasticCorrection.h"
#include "presentation/LocaleNumberText.h"
#include "query/PositiveInputs.h"
#include "ui/common/ShownNumbers.h"
#include "ui/controls/ControlDesign.h"
#include "ui/mainwindow/Form1Controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLocale>
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

ElasticPanels::ElasticPanels(const Form1Controls& controls, QObject* parent) : QObject(parent), ui_(controls)
{
    connectHandlers();
}

void ElasticPanels::setMaterial(std::optional<float> density, std::optional<float> mass)
{
    density_ = density;
    mass_ = mass;
}

void ElasticPanels::forgetImfp()
{
    storedImfp_.reset();
    ui_.txtCF1->clear();
    ui_.txtCF2->clear();
    // Approximation 2 refuses a CF until the next "2. Calc TrMFP and
    // EffTrMFP"; the designed text before any click is no value and stays.
    if (storedEffTrMfp_ != 0) {
        storedEffTrMfp_ = 0;
        ui_.txtEffTrMFP->clear();
    }
}

void ElasticPanels::takeTransportCrossSection(double a0Squared)
{
    ui_.txtTrXsct->selectAll();
    ui_.txtTrXsct->insert(QLocale().toString(a0Squared, 'g', 6));
}

void ElasticPanels::connectHandlers()
{
    const std::pair<QPushButton*, void (ElasticPanels::*)()> buttons[] = {
        {ui_.cmdCalc_CF, &ElasticPanels::cmdCalc_CF_Click},   {ui_.cmdElastic1, &ElasticPanels::cmdElastic1_Click},
        {ui_.cmdElastic2, &ElasticPanels::cmdElastic2_Click}, {ui_.Command1, &ElasticPanels::Command1_Click},
        {ui_.Command2, &ElasticPanels::Command2_Click},       {ui_.Command3, &ElasticPanels::Command3_Click},
        {ui_.cmdCalc1, &ElasticPanels::cmdCalc1_Click},
    };
    for (const auto& [button, handler] : buttons)
        connect(button, &QPushButton::clicked, this, handler);

    // textChanged fires only on a real change of the text, typed or set.
    connect(ui_.txtDepth1, &QLineEdit::textChanged, this, &ElasticPanels::txtDepth1_Change);
    connect(ui_.txtDepth, &QLineEdit::textChanged, this, &ElasticPanels::txtDepth_Change);
    connect(ui_.txtTrXsct, &QLineEdit::textChanged, this, &ElasticPanels::txtTrXsct_Change);
    ui_.lblCF1->installEventFilter(this);
    ui_.lblCF2->installEventFilter(this);
}

bool ElasticPanels::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != ui_.lblCF1 && watched != ui_.lblCF2)
        return QObject::eventFilter(watched, event);
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;
    // A click is a press on the label and a release still over it.
    const QRect labelArea = static_cast<QLabel*>(watched)->rect();
    if (event->type() == QEvent::MouseButtonRelease && labelArea.contains(mouse->position().toPoint())) {
        if (watched == ui_.lblCF1)
            lblCF1_Click();
        else
            lblCF2_Click();
    }
    return true;
}

void ElasticPanels::cmdCalc_CF_Click()
{
    ui_.frameElastic->show();
}

void ElasticPanels::cmdElastic1_Click()
{
    placeInTwips(ui_.frameElastic1, kPanelLeft, kPanelTop, kPanel1Width, kPanel1Height);
    ui_.frameElastic1->show();
    ui_.frameElastic->hide();
    ui_.txtCF1->clear();
}

void ElasticPanels::cmdElastic2_Click()
{
    placeInTwips(ui_.frameElastic2, kPanelLeft, kPanelTop, kPanel2Width, kPanel2Height);
    ui_.frameElastic2->show();
    ui_.frameElastic->hide();
    ui_.txtCF2->clear();
}

void ElasticPanels::Command1_Click()
{
    ui_.frameElastic2->hide();
    ui_.frameElastic->show();
}

void ElasticPanels::Command2_Click()
{
    ui_.frameElastic1->hide();
    ui_.frameElastic->show();
}

void ElasticPanels::Command3_Click()
{
    ui_.frameElastic->hide();
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
    const std::optional<float> depth = numbertext::toSingle(ui_.txtDepth1->text());
    if (!depth || !storedImfp_)
        return;
    const std::optional<float> cf = correctionFactorApprox1(*depth, *storedImfp_);
    if (!cf)
        return;
    ui_.txtCF1->setText(numbertext::factor(*cf));
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
    if (!mass_ || !density_ || !storedImfp_)
        return;
    const std::optional<double> crossSection = numbertext::toDouble(ui_.txtTrXsct->text());
    if (!crossSection)
        return;
    // A cross-section, density or mass at 0 or below gives no path at all.
    if (!checkAllAboveZero({{PositiveInput::CrossSection, *crossSection},
                            {PositiveInput::Density, *density_},
                            {PositiveInput::Mass, *mass_}}))
        return;
    const TransportPaths paths = transportMeanFreePaths(*density_, *mass_, *crossSection, *storedImfp_);
    if (!paths.trMfp)
        return;
    storedTrMfp_ = *paths.trMfp;
    if (!paths.effTrMfp)
        return;
    storedEffTrMfp_ = *paths.effTrMfp;
    ui_.txtTrMFP->setText(numbertext::length(storedTrMfp_));
    ui_.txtEffTrMFP->setText(numbertext::length(storedEffTrMfp_));
}

// S only changes behind a closed panel when the transport window's "Use"
// puts it there: the panel opens, so that the user sees the value arrive.
void ElasticPanels::txtTrXsct_Change()
{
    if (!ui_.frameElastic2->isHidden())
        return;
    ui_.frameElastic1->hide();
    cmdElastic2_Click();
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
    const std::optional<float> depth = numbertext::toSingle(ui_.txtDepth->text());
    if (!depth)
        return;
    const std::optional<float> cf = correctionFactorApprox2(*depth, storedEffTrMfp_);
    if (!cf)
        return;
    ui_.txtCF2->setText(numbertext::factor(*cf));
}

} // namespace korvane::ui
