#include "support/FindChild.h"
#include "support/WindowFixture.h"
#include "ui/tools/depth/DepthWindow.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>

namespace korvane::ui {
namespace {

class SimulationPanelTest : public test::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        window->findChild<QAction*>(QStringLiteral("mnuDepthOfTheSignal"))->trigger();
        depth = window->findChild<DepthWindow*>();
        ASSERT_NE(depth, nullptr);
    }

    template <typename T = QLineEdit>
    T* in(const char* name) const
    {
        return test::child<T>(depth, name);
    }
    std::string message() const { return in<QLabel>("lblSimulationMessage")->text().toStdString(); }
    void press(const char* button) { QTest::mouseClick(in<QPushButton>(button), Qt::LeftButton); }
    bool simulatedCurveShown() const
    {
        const auto* chart = in<QChartView>("chartDepth")->chart();
        for (const QAbstractSeries* series : chart->series())
            if (series->name() == QLatin1String("Simulated"))
                return true;
        return false;
    }

    DepthWindow* depth = nullptr;
};

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
