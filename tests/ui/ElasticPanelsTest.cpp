#include "calc/ElasticCorrection.h"
#include "ui/ShownNumbers.h"
#include "support/WindowFixture.h"
#include "ui/ElasticPanels.h"
#include "ui/UpDownArrows.h"

#include <QToolButton>

#include <string>

namespace korvane::ui {
namespace {

class ElasticPanelsTest : public test::WindowFixture {
protected:
    void click(const char* name) { QTest::mouseClick(find(name), Qt::LeftButton); }
    QLineEdit* box(const char* name) const { return find<QLineEdit>(name); }
    // The elastic-scattering frames that are visible, in a fixed order; a
    // star marks the one on top where the chooser and both panels overlap.
    QString shownFrames() const
    {
        QWidget* top = window->centralWidget()->childAt(QPoint(150, 430));
        QStringList names;
        for (const char* name : {"frameElastic", "frameElastic1", "frameElastic2"})
            if (find(name)->isVisible())
                names << QLatin1String(name) + (top == find(name) || find(name)->isAncestorOf(top) ? "*" : "");
        return names.join(u' ');
    }
    void calculateTransport(const QString& trXsct)
    {
        typeInto(box("txtTrXsct"), trXsct);
        click("cmdCalc1");
    }
    // TrMFP and EffTrMFP as shown, then as stored.
    std::string transportPaths() const
    {
        const ElasticPanels& panels = *window->findChild<ElasticPanels*>();
        return QStringLiteral("%1 | %2 | %3 | %4")
            .arg(text("txtTrMFP"), text("txtEffTrMFP"))
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
    const std::pair<const char*, const char*> steps[] = {
        {"cmdCalc_CF", "frameElastic*"},
        {"Command3", ""},
        {"cmdElastic1", "frameElastic1*"},
        {"cmdCalc_CF", "frameElastic* frameElastic1"},
        {"cmdElastic2", "frameElastic1 frameElastic2*"},
        {"Command1", "frameElastic* frameElastic1"},
        {"Command2", "frameElastic*"},
    };
    EXPECT_EQ(shownFrames(), QString());
    for (const auto& [button, shown] : steps) {
        click(button);
        EXPECT_EQ(shownFrames(), QLatin1String(shown)) << "after " << button;
    }
    EXPECT_EQ(find("frameElastic1")->geometry(), QRect(7, 390, 187, 127));
    EXPECT_EQ(find("frameElastic2")->geometry(), QRect(7, 390, 319, 159));

    // Approximation 1 follows every keystroke of the depth.
    click("cmdElastic1");
    typeInto(box("txtDepth1"), QStringLiteral("20"));
    const QString at1000eV = cf1(20);
    EXPECT_EQ(text("txtCF1"), at1000eV);

    // A new IMFP leaves the shown CF; the label recomputes it.
    QTest::mouseClick(window->controls().updEnergy->upButton(), Qt::LeftButton);
    EXPECT_EQ(text("txtCF1"), at1000eV);
    click("lblCF1");
    EXPECT_EQ(text("txtCF1"), cf1(20));
}

TEST_F(ElasticPanelsTest, Approximation2UsesTheEffectivePathOfTheLastSuccessfulClick)
{
    const float siliconEff = 17.8893776f;
    clickRow(1); // Si
    click("cmdCalc_CF");
    click("cmdElastic2");
    typeInto(box("txtDepth"), QStringLiteral("20"));
    calculateTransport(QStringLiteral("1"));
    const std::string silicon = "71.46 \u00C5 | 17.89 \u00C5 | 71.4604797 | 17.8893776";
    EXPECT_EQ(transportPaths(), silicon);
    EXPECT_EQ(text("txtCF2"), QString()) << "the button computes no CF";

    // A cross-section of 0 or below changes neither the fields nor the stored
    // paths: no TrMFP is formed from it. (A negative one gave a negative TrMFP
    // that was kept, such as -23.86 Å for silicon with S = -2.99457.)
    for (const double refused : {0.0, -2.9945760190339636, -1.0}) {
        calculateTransport(QLocale().toString(refused, 'g', 17));
        EXPECT_EQ(transportPaths(), silicon) << refused;
    }

    // CF follows the label and the depth, from the stored EffTrMFP and never
    // from its text, which is for display only.
    click("lblCF2");
    EXPECT_EQ(text("txtCF2"), cf2(20, siliconEff));
    typeInto(box("txtEffTrMFP"), QStringLiteral("5"));
    typeInto(box("txtDepth"), QStringLiteral("35"));
    EXPECT_EQ(text("txtCF2"), cf2(35, siliconEff));

    // Another material changes nothing until the button is clicked again.
    clickRow(2); // Cu
    typeInto(box("txtDepth"), QStringLiteral("15"));
    EXPECT_EQ(text("txtCF2"), cf2(15, siliconEff));
}

} // namespace
} // namespace korvane::ui
