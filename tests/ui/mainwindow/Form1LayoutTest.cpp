#include "support/WindowFixture.h"
#include "ui/controls/DataControl.h"
#include "ui/mainwindow/Form1Layout.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QSignalBlocker>

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

// The property that holds a control's caption or text.
const char* captionProperty(const QWidget* control)
{
    return control->inherits("QGroupBox") ? "title" : control->inherits("QPlainTextEdit") ? "plainText" : "text";
}

QString captionOf(const QWidget* control)
{
    return control->property(captionProperty(control)).toString();
}

// Where a caption is drawn: the pixels it changes in the control drawn at
// `scale` device pixels to the pixel (as a screen at 100, 125, 150 or 200 %
// draws it) over a blank one (a frame keeps a blank title, or its border
// moves up). Signals are held so that no handler rewrites the text.
QRect captionInkAt(QWidget* control, const QString& caption, double scale)
{
    const QSignalBlocker quiet(control);
    const QString kept = captionOf(control);
    const auto show = [&](const QString& text) {
        control->setProperty(captionProperty(control), text);
        QImage image(control->size() * scale, QImage::Format_RGB32);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::magenta);
        control->render(&image);
        return image;
    };
    const QImage before = show(control->inherits("QGroupBox") ? QStringLiteral(" ") : QString());
    const QImage after = show(caption);
    show(kept);
    QRect changed;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
    return changed;
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
    EXPECT_EQ(controls().txtName->geometry(), QRect(88, 26, 137, 25));
    EXPECT_EQ(controls().txt_s_p_hbe->geometry(), QRect(45, 22, 27, 19));
    QWidget* button = controls().cmdInfo_3;
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
    controls().cmdExit->setFocus(Qt::TabFocusReason);
    QStringList visited{QApplication::focusWidget()->objectName()};
    while (visited.size() < designed.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited.join(' ').toStdString(), designed.join(' ').toStdString());
}

TEST_F(Form1LayoutTest, CaptionsAndNumbersShowWholeAtAnyScale)
{
    // Buttons draw their caption inside the bevel, frames theirs along the top.
    // Labels wrap theirs from the top-left corner as a label with room on every
    // side does, and clear of the top and bottom edges that cut them.
    for (const ControlDesign& design : form1Controls()) {
        const QString caption = QString::fromUtf8(design.caption);
        const bool label = design.kind == Kind::Label;
        if (caption.isEmpty() || (design.kind != Kind::Button && design.kind != Kind::Frame && !label))
            continue;
        QWidget* control = find(design.name);
        QLabel roomy(caption);
        roomy.setFont(control->font());
        roomy.setWordWrap(true);
        roomy.setAlignment(label ? find<QLabel>(design.name)->alignment() : Qt::AlignLeft);
        roomy.setContentsMargins(8, 8, 8, 8);
        roomy.resize(control->width() + 16, control->height() + 16);
        for (double scale : {1.0, 1.25, 1.5, 2.0}) {
            const QRect ink = captionInkAt(control, caption, scale);
            const QRect inside =
                QRect(QPoint(0, 0), control->size() * scale).adjusted(label ? -1 : 1, 1, label ? 1 : -1, -1);
            EXPECT_TRUE(!ink.isEmpty() && inside.contains(ink)) << design.name << " at " << scale;
            EXPECT_TRUE(!label || ink.size() == captionInkAt(&roomy, caption, scale).size())
                << design.name << " at " << scale;
        }
    }

    // The widest text each box holds looks as it does in a roomy box of its font
    // (the other valence boxes are as wide as s+p(hbe), in a smaller font).
    const Form1Controls& ui = controls();
    const QList<std::pair<QLineEdit*, QString>> widest = {{ui.txt_s_p_hbe, "14.0"},
                                                          {ui.txtNoValenceElectrprAtomorMolec, "44.5"},
                                                          {ui.txtCF1, "0.000"},
                                                          {ui.txtElectronEnergy, "200000"},
                                                          {ui.txtIMFP_2M, "1449.10 \u00C5"},
                                                          {ui.txtEffTrMFP, "125.50 \u00C5"}};
    for (const auto& [box, text] : widest) {
        const std::string name = box->objectName().toStdString();
        QLineEdit roomy;
        roomy.setFont(box->font());
        roomy.resize(300, 60);
        const QRect shown = captionInkAt(box, text, 1);
        EXPECT_EQ(shown.size(), captionInkAt(&roomy, text, 1).size()) << name;
        EXPECT_TRUE(box->rect().adjusted(2, 2, -2, -2).contains(shown)) << name;
    }
}

// The record counter shows its whole text also for half a million rows;
// a short one keeps the bar's font.
TEST_F(Form1LayoutTest, TheRecordCounterShowsItsWholeTextForLargeTables)
{
    DataControl* bar = controls().adoMaterials;
    auto* caption = bar->findChild<QLabel*>(QStringLiteral("caption"));
    const QFont usual = caption->font();
    for (const QString& text : {QStringLiteral("Rec: 105 of 500190"), QStringLiteral("Rec: 500190 of 500190")}) {
        bar->setCaption(text);
        EXPECT_LE(caption->fontMetrics().horizontalAdvance(text), caption->contentsRect().width())
            << text.toStdString();
    }
    bar->setCaption(QStringLiteral("Rec: 1 of 6"));
    EXPECT_EQ(caption->font(), usual);
}

} // namespace
} // namespace korvane::ui
