#include "calc/ElasticCorrection.h"
#include "materials/NumberText.h"
#include "support/WindowFixture.h"
#include "ui/ElasticPanels.h"

#include <QGroupBox>
#include <QLabel>

namespace korvane::ui {
namespace {

const QString kAngstrom = QStringLiteral(" \u00C5");

class ElasticPanelsTest : public test::WindowFixture {
protected:
    void click(const char* name) { QTest::mouseClick(find(name), Qt::LeftButton); }
    bool visible(const char* name) const { return find(name)->isVisible(); }
    QLineEdit* box(const char* name) const { return find<QLineEdit>(name); }
    const ElasticPanels& panels() const { return *window->findChild<ElasticPanels*>(); }

    // Whether a frame, or a control in it, is on top at a point of the window's client area.
    bool onTop(const char* frame, QPoint point) const
    {
        QWidget* top = window->centralWidget()->childAt(point);
        return top == find(frame) || find(frame)->isAncestorOf(top);
    }

    void openPanel(const char* chooserButton)
    {
        click("cmdCalc_CF");
        click(chooserButton);
    }
    void calculateTransport(const QString& crossSection)
    {
        typeInto(box("txtTrXsct"), crossSection);
        click("cmdCalc1");
    }
    QString cf1(float depth) const { return numbertext::factor(*correctionFactorApprox1(depth, window->storedImfp())); }
    static QString cf2(float depth, float effTrMfp)
    {
        return numbertext::factor(*correctionFactorApprox2(depth, effTrMfp));
    }
};

TEST_F(ElasticPanelsTest, ChooserOpensAndClosesAndPanelsStackInDesignedOrder)
{
    for (const char* frame : {"frameElastic", "frameElastic1", "frameElastic2"})
        EXPECT_FALSE(visible(frame)) << frame;

    click("cmdCalc_CF");
    EXPECT_TRUE(visible("frameElastic"));
    EXPECT_FALSE(visible("frameElastic1"));
    EXPECT_FALSE(visible("frameElastic2"));
    click("cmdCalc_CF");
    EXPECT_TRUE(visible("frameElastic")) << "a second click leaves the chooser shown";
    click("Command3");
    for (const char* frame : {"frameElastic", "frameElastic1", "frameElastic2"})
        EXPECT_FALSE(visible(frame)) << frame;

    // Approximation 1 open, then the chooser again: the chooser lies on top.
    openPanel("cmdElastic1");
    click("cmdCalc_CF");
    EXPECT_TRUE(visible("frameElastic1"));
    EXPECT_TRUE(visible("frameElastic"));
    const QPoint overlap(150, 430); // inside both panels and the chooser
    EXPECT_TRUE(onTop("frameElastic", overlap));

    // Approximation 2 opens at the same place, over panel 1, which stays shown.
    click("cmdElastic2");
    EXPECT_FALSE(visible("frameElastic"));
    EXPECT_TRUE(visible("frameElastic1"));
    EXPECT_TRUE(visible("frameElastic2"));
    EXPECT_EQ(find("frameElastic2")->geometry(), QRect(7, 390, 319, 159));
    EXPECT_TRUE(onTop("frameElastic2", overlap));
    EXPECT_EQ(text("txtCF2"), QString());

    click("Command1");
    EXPECT_FALSE(visible("frameElastic2"));
    EXPECT_TRUE(visible("frameElastic"));
    click("Command2");
    EXPECT_FALSE(visible("frameElastic1"));
    EXPECT_TRUE(visible("frameElastic"));
}

TEST_F(ElasticPanelsTest, Approximation1FollowsEveryDepthEdit)
{
    openPanel("cmdElastic1");
    EXPECT_TRUE(visible("frameElastic1"));
    EXPECT_FALSE(visible("frameElastic"));
    EXPECT_EQ(find("frameElastic1")->geometry(), QRect(7, 390, 187, 127));
    EXPECT_EQ(text("txtDepth1"), QStringLiteral("10"));
    EXPECT_EQ(text("txtCF1"), QString()) << "opening computes nothing";

    QLineEdit* depth = box("txtDepth1");
    typeInto(depth, QStringLiteral("1"));
    EXPECT_EQ(text("txtCF1"), cf1(1));
    QTest::keyClicks(depth, QStringLiteral("5"));
    EXPECT_EQ(text("txtDepth1"), QStringLiteral("15"));
    EXPECT_EQ(text("txtCF1"), cf1(15));
    EXPECT_NE(cf1(1), cf1(15));

    QTest::keyClicks(depth, kAngstrom);
    EXPECT_EQ(text("txtCF1"), cf1(15)) << "a depth with a unit is refused";
    typeInto(depth, QString());
    EXPECT_EQ(text("txtCF1"), cf1(15)) << "an empty depth is refused";

    typeInto(depth, QStringLiteral("0"));
    EXPECT_EQ(text("txtCF1"), QStringLiteral("1.098"));
    typeInto(depth, QStringLiteral("-5"));
    EXPECT_EQ(text("txtCF1"), QStringLiteral("0.000"));
    typeInto(depth, QStringLiteral("100000"));
    EXPECT_EQ(text("txtCF1"), QStringLiteral("0.023"));

    // A new IMFP leaves the shown CF; the label recomputes it.
    typeInto(depth, QStringLiteral("20"));
    const QString at1000eV = text("txtCF1");
    typeInto(box("txtElectronEnergy"), QStringLiteral("3000"));
    EXPECT_EQ(text("txtCF1"), at1000eV);
    QTest::mouseClick(find<QLabel>("lblCF1"), Qt::LeftButton);
    EXPECT_EQ(text("txtCF1"), cf1(20));
    EXPECT_NE(text("txtCF1"), at1000eV);

    // Closing and reopening keeps the depth and empties the CF.
    click("Command2");
    click("cmdElastic1");
    EXPECT_EQ(text("txtDepth1"), QStringLiteral("20"));
    EXPECT_EQ(text("txtCF1"), QString());
}

TEST_F(ElasticPanelsTest, Approximation2UsesTheStoredEffectivePath)
{
    clickRow(1);
    ASSERT_EQ(text("txtName"), QStringLiteral("Si"));
    const float siliconImfp = window->storedImfp();
    const float siliconEff = *transportMeanFreePaths(2.33f, 28.085f, 1.0, siliconImfp).effTrMfp;

    openPanel("cmdElastic2");
    typeInto(box("txtDepth"), QStringLiteral("20"));
    QTest::mouseClick(find<QLabel>("lblCF2"), Qt::LeftButton);
    EXPECT_EQ(text("txtCF2"), QString()) << "no EffTrMFP yet";

    // Refused cross-sections change neither the fields nor the stored values.
    for (const char* refused : {"1x", "", "0"}) {
        calculateTransport(QString::fromLatin1(refused));
        EXPECT_EQ(text("txtTrMFP"), QStringLiteral("10")) << refused;
        EXPECT_EQ(text("txtEffTrMFP"), QStringLiteral("10")) << refused;
        EXPECT_EQ(panels().storedTrMfp(), 0.0f) << refused;
        EXPECT_EQ(panels().storedEffTrMfp(), 0.0f) << refused;
    }

    calculateTransport(QStringLiteral("1"));
    EXPECT_EQ(text("txtTrMFP"), QStringLiteral("71.46") + kAngstrom);
    EXPECT_EQ(text("txtEffTrMFP"), numbertext::length(siliconEff));
    EXPECT_EQ(panels().storedTrMfp(), 71.46048f);
    EXPECT_EQ(panels().storedEffTrMfp(), siliconEff);
    EXPECT_EQ(text("txtCF2"), QString()) << "the button computes no CF";
    QTest::mouseClick(find<QLabel>("lblCF2"), Qt::LeftButton);
    EXPECT_EQ(text("txtCF2"), cf2(20, siliconEff));
    typeInto(box("txtDepth"), QStringLiteral("35"));
    EXPECT_EQ(text("txtCF2"), cf2(35, siliconEff));
    typeInto(box("txtDepth"), QStringLiteral("35 nm"));
    EXPECT_EQ(text("txtCF2"), cf2(35, siliconEff));

    calculateTransport(QStringLiteral("abc"));
    EXPECT_EQ(text("txtTrMFP"), QStringLiteral("71.46") + kAngstrom);
    EXPECT_EQ(panels().storedEffTrMfp(), siliconEff);

    // The EffTrMFP text is for display only.
    typeInto(box("txtEffTrMFP"), QStringLiteral("5"));
    typeInto(box("txtDepth"), QStringLiteral("10"));
    EXPECT_EQ(text("txtCF2"), cf2(10, siliconEff));
    EXPECT_NE(cf2(10, siliconEff), cf2(10, 5));

    // Another material changes nothing until the button is clicked again.
    clickRow(2);
    ASSERT_EQ(text("txtName"), QStringLiteral("Cu"));
    typeInto(box("txtDepth"), QStringLiteral("15"));
    EXPECT_EQ(text("txtCF2"), cf2(15, siliconEff));
    calculateTransport(QStringLiteral("1"));
    const float copperEff = *transportMeanFreePaths(8.96f, 63.546f, 1.0, window->storedImfp()).effTrMfp;
    EXPECT_EQ(text("txtTrMFP"), QStringLiteral("42.05") + kAngstrom);
    EXPECT_EQ(text("txtEffTrMFP"), numbertext::length(copperEff));
    EXPECT_EQ(text("txtCF2"), cf2(15, siliconEff));
    QTest::mouseClick(find<QLabel>("lblCF2"), Qt::LeftButton);
    EXPECT_EQ(text("txtCF2"), cf2(15, copperEff));
    EXPECT_NE(cf2(15, copperEff), cf2(15, siliconEff));

    // Reopening keeps the paths, empties the CF and goes on with them.
    click("Command1");
    click("cmdElastic2");
    EXPECT_EQ(text("txtTrMFP"), QStringLiteral("42.05") + kAngstrom);
    EXPECT_EQ(text("txtCF2"), QString());
    typeInto(box("txtDepth"), QStringLiteral("40"));
    EXPECT_EQ(text("txtCF2"), cf2(40, copperEff));
}

// A negative cross-section can make TrMFP + IMFP exactly 0: the new TrMFP is
// kept, the fields and the stored EffTrMFP stay as they were.
TEST_F(ElasticPanelsTest, TransportPathIsKeptWhenTheEffectivePathFails)
{
    clickRow(1);
    const float imfp = window->storedImfp();
    const double firstGuess = -double(*transportMeanFreePaths(2.33f, 28.085f, 1.0, imfp).trMfp) / imfp;
    double crossSection = 0;
    for (int step = -30; step <= 30 && crossSection == 0; ++step) {
        const double candidate = firstGuess * (1 + step * 1e-8);
        const TransportPaths paths = transportMeanFreePaths(2.33f, 28.085f, candidate, imfp);
        if (paths.trMfp == -imfp && !paths.effTrMfp)
            crossSection = candidate;
    }
    ASSERT_NE(crossSection, 0) << "no cross-section cancels the IMFP";

    openPanel("cmdElastic2");
    calculateTransport(QStringLiteral("1"));
    const QString trText = text("txtTrMFP");
    const QString effText = text("txtEffTrMFP");
    const float eff = panels().storedEffTrMfp();

    calculateTransport(QLocale().toString(crossSection, 'g', 17));
    EXPECT_EQ(panels().storedTrMfp(), -imfp);
    EXPECT_EQ(panels().storedEffTrMfp(), eff);
    EXPECT_EQ(text("txtTrMFP"), trText);
    EXPECT_EQ(text("txtEffTrMFP"), effText);
}

} // namespace
} // namespace korvane::ui
