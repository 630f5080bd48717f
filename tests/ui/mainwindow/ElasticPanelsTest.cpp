#include "calc/ElasticCorrection.h"
#include "ui/common/ShownNumbers.h"
#include "support/WindowFixture.h"
#include "ui/mainwindow/ElasticPanels.h"
#include "ui/controls/UpDownArrows.h"

#include <QToolButton>

#include <string>

namespace korvane::ui {
namespace {

class ElasticPanelsTest : public test::WindowFixture {
protected:
    // The elastic-scattering frames that are visible, in a fixed order; a
    // star marks the one on top where the chooser and both panels overlap.
    QString shownFrames() const
    {
        QWidget* top = window->centralWidget()->childAt(QPoint(150, 430));
        QStringList names;
        for (QGroupBox* frame : {controls().frameElastic, controls().frameElastic1, controls().frameElastic2})
            if (frame->isVisible())
                names << frame->objectName() + (top == frame || frame->isAncestorOf(top) ? "*" : "");
        return names.join(u' ');
    }
    void calculateTransport(const QString& trXsct)
    {
        typeInto(controls().txtTrXsct, trXsct);
        click(controls().cmdCalc1);
    }
    // TrMFP and EffTrMFP as shown, then as stored.
    std::string transportPaths() const
    {
        const ElasticPanels& panels = *window->findChild<ElasticPanels*>();
        return QStringLiteral("%1 | %2 | %3 | %4")
            .arg(controls().txtTrMFP->text(), controls().txtEffTrMFP->text())
            .arg(panels.storedTrMfp(), 0, 'g', 9)
            .arg(panels.storedEffTrMfp(), 0, 'g', 9)
            .toStdString();
    }
    QString cf1(float depth) const
    {
        return numbertext::factor(*correctionFactorApprox1(depth, *window->storedImfp()));
    }
    static QString cf2(float depth, float eff) { return numbertext::factor(*correctionFactorApprox2(depth, eff)); }
};

TEST_F(ElasticPanelsTest, ChooserOpensPanelsThatStackAtOnePlaceAndApproximation1FollowsEveryKeystroke)
{
    const std::pair<QPushButton*, const char*> steps[] = {
        {controls().cmdCalc_CF, "frameElastic*"},
        {controls().Command3, ""},
        {controls().cmdElastic1, "frameElastic1*"},
        {controls().cmdCalc_CF, "frameElastic* frameElastic1"},
        {controls().cmdElastic2, "frameElastic1 frameElastic2*"},
        {controls().Command1, "frameElastic* frameElastic1"},
        {controls().Command2, "frameElastic*"},
    };
    EXPECT_EQ(shownFrames(), QString());
    for (const auto& [button, shown] : steps) {
        click(button);
        EXPECT_EQ(shownFrames(), QLatin1String(shown)) << "after " << button->objectName().toStdString();
    }
    EXPECT_EQ(controls().frameElastic1->geometry(), QRect(7, 390, 187, 127));
    EXPECT_EQ(controls().frameElastic2->geometry(), QRect(7, 390, 319, 159));

    // Approximation 1 follows every keystroke of the depth.
    click(controls().cmdElastic1);
    typeInto(controls().txtDepth1, QStringLiteral("20"));
    const QString at1000eV = cf1(20);
    EXPECT_EQ(controls().txtCF1->text(), at1000eV);

    // A new IMFP leaves the shown CF; the label recomputes it.
    QTest::mouseClick(controls().updEnergy->upButton(), Qt::LeftButton);
    EXPECT_EQ(controls().txtCF1->text(), at1000eV);
    click(controls().lblCF1);
    EXPECT_EQ(controls().txtCF1->text(), cf1(20));
}

TEST_F(ElasticPanelsTest, Approximation2UsesTheEffectivePathOfTheLastSuccessfulClick)
{
    const float siliconEff = 17.8893776f;
    clickRow(1); // Si
    click(controls().cmdCalc_CF);
    click(controls().cmdElastic2);
    typeInto(controls().txtDepth, QStringLiteral("20"));
    calculateTransport(QStringLiteral("1"));
    const std::string silicon = "71.46 \u00C5 | 17.89 \u00C5 | 71.4604797 | 17.8893776";
    EXPECT_EQ(transportPaths(), silicon);
    EXPECT_EQ(controls().txtCF2->text(), QString()) << "the button computes no CF";

    // A cross-section of 0 or below changes neither the fields nor the stored
    // paths: no TrMFP is formed from it. (A negative one gave a negative TrMFP
    // that was kept, such as -23.86 Å for silicon with S = -2.99457.)
    for (const double refused : {0.0, -2.9945760190339636, -1.0}) {
        calculateTransport(QLocale().toString(refused, 'g', 17));
        EXPECT_EQ(transportPaths(), silicon) << refused;
    }

    // CF follows the label and the depth, from the stored EffTrMFP and never
    // from its text, which is for display only.
    click(controls().lblCF2);
    EXPECT_EQ(controls().txtCF2->text(), cf2(20, siliconEff));
    typeInto(controls().txtEffTrMFP, QStringLiteral("5"));
    typeInto(controls().txtDepth, QStringLiteral("35"));
    EXPECT_EQ(controls().txtCF2->text(), cf2(35, siliconEff));

    // Another material changes nothing until the button is clicked again.
    clickRow(2); // Cu
    typeInto(controls().txtDepth, QStringLiteral("15"));
    EXPECT_EQ(controls().txtCF2->text(), cf2(15, siliconEff));
}

// After a failed IMFP no CF of the material before is given: approximation
// 2's EffTrMFP and CF go with the IMFP, as approximation 1's CF does.
TEST_F(ElasticPanelsTest, AFailedImfpTakesApproximation2sEffectivePathAndCfWithIt)
{
    // Hydrogen and helium as shipped; helium's values give no IMFP.
    ASSERT_TRUE(store->insert(test::material(1001, "H", 0.086f, 1.008f, 15, std::nullopt, 1, std::nullopt, std::nullopt)));
    ASSERT_TRUE(store->insert(test::material(1002, "He", 0.125f, 4.002602f, 22, std::nullopt, 2, std::nullopt, std::nullopt)));
    clickRow(6);
    ASSERT_EQ(controls().txtName->text(), QStringLiteral("H"));
    click(controls().cmdCalc_CF);
    click(controls().cmdElastic2);
    click(controls().cmdCalc1);
    EXPECT_EQ(controls().txtTrMFP->text(), QStringLiteral("69.49 \u00C5"));
    EXPECT_EQ(controls().txtEffTrMFP->text(), QStringLiteral("54.55 \u00C5"));
    typeInto(controls().txtDepth, QStringLiteral("30"));
    EXPECT_EQ(controls().txtCF2->text(), QStringLiteral("1.069")); // tpp2m cf2 H --depth 30

    clickRow(7); // He
    EXPECT_EQ(controls().txtIMFP_2M->text(), QString());
    EXPECT_EQ(controls().txtEffTrMFP->text(), QString());
    EXPECT_EQ(controls().txtCF2->text(), QString());
    EXPECT_EQ(controls().txtTrMFP->text(), QStringLiteral("69.49 \u00C5")); // no IMFP goes into it
    typeInto(controls().txtDepth, QStringLiteral("31"));
    click(controls().lblCF2);
    EXPECT_EQ(controls().txtCF2->text(), QString());
    EXPECT_EQ(window->findChild<ElasticPanels*>()->storedEffTrMfp(), 0.0f);
}

} // namespace
} // namespace korvane::ui
