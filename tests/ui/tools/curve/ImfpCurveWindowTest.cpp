#include "cli/Tpp2mRun.h"
#include "presentation/LocaleNumberText.h"
#include "ui/common/ShownNumbers.h"
#include "support/FindChild.h"
#include "support/WindowFixture.h"
#include "chart/MarkerLabels.h"
#include "ui/tools/curve/CurveEnergies.h"
#include "ui/tools/curve/ImfpCurveWindow.h"

#include <QAction>
#include <QDir>
#include <QGraphicsSimpleTextItem>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSvgRenderer>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>

namespace korvane::ui {
namespace {

class ImfpCurveWindowTest : public test::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        window->findChild<QAction*>(QStringLiteral("mnuImfpCurve"))->trigger();
        curveWindow = window->findChild<ImfpCurveWindow*>();
        ASSERT_NE(curveWindow, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(curveWindow));
    }

    // The curve window redraws once the main window has finished its work.
    void settle() { QCoreApplication::processEvents(); }
    void pick(int row)
    {
        clickRow(row);
        settle();
    }
    void pin(int row)
    {
        pick(row);
        clickCurve("cmdAddMaterial");
    }

    template <typename T = QWidget>
    T* curveControl(const char* name) const
    {
        return test::child<T>(curveWindow, name);
    }
    void clickCurve(const char* name) { QTest::mouseClick(curveControl(name), Qt::LeftButton); }
    QString status(const char* name) const { return curveControl<QLabel>(name)->text(); }

    QChart* chart() const { return curveControl<QChartView>("chartView")->chart(); }
    QList<QAbstractSeries*> series() const { return chart()->series(); }
    QLineSeries* line(int index) const { return qobject_cast<QLineSeries*>(series().at(index)); }
    QScatterSeries* marker(int index) const { return qobject_cast<QScatterSeries*>(series().at(index)); }
    QStringList names() const
    {
        QStringList result;
        for (QAbstractSeries* s : series())
            result << s->name();
        return result;
    }

    // The IMFP drawn at energy `index` of the curve, beside the formula's.
    void expectPoints(int curve, ImfpForm form, ImfpInputs inputs)
    {
        const QList<QPointF> points = line(curve)->points();
        ASSERT_EQ(points.size(), kCurvePoints);
        const std::vector<float> energies = curveEnergies(50, 200000, true);
        for (const int index : {0, 57, 120, kCurvePoints - 1}) {
            inputs.energy = energies[std::size_t(index)];
            EXPECT_EQ(points[index], QPointF(inputs.energy, *imfp(form, inputs).length)) << index;
        }
    }

    ImfpCurveWindow* curveWindow = nullptr;
};

const ImfpInputs kOxygen{1.568f, 6, 15.999f, 0, 0};
const ImfpInputs kSiO2{2.65f, 16, 60.08f, 9.1f, 0};

TEST_F(ImfpCurveWindowTest, OneWindowThatFollowsRowEnergyGroupsAndForm)
{
    window->findChild<QAction*>(QStringLiteral("mnuImfpCurve"))->trigger();
    EXPECT_EQ(window->findChildren<ImfpCurveWindow*>().size(), 1);

    // O, the first row, with the s+p(lbe) group only: Nv 6, as the main window sums it.
    EXPECT_EQ(names(), QStringList({"O (non-relativistic)", "O (relativistic)", "27.85 \u00C5", "27.79 \u00C5"}));
    expectPoints(0, ImfpForm::NonRelativistic, kOxygen);
    EXPECT_EQ(status("lblSource"), QStringLiteral("Curve of O as saved in the materials list."));

    pick(3); // SiO2
    expectPoints(0, ImfpForm::NonRelativistic, kSiO2);
    EXPECT_EQ(status("lblMarker"),
              QStringLiteral("At 1000 eV: 29.12 \u00C5 non-relativistic, 29.05 \u00C5 relativistic."));

    // The form the main window computes is drawn bold, with the larger marker.
    QTest::mouseClick(controls().Opt_relativistic, Qt::LeftButton);
    settle();
    EXPECT_EQ(line(0)->pen().widthF(), 1.5);
    EXPECT_EQ(line(1)->pen().widthF(), 3.0);
    EXPECT_EQ(marker(3)->markerSize(), 12);
    EXPECT_EQ(chart::markerLabels(*chart()).at(1)->text(), controls().txtIMFP_2M->text());

    // SiO2 has valence electrons in the f group only: with it unticked, Nv 0 gives no IMFP.
    click(controls().chk_f);
    settle();
    EXPECT_EQ(series().size(), 0);
    EXPECT_EQ(status("lblSource"), QStringLiteral("SiO2 gives no IMFP with its parameters: no curve."));
}

TEST_F(ImfpCurveWindowTest, TypedValuesAreDrawnWhenTheyFormAMaterial)
{
    clickRow(3); // SiO2
    click(controls().cmdChangeParam);
    typeInto(controls().txtBulkDensity, QStringLiteral("2.2"));
    settle();
    EXPECT_EQ(status("lblSource"), QStringLiteral("Curve of SiO2 from the typed values (not saved)."));
    expectPoints(0, ImfpForm::NonRelativistic, {2.2f, 16, 60.08f, 9.1f, 0});

    typeInto(controls().txtAtomicMass, QStringLiteral("60,08x"));
    settle();
    EXPECT_EQ(status("lblSource"),
              QStringLiteral("The typed values do not form a valid material yet: no curve for them."));
    EXPECT_EQ(series().size(), 0);
    EXPECT_FALSE(curveControl("cmdAddMaterial")->isEnabled());

    click(controls().cmdClose);
    click(controls().cmdNew);
    typeInto(controls().txtName, QStringLiteral("SiO2 glass"));
    typeInto(controls().txtBulkDensity, QStringLiteral("2.2"));
    typeInto(controls().txtAtomicMass, QStringLiteral("60.08"));
    typeInto(controls().txt_f, QStringLiteral("16"));
    settle();
    EXPECT_EQ(status("lblSource"),
              QStringLiteral("Curve of the new material SiO2 glass from its typed values (not saved)."));
    // A blank band gap counts as 0, as when it is saved.
    expectPoints(1, ImfpForm::Relativistic, {2.2f, 16, 60.08f, 0, 0});
}

TEST_F(ImfpCurveWindowTest, PinsAndRemovesUpToEightMaterials)
{
    auto* pinned = curveControl<QListWidget>("lstPinned");
    auto* add = curveControl<QPushButton>("cmdAddMaterial");
    pin(3);                         // SiO2
    EXPECT_FALSE(add->isEnabled()); // the same material twice is one curve
    // Pinned and current, one curve of one name.
    EXPECT_EQ(names().count(QStringLiteral("SiO2 (non-relativistic)")), 1);
    pin(2);  // Cu
    pick(5); // SiC
    EXPECT_EQ(
        names(),
        QStringList({"SiC (non-relativistic)", "SiC (relativistic)", "SiO2 (non-relativistic)", "SiO2 (relativistic)",
                     "Cu (non-relativistic)", "Cu (relativistic)", "22.41 \u00C5", "22.36 \u00C5"}));
    // A pinned curve keeps its colour when another is removed.
    EXPECT_EQ(line(4)->pen().color(), chart::curveColour(2));

    pinned->setCurrentRow(0);
    clickCurve("cmdRemoveMaterial");
    EXPECT_EQ(line(2)->pen().color(), chart::curveColour(2));

    // Seven pinned beside the current one fill the eight colours.
    for (const int row : {0, 1, 3, 4, 5})
        pin(row);
    clickRow(1);
    click(controls().chk_S_P_hbe); // Si with another Nv is another material
    settle();
    clickCurve("cmdAddMaterial");
    EXPECT_EQ(pinned->count(), 7);
    pick(2); // Cu with another Nv has no place left
    EXPECT_FALSE(add->isEnabled());
    EXPECT_EQ(series().size(), 8 * 2 + 2);
}

TEST_F(ImfpCurveWindowTest, RangeScalesAndHover)
{
    typeInto(curveControl<QLineEdit>("txtFromEnergy"), QStringLiteral("100"));
    typeInto(curveControl<QLineEdit>("txtToEnergy"), QStringLiteral("10000"));
    QTest::keyClick(curveControl("txtToEnergy"), Qt::Key_Return);
    EXPECT_EQ(line(0)->points().first().x(), 100);
    EXPECT_EQ(line(0)->points().last().x(), 10000);

    typeInto(curveControl<QLineEdit>("txtFromEnergy"), QStringLiteral("0"));
    QTest::keyClick(curveControl("txtFromEnergy"), Qt::Key_Return);
    EXPECT_TRUE(curveControl("lblRangeProblem")->isVisible());
    EXPECT_EQ(status("lblRangeProblem"),
              QStringLiteral("From must be above 0 eV on a logarithmic energy axis: the curve keeps its range."));
    EXPECT_EQ(line(0)->points().first().x(), 100);
    clickCurve("chkLogEnergy"); // a linear axis may start at 0
    EXPECT_FALSE(curveControl("lblRangeProblem")->isVisible());
    typeInto(curveControl<QLineEdit>("txtToEnergy"), QStringLiteral("0"));
    QTest::keyClick(curveControl("txtToEnergy"), Qt::Key_Return);
    EXPECT_EQ(status("lblRangeProblem"), QStringLiteral("To must be above From: the curve keeps its range."));
    EXPECT_EQ(line(0)->points().last().x(), 10000);
    typeInto(curveControl<QLineEdit>("txtToEnergy"), QStringLiteral("10000"));
    QTest::keyClick(curveControl("txtToEnergy"), Qt::Key_Return);

    // Hovering reads the nearest point of any curve.
    auto* view = curveControl<QChartView>("chartView");
    const QPointF point = line(1)->points().at(150);
    const QPoint at = view->mapFromScene(chart()->mapToScene(chart()->mapToPosition(point, line(1))));
    QMouseEvent move(QEvent::MouseMove, at, view->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
    QCoreApplication::sendEvent(view->viewport(), &move);
    EXPECT_EQ(status("lblReadout"),
              QStringLiteral("Nearest point: O (relativistic) at %1 eV: %2.")
                  .arg(numbertext::shortestFixed(float(point.x())), numbertext::length(float(point.y()))));
    // The reading goes when the mouse leaves the chart.
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(view->viewport(), &leave);
    EXPECT_EQ(status("lblReadout"), QStringLiteral("Point at a curve to read its energy and IMFP."));
}

TEST_F(ImfpCurveWindowTest, ExportsPngSvgAndTheCsvOfTpp2m)
{
    pin(2);  // Cu
    pick(3); // SiO2, current
    const QString folder = database.folder();
    const QSize shown = curveControl("chartView")->size();

    prompts.savedFiles = {folder + "/curve.png", folder + "/curve.svg", folder + "/curve.csv"};
    clickCurve("cmdExportPng");
    clickCurve("cmdExportSvg");
    clickCurve("cmdExportCsv");
    // Each export says where it went; the next dialog opens in that folder.
    EXPECT_EQ(prompts.suggestedFiles,
              QStringList({"imfp-curve.png", folder + "/imfp-curve.svg", folder + "/imfp-curve.csv"}));
    EXPECT_EQ(status("lblExported"), "Written to " + QDir::toNativeSeparators(folder + "/curve.csv") + ".");
    EXPECT_EQ(QImage(folder + "/curve.png", "PNG").size(), shown);
    EXPECT_EQ(QSvgRenderer(folder + "/curve.svg").viewBox(), QRect(QPoint(0, 0), shown));

    const test::Tpp2mRun tpp2m = test::runTpp2m(folder, "imfp SiO2 Cu --relativistic both --csv --log 50:200000:200");
    ASSERT_EQ(tpp2m.status, 0) << tpp2m.err.toStdString();
    QFile file(folder + "/curve.csv");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), tpp2m.out);

    prompts.savedFiles = {folder + "/no/such/folder/curve.png"};
    clickCurve("cmdExportPng");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(
        prompts.messages[0].text.startsWith("The plot cannot be written to " + folder + "/no/such/folder/curve.png"));
    clickCurve("cmdExportSvg"); // cancelled: nothing written, nothing said
    EXPECT_EQ(prompts.messages.size(), 1u);
}

// The window as it stands on the screen is the chart drawn afresh: a marker's
// label is wiped from where the marker was, also outside the plot area.
TEST_F(ImfpCurveWindowTest, MovedMarkerLeavesNoLabelBehind)
{
    // The offscreen screen hands its pixels out at 100 % only.
    if (curveWindow->devicePixelRatio() != 1)
        GTEST_SKIP();
    clickRow(1); // Si
    auto* energy = controls().txtElectronEnergy;
    for (const char* typed : {"50", "500"}) {
        typeInto(energy, QString::fromLatin1(typed));
        settle();
        QTest::qWait(0);
    }
    QCoreApplication::processEvents();
    auto pixels = [](const QPixmap& pixmap) {
        QImage image = pixmap.toImage().convertToFormat(QImage::Format_RGB32);
        image.setDevicePixelRatio(1);
        return image;
    };
    const QImage shown = pixels(curveWindow->screen()->grabWindow(curveWindow->winId()));
    const QImage fresh = pixels(curveWindow->grab());
    EXPECT_EQ(shown, fresh);
}

// Each value label stands clear of every curve, of the other label and of
// the plot area's edges, wherever the marker is.
TEST_F(ImfpCurveWindowTest, MarkerLabelsStandClearOfTheCurves)
{
    pin(2); // Cu beside the current material
    for (const int row : {1, 3, 5}) {
        clickRow(row);
        for (const char* typed : {"50", "120", "1000", "15000", "150000"}) {
            typeInto(controls().txtElectronEnergy, QString::fromLatin1(typed));
            settle();
            const std::vector<QGraphicsSimpleTextItem*> labels = chart::markerLabels(*chart());
            ASSERT_EQ(labels.size(), 2u) << typed;
            const QRectF first = labels[0]->mapRectToParent(labels[0]->boundingRect());
            const QRectF second = labels[1]->mapRectToParent(labels[1]->boundingRect());
            EXPECT_FALSE(first.intersects(second)) << row << " " << typed;
            for (const QRectF& label : {first, second}) {
                EXPECT_TRUE(chart()->plotArea().contains(label)) << row << " " << typed;
                for (int curve = 0; curve < 4; ++curve) {
                    const QList<QPointF> points = line(curve)->points();
                    for (qsizetype i = 1; i < points.size(); ++i) {
                        const QPointF from = chart()->mapToPosition(points[i - 1], line(curve));
                        const QPointF to = chart()->mapToPosition(points[i], line(curve));
                        for (int step = 0; step <= 16; ++step)
                            ASSERT_FALSE(label.contains(from + (to - from) * step / 16.0))
                                << row << " " << typed << " " << curve;
                    }
                }
            }
        }
    }
}

// Also run on a 1920 x 1080 screen at 150 % and 200 % (QT_SCALE_FACTOR):
// the window lies inside the screen and every control has its whole size.
TEST_F(ImfpCurveWindowTest, AccessibleDescriptionAndFitAtEveryScale)
{
    EXPECT_EQ(curveControl("chartView")->accessibleDescription(),
              QStringLiteral("Log-log chart from 50 to 200000 eV, non-relativistic curves solid, relativistic dashed. "
                             "Materials: O. At 1000 eV: 27.85 \u00C5 non-relativistic, 27.79 \u00C5 relativistic."));
    EXPECT_TRUE(curveWindow->screen()->availableGeometry().contains(QRect(QPoint(0, 0), curveWindow->size())));
    const QSize minimum = curveWindow->minimumSizeHint();
    EXPECT_LE(minimum.width(), 1920 / 2);
    EXPECT_LE(minimum.height(), 1080 / 2);
    for (QWidget* control : curveWindow->findChildren<QWidget*>()) {
        if (!control->isVisible() || qobject_cast<QLabel*>(control) || control->objectName() == "chartView")
            continue;
        EXPECT_GE(control->width(), control->minimumSizeHint().width()) << control->objectName().toStdString();
        EXPECT_GE(control->height(), control->minimumSizeHint().height()) << control->objectName().toStdString();
    }
}

} // namespace
} // namespace korvane::ui
