#include "materials/store/ShippedMaterials.h"
#include "ui/common/ShownNumbers.h"
#include "support/WindowFixture.h"
#include "ui/controls/DataControl.h"
#include "ui/tools/depth/DepthWindow.h"
#include "ui/controls/UpDownArrows.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace korvane::ui {
namespace {

class Form1Test : public test::WindowFixture {
protected:
    static void clickCheck(QCheckBox* box)
    {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() / 2, box->height() / 2));
    }
    void setEnergy(const QString& energy) { typeInto(controls().txtElectronEnergy, energy); }
    QString imfp() const { return controls().txtIMFP_2M->text(); }
};

const QString kAngstrom = QStringLiteral(" \u00C5");

TEST_F(Form1Test, StartsOnTheFirstMaterialAt1000eVAndTheBarStaysWithinTheRecords)
{
    // The first material in ID order, a blank group and the total, at 1000 eV.
    EXPECT_EQ(controls().txtElectronEnergy->text(), QStringLiteral("1000"));
    EXPECT_EQ(controls().txtName->text(), QStringLiteral("O"));
    EXPECT_EQ(controls().txt_s_p_lbe->text(), QStringLiteral("6.0"));
    EXPECT_EQ(controls().txt_d->text(), QString());
    EXPECT_EQ(controls().txt_Val_El_Total->text(), QStringLiteral("6"));
    EXPECT_FALSE(controls().txtError->isVisible());

    // The navigation bar moves the record, the list and the caption together.
    auto* bar = controls().adoMaterials;
    EXPECT_EQ(bar->caption(), QStringLiteral("Rec: 1 of 6"));
    QTest::mouseClick(bar->findChild<QToolButton*>("moveLast"), Qt::LeftButton);
    EXPECT_EQ(bar->caption(), QStringLiteral("Rec: 6 of 6"));
    EXPECT_EQ(controls().dgrdName->currentIndex().row(), 5);
    EXPECT_EQ(controls().txtName->text(), QStringLiteral("SiC"));
}

TEST_F(Form1Test, SilicaThroughTheWindowInBothForms)
{
    clickRow(3);
    EXPECT_EQ(imfp(), QStringLiteral("29.12") + kAngstrom);
    click(controls().Opt_relativistic);
    EXPECT_EQ(imfp(), QStringLiteral("29.05") + kAngstrom);
    click(controls().Opt_non_relativistic);
    setEnergy(QStringLiteral("100000"));
    EXPECT_EQ(imfp(), QStringLiteral("1449.10") + kAngstrom);
}

TEST_F(Form1Test, EnergyRangeNoteArrowsAndALongEnergy)
{
    auto* arrows = controls().updEnergy;
    // The note stands beside energies outside 50 eV to 200 keV.
    for (const auto& [energy, noteShown] :
         {std::pair{"49.99", true}, std::pair{"50", false}, std::pair{"200000.01", true}, std::pair{"200000", false}}) {
        setEnergy(QString::fromLatin1(energy));
        EXPECT_EQ(controls().txt_outside_valid_energy_range->isVisible(), noteShown) << energy;
    }

    // The arrows step by 50 eV; down from 50 eV the energy 0 fails.
    setEnergy(QStringLiteral("1000.5"));
    QTest::mouseClick(arrows->upButton(), Qt::LeftButton);
    EXPECT_EQ(controls().txtElectronEnergy->text(), QStringLiteral("1050.5"));
    setEnergy(QStringLiteral("50"));
    ASSERT_NE(imfp(), QString());
    QTest::mouseClick(arrows->downButton(), Qt::LeftButton);
    EXPECT_EQ(controls().txtElectronEnergy->text(), QStringLiteral("0"));
    EXPECT_TRUE(controls().txt_outside_valid_energy_range->isVisible());
    EXPECT_TRUE(controls().txtError->isVisible());
    EXPECT_EQ(imfp(), QString()) << "a failed computation leaves no IMFP";

    // An energy that is not a number: the note keeps its state, the arrows beep.
    setEnergy(QStringLiteral("1000"));
    setEnergy(QStringLiteral("abc"));
    EXPECT_FALSE(controls().txt_outside_valid_energy_range->isVisible());
    QTest::mouseClick(arrows->upButton(), Qt::LeftButton);
    EXPECT_EQ(controls().txtElectronEnergy->text(), QStringLiteral("abc"));
    EXPECT_EQ(prompts.beeps, 1);

    // A long energy shows its end while typed and its start out of editing.
    auto* energy = controls().txtElectronEnergy;
    ASSERT_GT(energy->fontMetrics().horizontalAdvance(QStringLiteral("200000.01")), energy->width());
    setEnergy(QStringLiteral("199950.01"));
    EXPECT_EQ(energy->cursorPosition(), 9) << "while typing, the end";
    controls().cmdExit->setFocus();
    EXPECT_EQ(energy->cursorPosition(), 0);
    QTest::mouseClick(arrows->upButton(), Qt::LeftButton);
    EXPECT_EQ(energy->text(), QStringLiteral("200000.01"));
    EXPECT_EQ(energy->cursorPosition(), 0);
}

TEST_F(Form1Test, ValenceGroupsMakeTheTotal)
{
    clickRow(2); // Cu: s+p(hbe) 8, s+p(lbe) 1, d 10, f empty
    EXPECT_EQ(controls().txt_Val_El_Total->text(), QStringLiteral("11"));
    const QString at11 = imfp();
    clickCheck(controls().chk_S_P_hbe);
    EXPECT_EQ(controls().txtNoValenceElectrprAtomorMolec->text(), QStringLiteral("19"));
    EXPECT_NE(imfp(), at11);
    clickCheck(controls().chk_S_P_hbe);
    clickCheck(controls().chk_S_P_lbe);
    clickCheck(controls().chk_d);
    EXPECT_EQ(controls().txt_Val_El_Total->text(), QStringLiteral("0"));
    EXPECT_TRUE(controls().txtError->isVisible()) << "no valence electrons";
    EXPECT_EQ(imfp(), QString()) << "no IMFP without valence electrons";
}

TEST_F(Form1Test, AFailedImfpLeavesNoNumberAndEveryReaderOfTheStoredImfpFails)
{
    const Form1Controls& ui = window->controls();
    const auto cf1 = [&] {
        QTest::mouseClick(ui.cmdCalc_CF, Qt::LeftButton);
        QTest::mouseClick(ui.cmdElastic1, Qt::LeftButton);
        typeInto(ui.txtDepth1, QStringLiteral("10"));
        return ui.txtCF1->text();
    };
    DepthWindow* depth = DepthWindow::showFor(window.get(), window->state(), *store);
    const auto depthMessage = [depth] { return test::child<QLabel>(depth, "lblDepthMessage")->text(); };

    // Helium typed over oxygen: at 1000 eV the formula's value would be
    // -884.50 Å. Oxygen's IMFP and the CF from it go; none is kept.
    click(controls().cmdChangeParam);
    typeInto(ui.txtBulkDensity, QStringLiteral("0.125"));
    typeInto(ui.txtAtomicMass, QStringLiteral("4.002602"));
    typeInto(ui.txt_s_p_lbe, QStringLiteral("2"));
    typeInto(ui.txtEnergyGap, QStringLiteral("2"));
    ASSERT_GT(window->storedImfp().value_or(0), 0);
    ASSERT_NE(cf1(), QString());
    QTest::keyClick(ui.txtEnergyGap, Qt::Key_2);
    auto* error = ui.txtError;
    EXPECT_TRUE(error->isVisible());
    EXPECT_EQ(error->text(), QStringLiteral(" The formula gives no physical IMFP for these values."));
    EXPECT_EQ(imfp(), QString());
    EXPECT_EQ(window->storedImfp(), std::nullopt);
    EXPECT_EQ(ui.txtCF1->text(), QString());
    EXPECT_EQ(depthMessage(), QStringLiteral("The formula gives no physical IMFP for these values."));

    // CF by approximation 1 and the transport paths compute nothing from it.
    EXPECT_EQ(cf1(), QString());
    QTest::mouseClick(ui.Command2, Qt::LeftButton);
    QTest::mouseClick(ui.cmdElastic2, Qt::LeftButton);
    typeInto(ui.txtTrXsct, QStringLiteral("1"));
    const QString paths = ui.txtTrMFP->text() + u'|' + ui.txtEffTrMFP->text();
    QTest::mouseClick(ui.cmdCalc1, Qt::LeftButton);
    EXPECT_EQ(ui.txtTrMFP->text() + u'|' + ui.txtEffTrMFP->text(), paths);

    // An energy of 0 after a good IMFP: the same.
    typeInto(ui.txtEnergyGap, QStringLiteral("0.0"));
    ASSERT_NE(imfp(), QString());
    QTest::mouseClick(ui.Command1, Qt::LeftButton);
    ASSERT_NE(cf1(), QString());
    setEnergy(QStringLiteral("0"));
    EXPECT_EQ(error->text(), QStringLiteral(" Check that all material parameters are correct."));
    EXPECT_EQ(imfp(), QString());
    EXPECT_EQ(window->storedImfp(), std::nullopt);
    EXPECT_EQ(ui.txtCF1->text(), QString());
    EXPECT_EQ(depthMessage(), QStringLiteral("The TPP-2M formula gives no IMFP for this material and energy."));
    setEnergy(QStringLiteral("1000"));

    // The other failures keep their own words; a good result hides the field.
    typeInto(controls().txtBulkDensity, QString());
    EXPECT_EQ(error->text(), QStringLiteral(" Check that all material parameters are correct."));
    typeInto(controls().txtEnergyGap, QStringLiteral("0"));
    typeInto(controls().txtBulkDensity, QStringLiteral("1.568"));
    EXPECT_FALSE(error->isVisible());
}

// The first start in a folder without a database: the file is made from the
// shipped materials and the window opens on hydrogen.
class FreshStart : public test::WindowFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(QFileInfo(database.path()).path()).removeRecursively());
        WindowFixture::SetUp();
    }
};

TEST_F(FreshStart, CreatesEveryShippedRowAndShowsHydrogenFirst)
{
    const std::size_t shipped = readShippedMaterials(shippedMaterialsText())->size();
    ASSERT_EQ(store->storedRowCount(), int(shipped));
    EXPECT_EQ(controls().txtName->text(), QStringLiteral("H"));
    EXPECT_EQ(controls().adoMaterials->caption(), QStringLiteral("Rec: 1 of %1").arg(shipped));
    EXPECT_FALSE(controls().txtError->isVisible());
}

} // namespace
} // namespace korvane::ui
