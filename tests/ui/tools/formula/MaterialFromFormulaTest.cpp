#include "support/FindChild.h"
#include "support/WindowFixture.h"
#include "ui/tools/formula/MaterialFromFormula.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <QFile>

namespace korvane::ui {
namespace {

// The elements with the numbers the worked examples use: Nv 4 for Si, 6 for
// O, 11 for Cu (with the window's ticks), M 28.08, 16 and, to its last digit, 63.546.
std::vector<Material> workedExampleElements()
{
    return {
        test::material(8, "O", 1.568f, 16, 0, std::nullopt, 6, std::nullopt, std::nullopt),
        test::material(14, "Si", 2.33f, 28.08f, 1.12f, 8, 4, std::nullopt, std::nullopt),
        test::material(29, "Cu", 8.96f, 63.546f, 0, 8, 1, 10, std::nullopt),
        test::material(104, "SiO2", 2.65f, 60.08f, 9.1f, std::nullopt, std::nullopt, std::nullopt, 16),
    };
}

class MaterialFromFormulaTest : public test::WindowFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::remove(database.path()));
        ASSERT_TRUE(createMaterialDatabase(database.path(), workedExampleElements()));
        WindowFixture::SetUp();
    }

    // Opens the dialog from the Tools menu.
    MaterialFromFormula* openDialog()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // dialogs closed before
        window->findChild<QAction*>(QStringLiteral("mnuMaterialFromFormula"))->trigger();
        auto* dialog = window->findChild<MaterialFromFormula*>();
        EXPECT_TRUE(dialog && dialog->isVisible());
        return dialog;
    }
    static QString label(QWidget* dialog, const char* name) { return test::child<QLabel>(dialog, name)->text(); }
    static QPushButton* button(QWidget* dialog, const char* name) { return test::child<QPushButton>(dialog, name); }
    void typeFormula(QWidget* dialog, const QString& formula)
    {
        typeInto(dialog->findChild<QLineEdit*>(QStringLiteral("txtFormula")), formula);
    }
    QString sums(QWidget* dialog) { return label(dialog, "lblValenceSum") + u'|' + label(dialog, "lblMassSum"); }
    QStringList fields() const
    {
        const Form1Controls& ui = controls();
        QStringList texts;
        for (QLineEdit* box : {ui.txtName, ui.txt_s_p_hbe, ui.txt_s_p_lbe, ui.txt_d, ui.txt_f, ui.txtAtomicMass,
                               ui.txtBulkDensity, ui.txtEnergyGap, ui.txtNoValenceElectrprAtomorMolec})
            texts << box->text();
        return texts;
    }
};

TEST_F(MaterialFromFormulaTest, WorkedExamplesFillTheFieldsBadFormulasChangeNothingAndAnUntickedFBoxIsNamed)
{
    // SiO2: from browsing, the menu starts a new material first.
    MaterialFromFormula* dialog = openDialog();
    typeFormula(dialog, QStringLiteral("SiO2"));
    EXPECT_EQ(sums(dialog), QStringLiteral("Nv = 4 + 2*6 = 16|M = 28.08 + 2*16 = 60.08"));
    EXPECT_TRUE(label(dialog, "lblUserEntries").contains(QStringLiteral("bulk density and the band gap")));
    QTest::mouseClick(button(dialog, "cmdUse"), Qt::LeftButton);
    EXPECT_EQ(fields(), QStringList({"SiO2", "", "", "", "16", "60.08", "", "", "16"}));
    EXPECT_EQ(test::storedMaterials(database.path()).size(), 4u); // nothing saved yet
    // Without a density the typed values form no material: no IMFP, not
    // even the one of the material shown before.
    EXPECT_EQ(controls().txtIMFP_2M->text(), QString());

    // Density and gap from the user; Save stores the row as the example's.
    typeInto(controls().txtBulkDensity, QStringLiteral("2.65"));
    typeInto(controls().txtEnergyGap, QStringLiteral("9.1"));
    click(controls().cmdSave);
    Material expected = workedExampleElements()[3];
    expected.id = 105;
    EXPECT_EQ(test::storedMaterials(database.path())[105], expected);

    // Cu2O, with every digit of the sum; cancelling in the window leaves the file as it was.
    dialog = openDialog();
    typeFormula(dialog, QStringLiteral("Cu2O"));
    EXPECT_EQ(sums(dialog), QStringLiteral("Nv = 2*11 + 6 = 28|M = 2*63.546 + 16 = 143.092"));
    QTest::keyClick(dialog->findChild<QLineEdit*>(QStringLiteral("txtFormula")), Qt::Key_Return);
    EXPECT_EQ(fields(), QStringList({"Cu2O", "", "", "", "28", "143.092", "", "", "28"}));
    click(controls().cmdClose);
    EXPECT_EQ(test::storedMaterials(database.path()).size(), 5u);

    // While changing, the menu keeps the material and its name.
    clickRow(1); // Si
    click(controls().cmdChangeParam);
    const QStringList before = fields();
    dialog = openDialog();
    // A formula the parser refuses shows its message and fills nothing.
    typeFormula(dialog, QStringLiteral("Xx2O"));
    EXPECT_EQ(label(dialog, "lblProblem"), QStringLiteral("unknown element \"Xx\" in the formula \"Xx2O\""));
    EXPECT_FALSE(button(dialog, "cmdUse")->isEnabled());
    QTest::mouseClick(button(dialog, "cmdCancel"), Qt::LeftButton);
    EXPECT_EQ(fields(), before);

    // A material that has a name keeps it; the other groups are emptied so
    // that Nv is the formula's.
    dialog = openDialog();
    typeFormula(dialog, QStringLiteral("SiO2"));
    QTest::mouseClick(button(dialog, "cmdUse"), Qt::LeftButton);
    EXPECT_EQ(fields(), QStringList({"Si", "", "", "", "16", "60.08", "2.33", "1.12", "16"}));

    // With the f box unticked the dialog warns that Nv would not count.
    controls().chk_f->click();
    dialog = openDialog();
    typeFormula(dialog, QStringLiteral("O"));
    EXPECT_EQ(label(dialog, "lblProblem"),
              QStringLiteral("The f box is not ticked in the window: tick it, or Nv will not count."));
}

TEST_F(MaterialFromFormulaTest, OnlyUseStartsANewMaterialAndClosingTheDialogChangesNothing)
{
    const Form1Controls& ui = controls();
    const QStringList before = fields();
    const QString imfp = ui.txtIMFP_2M->text();
    const auto unchanged = [&](const char* after) {
        EXPECT_EQ(window->editingMode(), Form1::EditingMode::Browsing) << after;
        EXPECT_EQ(fields(), before) << after;
        EXPECT_EQ(ui.txtIMFP_2M->text(), imfp) << after;
        EXPECT_FALSE(ui.cmdSave->isEnabled()) << after;
        EXPECT_FALSE(ui.txtProcess->isVisible()) << after;
    };

    MaterialFromFormula* dialog = openDialog();
    unchanged("opening");
    typeFormula(dialog, QStringLiteral("SiO2"));
    unchanged("typing a formula");
    QTest::mouseClick(button(dialog, "cmdCancel"), Qt::LeftButton);
    unchanged("Cancel");
    dialog = openDialog();
    typeFormula(dialog, QStringLiteral("SiO2"));
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    unchanged("Escape");

    dialog = openDialog();
    typeFormula(dialog, QStringLiteral("SiO2"));
    QTest::mouseClick(button(dialog, "cmdUse"), Qt::LeftButton);
    EXPECT_EQ(window->editingMode(), Form1::EditingMode::Adding);
    EXPECT_EQ(ui.txtName->text(), QStringLiteral("SiO2"));
}

} // namespace
} // namespace korvane::ui
