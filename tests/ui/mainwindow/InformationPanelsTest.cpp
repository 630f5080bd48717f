#include "support/WindowFixture.h"
#include "ui/about/InformationTexts.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QScrollBar>

#include <map>
#include <optional>

namespace korvane::ui {
namespace {

QString shown(const QString& text)
{
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

class InformationPanelsTest : public test::WindowFixture {
protected:
    void choose(const char* entry) { find<QAction>(entry)->trigger(); }
    // The information controls that are visible, in a fixed order.
    QString shownControls() const
    {
        const Form1Controls& ui = controls();
        QStringList names;
        for (QWidget* control : std::initializer_list<QWidget*>{ui.frmInfo, ui.frmGuide, ui.Frame1, ui.Frame2,
                                                                ui.txtInfo, ui.cmdCloseInfo})
            if (control->isVisible())
                names << control->objectName();
        return names.join(u' ');
    }
    // Whether the user sees a control topmost at a point of the client area (by default its centre).
    bool onTop(const QWidget* control, std::optional<QPoint> point = {}) const
    {
        QWidget* top = window->centralWidget()->childAt(point.value_or(control->geometry().center()));
        return top && (top == control || control->isAncestorOf(top));
    }
};

TEST_F(InformationPanelsTest, PanelsAndOverlayFollowTheButtonsAndTheMenu)
{
    EXPECT_EQ(controls().txtInfo2->toPlainText(), shown(infotexts::usersGuide()));

    // Frame1, Frame2 and the overlay share a point where the last opened lies
    // on top; the overlay's close button lies over the overlay.
    const QString explanation = shown(infotexts::elasticScattering());
    const QString panels = QStringLiteral("frmInfo frmGuide Frame1 Frame2");
    const QString overlay = QStringLiteral("txtInfo cmdCloseInfo");
    // A step is a click on a button or a choice of a menu entry (which has
    // no member in the controls).
    const Form1Controls& ui = controls();
    const struct {
        QObject* action;
        QString shown;
        const QWidget* onTop;
        QString overlayText;
    } steps[] = {
        {ui.cmdUsersGuide, QStringLiteral("frmInfo frmGuide Frame1"), ui.Frame1, {}},
        {ui.cmdAccuracy, panels, ui.Frame2, {}},
        {ui.cmdUsersGuide, panels, ui.Frame1, {}},
        {ui.cmdInfo_3, panels + u' ' + overlay, ui.txtInfo, explanation},
        {ui.cmdAdd_New_material_Example, panels + u' ' + overlay, ui.txtInfo, shown(infotexts::workedExamples())},
        {find<QAction>("No"), overlay, ui.txtInfo, {}},
        {ui.cmdCloseInfo, QString(), nullptr, {}},
        {find<QAction>("Yes"), panels, nullptr, {}},
        {ui.cmdCalc_CF, panels, nullptr, {}}, // the chooser, whose "Info" reopens the explanation
        {ui.cmdInfo_0, panels + u' ' + overlay, ui.txtInfo, explanation},
    };
    EXPECT_EQ(shownControls(), QStringLiteral("frmInfo frmGuide"));
    for (const auto& step : steps) {
        const std::string after = "after " + step.action->objectName().toStdString();
        if (auto* entry = qobject_cast<QAction*>(step.action))
            entry->trigger();
        else
            click(qobject_cast<QWidget*>(step.action));
        EXPECT_EQ(shownControls(), step.shown) << after;
        EXPECT_TRUE(!step.onTop || onTop(step.onTop, QPoint(9000 / 15, 6000 / 15))) << after;
        EXPECT_TRUE(!step.shown.contains(QStringLiteral("cmdCloseInfo")) || onTop(ui.cmdCloseInfo)) << after;
        EXPECT_TRUE(step.overlayText.isNull() || ui.txtInfo->toPlainText() == step.overlayText) << after;
    }
}

TEST_F(InformationPanelsTest, TheOverlayScrolledToItsEndShowsItsLastLineClearOfTheCloseButton)
{
    auto* box = controls().txtInfo;
    const QRect button = controls().cmdCloseInfo->geometry();
    for (QPushButton* openerButton : {controls().cmdInfo_3, controls().cmdAdd_New_material_Example}) {
        const std::string opener = openerButton->objectName().toStdString();
        click(openerButton);
        QApplication::processEvents();
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
        // Each shown line, from the cursor places along it, in the client area.
        std::map<int, QRect> lines;
        QTextCursor cursor(box->document());
        do {
            const QRect place = box->cursorRect(cursor);
            if (box->viewport()->rect().intersects(place))
                lines[place.top()] |=
                    QRect(box->viewport()->mapTo(window->centralWidget(), place.topLeft()), place.size());
        } while (cursor.movePosition(QTextCursor::NextCharacter));
        ASSERT_FALSE(lines.empty()) << opener;
        EXPECT_TRUE(box->viewport()->rect().contains(box->cursorRect(cursor))) << opener << ": the end is shown";
        for (const auto& [top, line] : lines)
            EXPECT_FALSE(line.intersects(button)) << opener << ": the line at " << top;
    }
}

// The About box, while it is shown.
QWidget* aboutBox()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QStringLiteral("formAbout") && widget->isVisible())
            return widget;
    return nullptr;
}

using FormAboutTest = InformationPanelsTest;

TEST_F(FormAboutTest, OpensOverADisabledWindowAndClosesByOkOrCloseBox)
{
    choose("mnuKorvane_on_the_web");
    EXPECT_TRUE(aboutBox() == nullptr && window->isEnabled() && prompts.messages.empty());

    // "OK" and the title bar's close box close and delete it alike; each opening builds it anew.
    for (bool byOk : {true, false}) {
        choose("mnuAbout");
        QPointer<QWidget> box = aboutBox();
        ASSERT_TRUE(box);
        EXPECT_EQ(test::child<QPlainTextEdit>(box, "Text1_7")->toPlainText(), infotexts::aboutLines()[7]);
        EXPECT_FALSE(window->isEnabled());
        click(controls().cmdUsersGuide); // the main window takes no input
        EXPECT_FALSE(controls().Frame1->isVisible());

        byOk ? QTest::mouseClick(test::child(box, "cmdOK"), Qt::LeftButton) : void(box->close());
        EXPECT_TRUE(aboutBox() == nullptr && window->isEnabled()) << byOk;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(box.isNull()) << byOk;
    }
}

} // namespace
} // namespace korvane::ui
