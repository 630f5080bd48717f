#include "support/FindChild.h"
#include "support/WindowFixture.h"
#include "ui/tools/lineenergy/FormLineEnergy.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>

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
};

TEST_F(FormLineEnergyTest, Cu2p3halfWithAlKaGoesIntoTheEnergyBoxByKeyboard)
{
    clickRow(2);
    FormLineEnergy* dialog = openByKeyboard();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(in<QComboBox>(dialog, "cboElement")->currentText(), QStringLiteral("Cu"));

    // Alt+L to the level, typed to 2p3/2, Enter for "Use".
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::AltModifier);
    ASSERT_EQ(QApplication::focusWidget(), in(dialog, "cboLevel"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2p3"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(controls().txtElectronEnergy->text(), QStringLiteral("555.5"));

    // The dialog stays for the next line.
    QTest::keyClick(in(dialog, "cboLevel"), Qt::Key_End); // 3d5/2, the last level
    in<QPushButton>(dialog, "cmdUse")->click();
    EXPECT_EQ(controls().txtElectronEnergy->text(), QStringLiteral("1485"));
}

TEST_F(FormLineEnergyTest, ElementSourceAndPhotonEnergyChooseTheLevelsOffered)
{
    clickRow(3); // SiO2 is no element: the list starts at hydrogen
    FormLineEnergy* dialog = openByKeyboard();
    ASSERT_NE(dialog, nullptr);
    auto* element = in<QComboBox>(dialog, "cboElement");
    EXPECT_EQ(element->currentText(), QStringLiteral("H"));

    // Photons of the user's energy: O 1s (532 eV) needs more than 500 eV.
    element->setCurrentIndex(element->findText(QStringLiteral("O")));
    auto* source = in<QComboBox>(dialog, "cboSource");
    source->setCurrentIndex(source->findText(QStringLiteral("Other photon energy")));
    auto* photons = in<QLineEdit>(dialog, "txtPhotonEnergy");
    auto* levels = in<QComboBox>(dialog, "cboLevel");
    typeInto(photons, QStringLiteral("600"));
    EXPECT_EQ(levels->itemText(0), QStringLiteral("1s   (532 eV)"));

    // No photon energy: nothing to offer and nothing to use.
    typeInto(photons, QStringLiteral("x"));
    EXPECT_EQ(levels->count(), 0);
    EXPECT_EQ(shown(dialog, "txtKineticEnergy"), QString());
    EXPECT_FALSE(in(dialog, "cmdUse")->isEnabled());
    EXPECT_EQ(controls().txtElectronEnergy->text(), QStringLiteral("1000"));
}

} // namespace
} // namespace korvane::ui
