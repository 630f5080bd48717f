#include "support/WindowFixture.h"
#include "ui/InformationTexts.h"

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
        QStringList names;
        for (const char* name : {"frmInfo", "frmGuide", "Frame1", "Frame2", "txtInfo", "cmdCloseInfo"})
            if (find(name)->isVisible())
                names << QLatin1String(name);
        return names.join(u' ');
    }
    // Whether the user sees a control topmost at a point of the client area (by default its centre).
    bool onTop(const char* name, std::optional<QPoint> point = {}) const
    {
        QWidget* top = window->centralWidget()->childAt(point.value_or(find(name)->geometry().center()));
        return top && (top == find(name) || find(name)->isAncestorOf(top));
    }
};

TEST_F(InformationPanelsTest, PanelsAndOverlayFollowTheButtonsAndTheMenu)
{
    EXPECT_EQ(text("txtInfo2"), shown(infotexts::usersGuide()));

    // Frame1, Frame2 and the overlay share a point where the last opened lies
    // on top; the overlay's close button lies over the overlay.
    const QString explanation = shown(infotexts::elasticScattering());
    const QString panels = QStringLiteral("frmInfo frmGuide Frame1 Frame2");
    const QString overlay = QStringLiteral("txtInfo cmdCloseInfo");
    const struct {
        const char* action;
        QString shown;
        const char* onTop;
        QString overlayText;
    } steps[] = {
        {"cmdUsersGuide", QStringLiteral("frmInfo frmGuide Frame1"), "Frame1", {}},
        {"cmdAccuracy", panels, "Frame2", {}},
        {"cmdUsersGuide", panels, "Frame1", {}},
        {"cmdInfo_3", panels + u' ' + overlay, "txtInfo", explanation},
        {"cmdAdd_New_material_Example", panels + u' ' + overlay, "txtInfo", shown(infotexts::workedExamples())},
        {"No", overlay, "txtInfo", {}},
        {"cmdCloseInfo", QString(), nullptr, {}},
        {"Yes", panels, nullptr, {}},
        {"cmdCalc_CF", panels, nullptr, {}}, // the chooser, whose "Info" reopens the explanation
        {"cmdInfo_0", panels + u' ' + overlay, "txtInfo", explanation},
    };
    EXPECT_EQ(shownControls(), QStringLiteral("frmInfo frmGuide"));
    for (const auto& step : steps) {
        window->findChild<QAction*>(QLatin1String(step.action)) ? choose(step.action) : click(step.action);
        EXPECT_EQ(shownControls(), step.shown) << "after " << step.action;
        EXPECT_TRUE(!step.onTop || onTop(step.onTop, QPoint(9000 / 15, 6000 / 15))) << "after " << step.action;
        EXPECT_TRUE(!step.shown.contains(QStringLiteral("cmdCloseInfo")) || onTop("cmdCloseInfo")) << step.action;
        EXPECT_TRUE(step.overlayText.isNull() || text("txtInfo") == step.overlayText) << "after " << step.action;
    }
}

TEST_F(InformationPanelsTest, TheOverlayScrolledToItsEndShowsItsLastLineClearOfTheCloseButton)
{
    auto* box = find<QPlainTextEdit>("txtInfo");
    const QRect button = find("cmdCloseInfo")->geometry();
    for (const char* opener : {"cmdInfo_3", "cmdAdd_New_material_Example"}) {
        click(opener);
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
        click("cmdUsersGuide"); // the main window takes no input
        EXPECT_FALSE(visible("Frame1"));

        byOk ? QTest::mouseClick(test::child(box, "cmdOK"), Qt::LeftButton) : void(box->close());
        EXPECT_TRUE(aboutBox() == nullptr && window->isEnabled()) << byOk;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(box.isNull()) << byOk;
    }
}

} // namespace
} // namespace korvane::ui
