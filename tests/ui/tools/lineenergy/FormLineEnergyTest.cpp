#include "support/FindChild.h"
#include "support/WindowFixture.h"
#include "ui/tools/lineenergy/FormLineEnergy.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRegularExpression>

namespace korvane::ui {
namespace {

class FormLineEnergyTest : public test::WindowFixture {
protected:
    // Opens the dialog from the menu bar with the keyboard alone: Alt+T, L.
    FormLineEnergy* openByKeyboard()
    {
        QTest::keyClick(window.get(), Qt::Key_T, Qt::AltModifier);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_L);
        auto* dialog = window->findChild<FormLineEnergy*>();
        // The new window takes the keyboard once the closing menu lets go of it.
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog && QApplication::activeWindow() == dialog; }));
        return dialog;
    }

    template <typename T = QWidget>
    static T* in(FormLineEnergy* dialog, const char* name)
    {
        return test::child<T>(dialog, name);
    }

    static QString shown(FormLineEnergy* dialog, const char* name) { return in<QLineEdit>(dialog, name)->text(); }

    static QStringList offered(FormLineEnergy* dialog)
    {
        auto* levels = in<QComboBox>(dialog, "cboLevel");
        QStringList names;
        for (int i = 0; i < levels->count(); ++i)
            names << levels->itemData(i).toString();
        return names;
    }
    static QString chosen(FormLineEnergy* dialog)
    {
        return in<QComboBox>(dialog, "cboLevel")->currentData().toString();
    }
};

TEST_F(FormLineEnergyTest, Cu2p3halfWithAlKaIsChosenAndGoesIntoTheEnergyBoxByKeyboard)
{
    clickRow(2);
    FormLineEnergy* dialog = openByKeyboard();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(in<QLabel>(dialog, "lblMaterial")->text(), QStringLiteral("Cu"));

    // The strongest line comes chosen, with its cross-section in barns:
    // Enter writes its kinetic energy.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::AltModifier);
    ASSERT_EQ(QApplication::focusWidget(), in(dialog, "cboLevel"));
    EXPECT_EQ(chosen(dialog), QStringLiteral("Cu 2p3/2"));
    EXPECT_EQ(in<QComboBox>(dialog, "cboLevel")->currentText(), QStringLiteral("Cu 2p3/2   (931.1 eV; 229000 b)"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(controls().txtElectronEnergy->text(), QStringLiteral("555.5"));

    // The dialog stays for the next line.
    QTest::keyClick(in(dialog, "cboLevel"), Qt::Key_End); // 3d5/2, the last level
    in<QPushButton>(dialog, "cmdUse")->click();
    EXPECT_EQ(controls().txtElectronEnergy->text(), QStringLiteral("1485"));
}

// One window, however often the menu is chosen, and it follows the main
// window: the lines of every element of the material's formula, never of
// another material.
TEST_F(FormLineEnergyTest, OneWindowOffersTheLinesOfTheMaterialsElementsAndFollowsTheMainWindow)
{
    clickRow(3); // SiO2
    FormLineEnergy* dialog = openByKeyboard();
    ASSERT_NE(dialog, nullptr);
    const QStringList sio2 = offered(dialog);
    EXPECT_EQ(sio2.filter(QRegularExpression(QStringLiteral("^(Si|O) "))), sio2);
    EXPECT_TRUE(sio2.contains(QStringLiteral("Si 2p3/2")) && sio2.contains(QStringLiteral("O 1s")));
    EXPECT_EQ(chosen(dialog), QStringLiteral("O 1s"));

    window->findChild<QAction*>(QStringLiteral("mnuEnergyFromLine"))->trigger();
    EXPECT_EQ(window->findChildren<FormLineEnergy*>().size(), 1);

    clickRow(2); // Cu
    EXPECT_EQ(in<QLabel>(dialog, "lblMaterial")->text(), QStringLiteral("Cu"));
    EXPECT_EQ(offered(dialog).filter(QStringLiteral("Cu ")), offered(dialog));
    EXPECT_EQ(chosen(dialog), QStringLiteral("Cu 2p3/2"));

    // A name that is no formula offers nothing and says why.
    click(controls().cmdNew);
    EXPECT_EQ(offered(dialog), QStringList());
    EXPECT_FALSE(in(dialog, "cmdUse")->isEnabled());
    EXPECT_EQ(in<QLabel>(dialog, "lblProblem")->text(),
              QStringLiteral("neither an element nor a chemical formula: type name here"));
}

TEST_F(FormLineEnergyTest, SourceAndPhotonEnergyChooseTheLevelsOffered)
{
    clickRow(3); // SiO2
    FormLineEnergy* dialog = openByKeyboard();
    ASSERT_NE(dialog, nullptr);

    // The line the user chose stays chosen under another source.
    auto* levels = in<QComboBox>(dialog, "cboLevel");
    levels->setCurrentIndex(levels->findData(QStringLiteral("Si 2s")));
    auto* source = in<QComboBox>(dialog, "cboSource");
    source->setCurrentIndex(source->findData(QStringLiteral("MgKa")));
    EXPECT_EQ(chosen(dialog), QStringLiteral("Si 2s"));

    // Photons of the user's energy: O 1s (532 eV) needs more than 500 eV.
    source->setCurrentIndex(source->findText(QStringLiteral("Other photon energy")));
    auto* photons = in<QLineEdit>(dialog, "txtPhotonEnergy");
    typeInto(photons, QStringLiteral("500"));
    EXPECT_FALSE(offered(dialog).contains(QStringLiteral("O 1s")));
    typeInto(photons, QStringLiteral("600"));
    EXPECT_TRUE(
        levels->itemText(levels->findData(QStringLiteral("O 1s"))).startsWith(QStringLiteral("O 1s   (532 eV; ")));

    // No photon energy: nothing to offer and nothing to use.
    typeInto(photons, QStringLiteral("x"));
    EXPECT_EQ(offered(dialog), QStringList());
    EXPECT_EQ(shown(dialog, "txtKineticEnergy"), QString());
    EXPECT_FALSE(in(dialog, "cmdUse")->isEnabled());
    EXPECT_EQ(controls().txtElectronEnergy->text(), QStringLiteral("1000"));
}

} // namespace
} // namespace korvane::ui
