#include "calc/TransportTable.h"
#include "materials/model/MaterialTransport.h"
#include "support/FindChild.h"
#include "support/WindowFixture.h"
#include "ui/mainwindow/Form1Controls.h"
#include "ui/tools/transport/TransportCrossSectionWindow.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

#include <cmath>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QScatterSeries>

namespace korvane::ui {
namespace {

class TransportCrossSectionWindowTest : public test::WindowFixture {
protected:
    TransportCrossSectionWindow* open()
    {
        find<QAction>("mnuTransportCrossSection")->trigger();
        auto* dialog = window->findChild<TransportCrossSectionWindow*>();
        EXPECT_TRUE(dialog && dialog->isVisible());
        return dialog;
    }
    static QString shown(QWidget* dialog, const char* name) { return test::child<QLineEdit>(dialog, name)->text(); }
    static double atom(int z, double energy) { return *shippedTransportTable().crossSection(z, energy); }
};

// "Use" opens approximation 2's panel, where S goes, in place of whichever
// panel was open; an open panel 2 stays as it is, its CF kept.
TEST_F(TransportCrossSectionWindowTest, UseOpensThePanelWhereSGoes)
{
    const Form1Controls& ui = window->controls();
    TransportCrossSectionWindow* dialog = open();
    auto* use = test::child<QPushButton>(dialog, "cmdUse");
    QTest::mouseClick(use, Qt::LeftButton);
    EXPECT_TRUE(ui.frameElastic2->isVisible());
    EXPECT_FALSE(ui.frameElastic->isVisible());

    QTest::mouseClick(ui.Command1, Qt::LeftButton); // Close: back to the chooser
    QTest::mouseClick(ui.cmdElastic1, Qt::LeftButton);
    clickRow(3); // SiO2
    QTest::mouseClick(use, Qt::LeftButton);
    EXPECT_FALSE(ui.frameElastic1->isVisible());
    EXPECT_TRUE(ui.frameElastic2->isVisible());

    ui.txtCF2->setText(QStringLiteral("0.9"));
    controls().txtElectronEnergy->selectAll(); // typed over, with no failed IMFP on the way
    QTest::keyClicks(controls().txtElectronEnergy, QStringLiteral("2000"));
    QTest::mouseClick(use, Qt::LeftButton);
    EXPECT_TRUE(ui.frameElastic2->isVisible());
    EXPECT_EQ(ui.txtCF2->text(), QStringLiteral("0.9"));
}

TEST_F(TransportCrossSectionWindowTest, ShowsSOfTheCurrentMaterialAndItsCurveAndUseWritesItOnce)
{
    TransportCrossSectionWindow* dialog = open();
    const QLocale locale;
    // The window starts on its first row, oxygen, at 1000 eV.
    EXPECT_EQ(test::child<QLabel>(dialog, "lblMaterial")->text(), QStringLiteral("O (Z = 8) at 1000 eV"));
    EXPECT_EQ(shown(dialog, "txtCrossSection"), locale.toString(atom(8, 1000), 'g', 6));
    EXPECT_EQ(shown(dialog, "txtCrossSectionCm2"), locale.toString(atom(8, 1000) * bohrRadiusSquaredCm2(), 'g', 4));
    const QChart* chart = test::child<QChartView>(dialog, "chartCrossSection")->chart();
    ASSERT_EQ(chart->series().size(), 2);
    EXPECT_EQ(static_cast<QLineSeries*>(chart->series()[0])->points().value(0), QPointF(50, atom(8, 50)));
    EXPECT_EQ(static_cast<QScatterSeries*>(chart->series()[1])->at(0), QPointF(1000, atom(8, 1000)));
    // The S axis spans whole decades, with a tick and its label at each
    // one, the lowest included: 0.001 to 100 has six.
    const auto* sAxis = static_cast<QLogValueAxis*>(chart->axes(Qt::Vertical).value(0));
    ASSERT_NE(sAxis, nullptr);
    const double decades = std::round(std::log10(sAxis->max()) - std::log10(sAxis->min()));
    EXPECT_EQ(sAxis->tickCount(), int(decades) + 1) << sAxis->min() << " to " << sAxis->max();

    // A compound by its formula, at a new energy: the shown window follows.
    clickRow(3);
    typeInto(controls().txtElectronEnergy, QStringLiteral("1486.6"));
    EXPECT_EQ(test::child<QLabel>(dialog, "lblMaterial")->text(), QStringLiteral("formula SiO2 at 1486.6 eV"));

    // Use writes the shown S into approximation 2's field, once.
    auto* field = controls().txtTrXsct;
    QSignalSpy changes(field, &QLineEdit::textChanged);
    QTest::mouseClick(test::child<QPushButton>(dialog, "cmdUse"), Qt::LeftButton);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(field->text(), shown(dialog, "txtCrossSection"));

    // Outside the table: no value, a reason, and nothing to use.
    typeInto(controls().txtElectronEnergy, QStringLiteral("40000"));
    EXPECT_EQ(test::child<QLabel>(dialog, "lblError")->text(),
              QStringLiteral("no transport cross-section outside 50 eV to 30000 eV"));
    EXPECT_FALSE(test::child<QPushButton>(dialog, "cmdUse")->isEnabled());
}

} // namespace
} // namespace korvane::ui
