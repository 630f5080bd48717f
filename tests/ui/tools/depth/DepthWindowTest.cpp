#include "calc/ElasticCorrection.h"
#include "calc/ImfpCalculator.h"
#include "calc/OverlayerThickness.h"
#include "calc/SignalDepth.h"
#include "materials/model/MaterialTransport.h"
#include "ui/common/ShownNumbers.h"
#include "support/FindChild.h"
#include "support/WindowFixture.h"
#include "ui/tools/StateFollower.h"
#include "ui/tools/depth/DepthWindow.h"
#include "ui/tools/curve/ImfpCurveWindow.h"
#include "ui/tools/transport/TransportCrossSectionWindow.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QValueAxis>

#include <cmath>

namespace korvane::ui {
namespace {

class DepthWindowTest : public test::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        open();
        depth = window->findChild<DepthWindow*>();
        ASSERT_NE(depth, nullptr);
    }

    void open() { window->findChild<QAction*>(QStringLiteral("mnuDepthOfTheSignal"))->trigger(); }

    template <typename T = QLineEdit>
    T* in(const char* name) const
    {
        return test::child<T>(depth, name);
    }
    std::string shown(const char* name) const
    {
        if (auto* label = depth->findChild<QLabel*>(QLatin1String(name)))
            return label->text().toStdString();
        return in(name)->text().toStdString();
    }
    static std::string length(const Result<double>& value) { return numbertext::length(float(*value)).toStdString(); }

    // The IMFP of SiO2 of the fixture, as the main window computes it.
    static float silicaImfp(float energy)
    {
        return *imfp(ImfpForm::NonRelativistic, {2.65f, 16, 60.08f, 9.1f, energy}).length;
    }

    // The simulation panel's message, its buttons and its curve.
    std::string message() const { return in<QLabel>("lblSimulationMessage")->text().toStdString(); }
    void press(const char* button) { QTest::mouseClick(in<QPushButton>(button), Qt::LeftButton); }
    bool simulatedCurveShown() const
    {
        for (const QAbstractSeries* series : in<QChartView>("chartDepth")->chart()->series())
            if (series->name() == QLatin1String("Simulated"))
                return true;
        return false;
    }

    DepthWindow* depth = nullptr;
};

TEST_F(DepthWindowTest, OneWindowThatFollowsTheMainWindowWithThreeModelsAndTheirLimits)
{
    open();
    EXPECT_EQ(window->findChildren<DepthWindow*>().size(), 1);
    // Oxygen, the first record, at the start energy; with the cross-section
    // field empty, approximation 2 takes oxygen's computed S.
    EXPECT_EQ(shown("lblDepthSource"), "O at 1000 eV, non-relativistic form: IMFP 27.85 \u00C5");
    EXPECT_EQ(shown("lblCrossSectionUsed"),
              "Approximation 2 uses S = "
                  + QLocale().toString(elementTransportCrossSection(8, 1000)->a0Squared, 'g', 6).toStdString()
                  + " a0\u00B2, computed for O (Z = 8).");

    // A new material in the main window is followed at once; for a compound
    // approximation 2 computes S for the formula.
    clickRow(3);
    EXPECT_EQ(shown("lblDepthSource"), "SiO2 at 1000 eV, non-relativistic form: IMFP 29.12 \u00C5");
    const double s = formulaTransportCrossSection(QStringLiteral("SiO2"), 1000)->a0Squared;
    EXPECT_EQ(shown("lblCrossSectionUsed"),
              "Approximation 2 uses S = " + QLocale().toString(s, 'g', 6).toStdString()
                  + " a0\u00B2, computed for formula SiO2.");

    // A typed value replaces it, and the note goes.
    const float lambda = silicaImfp(1000);
    typeInto(in("txtTransportCrossSection"), QStringLiteral("1"));
    EXPECT_EQ(shown("lblCrossSectionUsed"), "");
    const DepthModel cf2{DepthCorrection::Approx2, lambda, 0,
                         *transportMeanFreePaths(2.65f, 60.08f, 1.0, lambda).effTrMfp};
    EXPECT_EQ(shown("txtMeanEscapeDepthCf2"), length(meanEscapeDepth(cf2)));
    EXPECT_EQ(shown("txtInformationDepthNone"), "87.23 \u00C5"); // 2.996 * 29.12

    // Three curves, each with its information depth marked.
    EXPECT_EQ(in<QChartView>("chartDepth")->chart()->series().size(), 6);
    // Both axes from 0 in round steps (1, 2 or 5 times a power of ten), not 17.4, 34.7.
    for (QAbstractAxis* axis : in<QChartView>("chartDepth")->chart()->axes()) {
        auto* values = qobject_cast<QValueAxis*>(axis);
        ASSERT_NE(values, nullptr);
        EXPECT_EQ(values->min(), 0);
        const double step = values->max() / (values->tickCount() - 1);
        const double leading = step / std::pow(10.0, std::floor(std::log10(step)));
        EXPECT_TRUE(std::abs(leading - 1) < 1e-9 || std::abs(leading - 2) < 1e-9 || std::abs(leading - 5) < 1e-9)
            << values->titleText().toStdString() << " step " << step;
    }

    // Beyond 30 degrees only the straight-line curve and its marker are drawn.
    typeInto(in("txtAngle"), QStringLiteral("45"));
    EXPECT_EQ(in<QChartView>("chartDepth")->chart()->series().size(), 2);

    typeInto(in("txtAngle"), QStringLiteral("0"));
    typeInto(in("txtProbability"), QStringLiteral("1"));
    EXPECT_EQ(shown("lblDepthMessage"),
              "Straight line, Approximation 1, Approximation 2: the probability P must be "
              "above 0 and below 1.");
    typeInto(in("txtProbability"), QStringLiteral("0.5"));
    // A cross-section of 0 or below gives no depths of approximation 2
    // (a negative one gave plausible ones: ID 76.64 Å, MED 26.10 Å).
    for (const char* refused : {"0", "-1"}) {
        typeInto(in("txtTransportCrossSection"), QLatin1String(refused));
        EXPECT_EQ(shown("lblDepthMessage"), "Approximation 2: the transport cross-section S must be above 0.")
            << refused;
        EXPECT_EQ(shown("txtInformationDepthCf2"), "") << refused;
    }
    typeInto(in("txtAngle"), QStringLiteral("ten"));
    EXPECT_EQ(shown("lblDepthMessage"), "The angle and P must be numbers.");

    typeInto(in("txtAngle"), QStringLiteral("0"));
    typeInto(in("txtTransportCrossSection"), QStringLiteral("one"));
    EXPECT_EQ(shown("lblDepthMessage"), "Approximation 2: the transport cross-section is not a number.");
    QTest::mouseClick(controls().Opt_relativistic, Qt::LeftButton);
    EXPECT_EQ(shown("lblDepthSource"), "SiO2 at 1000 eV, relativistic form: IMFP 29.05 \u00C5");
    // Emptied again at an energy the table does not reach: it says why.
    typeInto(in("txtTransportCrossSection"), QString());
    typeInto(controls().txtElectronEnergy, QStringLiteral("40000"));
    EXPECT_EQ(shown("lblDepthMessage"),
              "Approximation 2: type the transport cross-section, as none is computed "
              "(no transport cross-section outside 50 eV to 30000 eV).");
}

TEST_F(DepthWindowTest, SAndTheImfpAreOfTheOneMaterialBeingChanged)
{
    // SiO2 retyped as SiC: S is of the typed formula in both windows, as the
    // IMFP is of the typed values.
    clickRow(3);
    find<QAction>("mnuTransportCrossSection")->trigger();
    auto* transport = window->findChild<TransportCrossSectionWindow*>();
    ASSERT_NE(transport, nullptr);
    const Form1Controls& ui = window->controls();
    QTest::mouseClick(ui.cmdChangeParam, Qt::LeftButton);
    typeInto(ui.txtName, QStringLiteral("SiC"));
    typeInto(ui.txtBulkDensity, QStringLiteral("3.21"));
    const double s = formulaTransportCrossSection(QStringLiteral("SiC"), 1000)->a0Squared;
    EXPECT_EQ(shown("lblCrossSectionUsed"),
              "Approximation 2 uses S = " + QLocale().toString(s, 'g', 6).toStdString()
                  + " a0\u00B2, computed for formula SiC.");
    EXPECT_EQ(shown("lblDepthSource"),
              "SiC at 1000 eV, non-relativistic form: IMFP " + ui.txtIMFP_2M->text().toStdString());
    EXPECT_EQ(test::child<QLabel>(transport, "lblMaterial")->text(), QStringLiteral("formula SiC at 1000 eV"));
    EXPECT_EQ(test::child<QLineEdit>(transport, "txtCrossSection")->text(), QLocale().toString(s, 'g', 6));

    // While a new material has no formula for a name, neither window has an S.
    QTest::mouseClick(ui.cmdClose, Qt::LeftButton);
    QTest::mouseClick(ui.cmdNew, Qt::LeftButton);
    EXPECT_EQ(test::child<QLabel>(transport, "lblError")->text(),
              QStringLiteral("neither an element nor a chemical formula: type name here"));
}

TEST_F(DepthWindowTest, EveryWindowShowsTheEnergyAsTheEnergyBoxHoldsIt)
{
    // A kinetic energy typed with a decimal (and a blank) reads the same in the depth, the
    // transport and the curve window, inside and outside the curve's range.
    clickRow(3);
    find<QAction>("mnuTransportCrossSection")->trigger();
    find<QAction>("mnuImfpCurve")->trigger();
    auto* transport = window->findChild<TransportCrossSectionWindow*>();
    auto* curve = window->findChild<ImfpCurveWindow*>();
    ASSERT_NE(transport, nullptr);
    ASSERT_NE(curve, nullptr);
    typeInto(window->controls().txtElectronEnergy, QStringLiteral(" 1473.0"));
    QCoreApplication::processEvents(); // the curve window redraws after the main window
    EXPECT_EQ(shown("lblDepthSource"),
              "SiO2 at 1473.0 eV, non-relativistic form: IMFP " + numbertext::length(silicaImfp(1473)).toStdString());
    EXPECT_EQ(test::child<QLabel>(transport, "lblMaterial")->text(), QStringLiteral("formula SiO2 at 1473.0 eV"));
    EXPECT_TRUE(test::child<QLabel>(curve, "lblMarker")->text().startsWith(QStringLiteral("At 1473.0 eV: ")));
    typeInto(window->controls().txtElectronEnergy, QStringLiteral("300000.0"));
    QCoreApplication::processEvents();
    EXPECT_EQ(test::child<QLabel>(curve, "lblMarker")->text().toStdString(),
              "300000.0 eV lies outside the energy range shown: no marker.");
}

TEST_F(DepthWindowTest, OverlayerThicknessAndTheRatioBack)
{
    in<QTabWidget>("tabsDepth")->setCurrentIndex(1);
    in<QComboBox>("cboOverlayer")->setCurrentText(QStringLiteral("SiO2"));
    in<QComboBox>("cboSubstrate")->setCurrentText(QStringLiteral("Si"));

    typeInto(in("txtSubstrateEnergy"), QStringLiteral("1400"));
    typeInto(in("txtRatio"), QStringLiteral("2"));
    typeInto(in("txtBulkRatio"), QStringLiteral("0.5"));
    typeInto(in("txtOverlayerAngle"), QStringLiteral("60"));
    const Overlayer layer{silicaImfp(1000), silicaImfp(1400), 60};
    EXPECT_EQ(shown("txtThickness"), length(overlayerThickness(layer, 2, 0.5)));

    typeInto(in("txtOverlayerEnergy"), QStringLiteral("fast"));
    EXPECT_EQ(shown("lblThicknessMessage"), "The energies, R, R\u221E and the angle must be numbers.");
}

// The window keeps its width whatever the material and its S note say.
TEST_F(DepthWindowTest, TheSNoteWrapsInsteadOfWideningTheWindow)
{
    QCoreApplication::processEvents();
    const int width = depth->width();
    const int widthWanted = depth->sizeHint().width();
    for (const int row : {2, 3, 4, 5}) {
        clickRow(row);
        QCoreApplication::processEvents();
        EXPECT_EQ(depth->width(), width) << row;
    }
    auto* note = in<QLabel>("lblCrossSectionUsed");
    note->setText(note->text().repeated(4)); // as for a long formula
    QCoreApplication::processEvents();
    EXPECT_EQ(depth->sizeHint().width(), widthWanted);
    EXPECT_EQ(depth->width(), width);
    EXPECT_GT(note->height(), note->fontMetrics().height() * 2); // wrapped, all of it shown
}

// Tab goes through the inputs in the order of the screen and passes over the
// results; the overlayer is the main window's material, the substrate stays
// as chosen.
TEST_F(DepthWindowTest, OverlayerTabInScreenOrderStartingFromTheMainWindow)
{
    in<QTabWidget>("tabsDepth")->setCurrentIndex(1);
    auto* overlayer = in<QComboBox>("cboOverlayer");
    auto* substrate = in<QComboBox>("cboSubstrate");
    EXPECT_EQ(overlayer->currentText(), QStringLiteral("O"));
    EXPECT_EQ(substrate->currentText(), QStringLiteral("Si"));

    // Where Tab goes from each control: the next in the focus chain that takes Tab.
    QStringList order;
    QWidget* control = overlayer;
    for (int i = 0; i < 6; ++i) {
        do
            control = control->nextInFocusChain();
        while (!(control->focusPolicy() & Qt::TabFocus) || !control->isVisible() || !control->isEnabled());
        order << control->objectName();
    }
    EXPECT_EQ(order,
              QStringList({"txtOverlayerEnergy", "cboSubstrate", "txtSubstrateEnergy", "txtRatio", "txtBulkRatio",
                           "txtOverlayerAngle"}));
    for (const char* result : {"txtImfpOverlayer", "txtImfpSubstrateInOverlayer", "txtThickness", "txtRatioBack"}) {
        EXPECT_TRUE(in(result)->isReadOnly()) << result;
        EXPECT_FALSE(in(result)->focusPolicy() & Qt::TabFocus) << result;
    }

    clickRow(3); // the main window moves to SiO2
    EXPECT_EQ(overlayer->currentText(), QStringLiteral("SiO2"));
    substrate->setCurrentText(QStringLiteral("Cu"));
    depth->close();
    clickRow(5); // SiC
    open();
    EXPECT_EQ(overlayer->currentText(), QStringLiteral("SiC"));
    EXPECT_EQ(substrate->currentText(), QStringLiteral("Cu"));
    EXPECT_EQ(
        shown("txtImfpOverlayer"),
        numbertext::length(*imfp(ImfpForm::NonRelativistic, {3.21f, 8, 40.096f, 2.36f, 1000}).length).toStdString());
}

// An energy box that holds no number gives no depth, and the headings say
// why without showing the text as an energy.
TEST_F(DepthWindowTest, AnEnergyThatIsNoNumberIsNamedAsSuchAndShowsNoNumber)
{
    find<QAction>("mnuTransportCrossSection")->trigger();
    auto* transport = window->findChild<TransportCrossSectionWindow*>();
    ASSERT_NE(transport, nullptr);
    const std::tuple<const char*, const char*, const char*> refused[] = {
        {"1000x", "O: the energy is not a number", "energy: \"1000x\" is not a number"}, // typed through ""
        {"1e39", "O: the energy is out of range", "energy: \"1e39\" is out of range"},
    };
    for (const auto& [text, heading, message] : refused) {
        typeInto(controls().txtElectronEnergy, QString::fromLatin1(text));
        EXPECT_EQ(shown("lblDepthSource"), heading);
        EXPECT_EQ(test::child<QLabel>(transport, "lblMaterial")->text().toStdString(), heading);
        EXPECT_EQ(shown("lblDepthMessage"), message);
        for (const char* result : {"txtInformationDepthNone", "txtMeanEscapeDepthCf1", "txtMeanEscapeDepthCf2"})
            EXPECT_EQ(shown(result), "") << text << " " << result;
    }
}

// A closed depth window computes nothing while the main window moves, and
// catches up once when it is shown again.
TEST_F(DepthWindowTest, AClosedWindowComputesNothingUntilShownAgain)
{
    const auto runs = [this] {
        int sum = 0;
        for (const StateFollower* follower : depth->findChildren<StateFollower*>())
            sum += follower->runs();
        return sum;
    };
    // Each move, and each tick with the Nv it changes, is told once.
    int told = 0;
    QObject::connect(&window->state(), &MainWindowState::changed, [&told] { ++told; });
    clickRow(1);
    click(controls().chk_S_P_hbe);
    EXPECT_EQ(told, 2);
    const int open = runs();
    EXPECT_EQ(open, 2); // one for each
    depth->close();
    for (const int row : {2, 3, 4, 5, 1, 2})
        clickRow(row);
    typeInto(controls().txtElectronEnergy, QStringLiteral("1500"));
    EXPECT_EQ(runs(), open);
    this->open();
    EXPECT_EQ(runs(), open + 1); // the signal tab; the overlayer tab when chosen
    EXPECT_EQ(shown("lblDepthSource"),
              "Cu at 1500 eV, non-relativistic form: IMFP " + window->controls().txtIMFP_2M->text().toStdString());
}

using SimulationPanelTest = DepthWindowTest;

TEST_F(SimulationPanelTest, RunsOffTheGuiThreadAndShowsIdAndMedWithErrorsAtAnyAngle)
{
    typeInto(in("txtAngle"), QStringLiteral("70")); // beyond the approximations
    typeInto(in("txtElectrons"), QStringLiteral("5000"));
    press("cmdSimulate");
    EXPECT_FALSE(in<QPushButton>("cmdSimulate")->isEnabled());
    EXPECT_TRUE(in<QPushButton>("cmdCancel")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!in("txtInformationDepthSimulated")->text().isEmpty(), 120000);
    // The value ends at the error's last digit.
    const QRegularExpression withError(QStringLiteral("^\\d+(?:\\.(\\d+))? \u00B1 \\d+(?:\\.(\\d+))? \u00C5$"));
    for (const char* box : {"txtInformationDepthSimulated", "txtMeanEscapeDepthSimulated"}) {
        const QRegularExpressionMatch digits = withError.match(in(box)->text());
        EXPECT_TRUE(digits.hasMatch() && digits.captured(1).size() == digits.captured(2).size())
            << in(box)->text().toStdString();
    }
    EXPECT_EQ(in<QProgressBar>("prgSimulation")->value(), in<QProgressBar>("prgSimulation")->maximum());
    EXPECT_EQ(message(), "");
    EXPECT_TRUE(simulatedCurveShown());
    EXPECT_TRUE(in<QPushButton>("cmdSimulate")->isEnabled());
    EXPECT_FALSE(in<QPushButton>("cmdCancel")->isEnabled());
    // The approximations stay empty beyond 30°, as before.
    EXPECT_EQ(in("txtInformationDepthCf1")->text().toStdString(), "");

    // A new input clears the simulated results and the curve.
    typeInto(in("txtAngle"), QStringLiteral("60"));
    EXPECT_EQ(in("txtInformationDepthSimulated")->text().toStdString(), "");
    EXPECT_FALSE(simulatedCurveShown());
}

TEST_F(SimulationPanelTest, CancelAndAnInputChangeEndTheRunInFlight)
{
    typeInto(in("txtElectrons"), QStringLiteral("100000"));
    press("cmdSimulate");
    press("cmdCancel");
    EXPECT_EQ(message(), "The simulation was cancelled.");
    EXPECT_TRUE(in<QPushButton>("cmdSimulate")->isEnabled());
    EXPECT_FALSE(in<QPushButton>("cmdCancel")->isEnabled());

    press("cmdSimulate");
    typeInto(in("txtAngle"), QStringLiteral("45"));
    EXPECT_EQ(message(), "The inputs changed: the simulation was cancelled.");
    EXPECT_TRUE(in<QPushButton>("cmdSimulate")->isEnabled());
    // Nothing of the cancelled runs arrives later.
    QTest::qWait(300);
    EXPECT_EQ(in("txtInformationDepthSimulated")->text().toStdString(), "");
    EXPECT_FALSE(simulatedCurveShown());

    typeInto(in("txtElectrons"), QStringLiteral("999"));
    press("cmdSimulate");
    EXPECT_EQ(message(), "The electrons must be a whole number from 1000 up.");
}

// Only a change of the simulation's own inputs cancels it: not the editing
// mode, a Save without a change, nor Cancel of an untouched edit. Cancel
// empties the progress bar, as an input change does.
TEST_F(SimulationPanelTest, OnlyItsOwnInputsCancelARunAndCancelEmptiesTheBar)
{
    const Form1Controls& ui = controls();
    auto* bar = in<QProgressBar>("prgSimulation");
    typeInto(in("txtElectrons"), QStringLiteral("10000000"));
    press("cmdSimulate");
    click(ui.cmdChangeParam);
    click(ui.cmdSave);
    click(ui.cmdChangeParam);
    click(ui.cmdClose);
    EXPECT_EQ(message(), "Simulating...");
    EXPECT_TRUE(in<QPushButton>("cmdCancel")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(bar->value() > 0, 120000);
    press("cmdCancel");
    EXPECT_EQ(message(), "The simulation was cancelled.");
    EXPECT_EQ(bar->value(), 0);
    QCoreApplication::processEvents(); // progress sent before the cancel moves the bar no more
    EXPECT_EQ(bar->value(), 0);

    press("cmdSimulate");
    typeInto(ui.txtElectronEnergy, QStringLiteral("1200"));
    EXPECT_EQ(message(), "The inputs changed: the simulation was cancelled.");
    EXPECT_FALSE(in<QPushButton>("cmdCancel")->isEnabled());
}

} // namespace
} // namespace korvane::ui
