#include "support/WindowFixture.h"
#include "ui/Form1Layout.h"

#include <QApplication>
#include <QMenuBar>

namespace korvane::ui {
namespace {

// Start-up locks the material until editing starts, and writes it, the energy, its
// IMFP, the record position and the information texts over the designed texts.
const QStringList kLockedAtStartUp = {"txtName",     "txtBulkDensity", "txtAtomicMass", "txtEnergyGap", "txt_s_p_hbe",
                                      "txt_s_p_lbe", "txt_d",          "txt_f",         "cmdSave"};
const QStringList kFilledAtStartUp =
    kLockedAtStartUp + QStringList{"txtElectronEnergy", "txtIMFP_2M",   "txtNoValenceElectrprAtomorMolec",
                                   "txt_Val_El_Total",  "adoMaterials", "txtInfo",
                                   "txtInfo1",          "txtInfo2",     "txtInfo3"};

// A control's caption or text.
QString captionOf(const QWidget* control)
{
    const char* property = control->inherits("QGroupBox") ? "title"
        : control->inherits("QPlainTextEdit")             ? "plainText"
                                                          : "text";
    return control->property(property).toString();
}

using Form1LayoutTest = test::WindowFixture;

TEST_F(Form1LayoutTest, EveryControlStandsWhereTheTablePutsItAndStaysThereWhenTheWindowGrows)
{
    for (const ControlDesign& design : form1Controls()) {
        SCOPED_TRACE(design.name);
        QWidget* control = find(design.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget()->objectName(), QLatin1String(design.parent ? design.parent : "clientArea"));
        const QPoint topLeft(twipsToPixels(design.left), twipsToPixels(design.top));
        const QPoint extent(twipsToPixels(design.width), twipsToPixels(design.height)); // a line's: its far end
        if (design.kind == Kind::Line) {
            EXPECT_TRUE(control->geometry().contains(topLeft) && control->geometry().contains(extent));
        } else {
            EXPECT_EQ(control->geometry(), QRect(topLeft, QSize(extent.x(), extent.y())));
        }
        if (!kFilledAtStartUp.contains(design.name)) {
            EXPECT_EQ(captionOf(control), QString::fromUtf8(design.caption).replace("\r\n", "\n"));
        }
        EXPECT_EQ(control->isHidden(), bool(design.flags & Hidden));
        EXPECT_EQ(control->isEnabled(), !(design.flags & Disabled) && !kLockedAtStartUp.contains(design.name));
        EXPECT_EQ(control->property("checked").toBool(), bool(design.flags & Checked));
    }

    // Worked out by hand from the twips (/ 15, rounded either way), against a wrong conversion.
    EXPECT_EQ(window->centralWidget()->geometry(), QRect(0, window->menuBar()->height(), 812, 668));
    EXPECT_EQ(find("txtName")->geometry(), QRect(88, 26, 137, 25));
    EXPECT_EQ(find("txt_s_p_hbe")->geometry(), QRect(45, 22, 27, 19));
    QWidget* button = find("cmdInfo_3");
    EXPECT_EQ(button->geometry(), QRect(292, 372, 102, 37));

    const QPoint placeInWindow = button->mapTo(window.get(), QPoint(0, 0));
    window->resize(window->width() + 200, window->height() + 150);
    QApplication::processEvents();
    EXPECT_EQ(window->centralWidget()->size(), QSize(812, 668));
    EXPECT_EQ(button->mapTo(window.get(), QPoint(0, 0)), placeInWindow);
    EXPECT_EQ(button->size(), QSize(102, 37));
}

TEST_F(Form1LayoutTest, TabGoesRoundTheTableOrderPastWhatIsHiddenOrLocked)
{
    // The two options are one stop, at the selected one.
    QStringList designed;
    for (const char* name : form1TabOrder()) {
        QWidget* control = find(name);
        if (control->isVisible() && control->isEnabled()
            && (!control->inherits("QRadioButton") || control->property("checked").toBool()))
            designed << name;
    }
    designed << designed.first();
    EXPECT_EQ(designed.size(), 22);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    find("cmdExit")->setFocus(Qt::TabFocusReason);
    QStringList visited{QApplication::focusWidget()->objectName()};
    while (visited.size() < designed.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited.join(' ').toStdString(), designed.join(' ').toStdString());
}

} // namespace
} // namespace korvane::ui
