#include "support/WindowFixture.h"
#include "ui/InformationTexts.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>

namespace korvane::ui {
namespace {

// One letter a line: T for a line with text, '.' for an empty one.
QString linePattern(const QString& text)
{
    QString pattern;
    for (const QString& line : text.split(QStringLiteral("\r\n")))
        pattern += line.isEmpty() ? u'.' : u'T';
    return pattern;
}

QStringList lines(const QString& text)
{
    return text.split(QStringLiteral("\r\n"));
}

QString shown(const QString& text)
{
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

TEST(InformationTexts, PiecesStandOnTheirLinesWithTheirSeparators)
{
    const QString information = infotexts::information();
    const QString guide = infotexts::usersGuide();
    const QString accuracy = infotexts::accuracy();
    const QString elastic = infotexts::elasticScattering();
    const QString examples = infotexts::workedExamples();
    for (const QString& text : {information, guide, accuracy, elastic, examples}) {
        EXPECT_FALSE(text.endsWith(u'\n') || text.endsWith(u'\r')) << text.right(40).toStdString();
        EXPECT_EQ(QString(text).remove(QStringLiteral("\r\n")).count(QRegularExpression(QStringLiteral("[\r\n]"))), 0);
        EXPECT_FALSE(text.contains(QStringLiteral("http")) || text.contains(QStringLiteral("www.")));
    }

    EXPECT_EQ(linePattern(information), QStringLiteral("TT.T.TTT"));
    EXPECT_EQ(lines(information)[0], QStringLiteral("Korvane Ver. 4.2"));
    EXPECT_EQ(lines(information)[1],
              QStringLiteral("Inelastic electron mean free paths calculated from the TPP-2M formula"));
    const QString citations = lines(information)[3];
    EXPECT_TRUE(citations.startsWith(QStringLiteral("Non-relativistic:")));
    EXPECT_GT(citations.indexOf(QStringLiteral(" Relativistic:")), citations.indexOf(QStringLiteral("(1994)")));
    EXPECT_GT(citations.indexOf(QStringLiteral("(2015)")), citations.indexOf(QStringLiteral(" Relativistic:")));
    EXPECT_TRUE(lines(information)[5].contains(QStringLiteral("the Korvane authors")));

    EXPECT_EQ(linePattern(guide), QStringLiteral("T.T.T.T.T.TTT.T"));
    EXPECT_TRUE(lines(guide)[2].contains(QStringLiteral("'Find material'")));
    EXPECT_TRUE(lines(guide)[8].contains(QStringLiteral("authors of the TPP-2M formula recommend")));
    EXPECT_TRUE(lines(guide)[11].startsWith(QStringLiteral("s + p(hbe)")));
    // The lowest-binding-energy group and the hint on unticking share a line.
    EXPECT_TRUE(lines(guide)[12].startsWith(QStringLiteral("s + p(lbe)")));
    EXPECT_TRUE(lines(guide)[12].contains(QStringLiteral("energy. Single groups")));

    EXPECT_EQ(linePattern(accuracy), QStringLiteral("T.T.T.T"));

    EXPECT_EQ(linePattern(elastic), QStringLiteral("T.TT.T.T.T..T.TT..T.T.TTT"));
    const QStringList references = lines(elastic).mid(22);
    ASSERT_EQ(references.size(), 3);
    EXPECT_TRUE(references[0].startsWith(QStringLiteral("Ref.[1]:")) && references[0].contains(QStringLiteral("1998")));
    EXPECT_TRUE(references[1].startsWith(QStringLiteral("Ref.[2]:")) && references[1].contains(QStringLiteral("1998")));
    EXPECT_TRUE(references[2].startsWith(QStringLiteral("Ref.[3]:")) && references[2].contains(QStringLiteral("2021")));

    EXPECT_EQ(linePattern(examples), QStringLiteral("T.TTTTT.TT..TTTT.TT.T"));
    const QStringList example = lines(examples);
    EXPECT_EQ(example[0], QStringLiteral("Examples that show how to add a new material."));
    EXPECT_EQ(example[2], QStringLiteral("Example: SiO2"));
    EXPECT_TRUE(example[4].endsWith(QStringLiteral("Nv for SiO2 = 4 + 2*6 = 16")));
    EXPECT_TRUE(example[5].startsWith(QStringLiteral(" M is 28.08")));
    EXPECT_TRUE(example[5].endsWith(QStringLiteral("M for SiO2 = 28.08 + 2*16 = 60.08")));
    EXPECT_EQ(example[8], QStringLiteral("Put in the values."));
    EXPECT_EQ(example[12], QStringLiteral("Example: Cu2O."));
    EXPECT_TRUE(example[14].endsWith(QStringLiteral("Nv for Cu2O = 2*11 + 6 = 28")));
    EXPECT_TRUE(example[15].endsWith(QStringLiteral("M for Cu2O = 2*63.5 + 16 = 143")));
}

// Records the show and hide events of the watched controls, in order.
class ShowHideLog : public QObject {
public:
    void watch(QWidget* widget) { widget->installEventFilter(this); }
    QStringList events;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            events << watched->objectName() + (event->type() == QEvent::Show ? u'+' : u'-');
        return false;
    }
};

class InformationPanelsTest : public test::WindowFixture {
protected:
    bool visible(const char* name) const { return find(name)->isVisible(); }
    void click(const char* name) { QTest::mouseClick(find(name), Qt::LeftButton); }
    void choose(const char* entry) { find<QAction>(entry)->trigger(); }
    // The control the user sees topmost at a point of the window's client area.
    bool onTopAt(const char* name, QPoint point) const
    {
        QWidget* top = window->centralWidget()->childAt(point);
        return top && (top == find(name) || find(name)->isAncestorOf(top));
    }
    bool onTopAtCentreOf(const char* name) const { return onTopAt(name, find(name)->geometry().center()); }
    QString overlayText() const { return text("txtInfo"); }
};

TEST_F(InformationPanelsTest, GuideButtonsAndShowInformationMenu)
{
    EXPECT_EQ(text("txtInfo1"), shown(infotexts::information()));
    EXPECT_EQ(text("txtInfo2"), shown(infotexts::usersGuide()));
    EXPECT_EQ(text("txtInfo3"), shown(infotexts::accuracy()));
    EXPECT_TRUE(visible("frmInfo") && visible("frmGuide"));
    EXPECT_FALSE(visible("Frame1") || visible("Frame2") || visible("txtInfo") || visible("cmdCloseInfo"));

    // Frame1 and Frame2 share nearly one rectangle: the last opened lies on top.
    const QPoint shared(9000 / 15, 6000 / 15);
    click("cmdUsersGuide");
    EXPECT_TRUE(visible("Frame1") && onTopAt("Frame1", shared));
    EXPECT_FALSE(visible("Frame2"));
    click("cmdAccuracy");
    EXPECT_TRUE(visible("Frame1") && visible("Frame2") && onTopAt("Frame2", shared));
    click("cmdUsersGuide");
    EXPECT_TRUE(visible("Frame2") && onTopAt("Frame1", shared));

    ShowHideLog log;
    for (const char* frame : {"frmInfo", "Frame1", "Frame2", "frmGuide", "txtInfo"})
        log.watch(find(frame));
    choose("No");
    choose("No");
    EXPECT_EQ(log.events.join(u' ').toStdString(), "frmInfo- Frame1- Frame2- frmGuide-");
    EXPECT_FALSE(visible("cmdUsersGuide") || visible("cmdAccuracy")); // out of reach until "Yes"
    log.events.clear();
    choose("Yes");
    choose("Yes");
    EXPECT_EQ(log.events.join(u' ').toStdString(), "frmInfo+ Frame1+ Frame2+ frmGuide+");
    EXPECT_FALSE(visible("txtInfo") || visible("cmdCloseInfo"));
}

TEST_F(InformationPanelsTest, OverlayShowsExplanationOrExamplesUntilClosed)
{
    click("cmdInfo_3");
    EXPECT_TRUE(visible("txtInfo") && visible("cmdCloseInfo"));
    EXPECT_TRUE(onTopAtCentreOf("cmdCloseInfo"));
    EXPECT_TRUE(onTopAt("txtInfo", QPoint(6000 / 15, 3000 / 15)));
    const QString explanation = overlayText();
    EXPECT_EQ(explanation, shown(infotexts::elasticScattering()));

    // The user's edits stay in the closed box and are gone on reopening.
    auto* overlay = find<QPlainTextEdit>("txtInfo");
    overlay->moveCursor(QTextCursor::End);
    QTest::keyClicks(overlay, QStringLiteral(" my note"));
    click("cmdCloseInfo");
    EXPECT_FALSE(visible("txtInfo") || visible("cmdCloseInfo"));
    EXPECT_TRUE(overlayText().endsWith(QStringLiteral(" my note")));
    click("cmdInfo_3");
    EXPECT_EQ(overlayText(), explanation);

    // "Example" replaces the text in place; the overlay stays open, also
    // through the menu.
    click("cmdAdd_New_material_Example");
    EXPECT_TRUE(visible("txtInfo") && visible("cmdCloseInfo"));
    EXPECT_EQ(overlayText(), shown(infotexts::workedExamples()));
    choose("No");
    EXPECT_TRUE(visible("txtInfo") && visible("cmdCloseInfo") && onTopAtCentreOf("cmdCloseInfo"));
    click("cmdCloseInfo");
    EXPECT_EQ(overlayText(), shown(infotexts::workedExamples()));

    // The chooser's "Info" gives the same explanation as the window's button.
    find("frameElastic")->show();
    click("cmdInfo_0");
    EXPECT_TRUE(visible("txtInfo") && visible("cmdCloseInfo"));
    EXPECT_EQ(overlayText(), explanation);
    choose("Yes");
    EXPECT_TRUE(visible("txtInfo"));
}

class FormAboutTest : public InformationPanelsTest {
protected:
    static QWidget* aboutBox()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == QStringLiteral("formAbout") && widget->isVisible())
                return widget;
        return nullptr;
    }
    static void processDeletions() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    void expectAboutLines(QWidget* box)
    {
        EXPECT_EQ(box->windowTitle(), QStringLiteral("About"));
        const std::array<QString, 8> expected = infotexts::aboutLines();
        EXPECT_EQ(expected[0], QStringLiteral("Korvane Ver 2.3"));
        EXPECT_EQ(expected[1], QStringLiteral("Calculation of inelastic electron mean free path by the TPP2M formula"));
        EXPECT_EQ(expected[2], QStringLiteral("Copyright (c) 2026 the Korvane authors"));
        for (int index = 0; index < 8; ++index) {
            auto* line = box->findChild<QPlainTextEdit*>(QStringLiteral("Text1_%1").arg(index));
            ASSERT_NE(line, nullptr) << index;
            EXPECT_EQ(line->toPlainText(), expected[index]) << index;
        }
        EXPECT_EQ(box->findChild<QPushButton*>(QStringLiteral("cmdOK"))->text(), QStringLiteral("OK"));
    }
};

TEST_F(FormAboutTest, OpensOverADisabledWindowAndClosesByOkOrCloseBox)
{
    QMenu* help = find<QMenu>("mnuHelp");
    EXPECT_FALSE(help->menuAction()->isVisible() || help->menuAction()->isEnabled());
    choose("mnuKorvane_on_the_web");
    EXPECT_EQ(aboutBox(), nullptr);
    EXPECT_TRUE(window->isEnabled());
    EXPECT_TRUE(prompts.messages.empty());

    choose("mnuAbout");
    QPointer<QWidget> box = aboutBox();
    ASSERT_TRUE(box);
    expectAboutLines(box);
    EXPECT_FALSE(window->isEnabled());
    click("cmdUsersGuide"); // the main window takes no input
    EXPECT_FALSE(visible("Frame1"));

    QTest::keyClicks(box->findChild<QPlainTextEdit*>(QStringLiteral("Text1_0")), QStringLiteral("edited"));
    QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    EXPECT_FALSE(box && box->isVisible());
    EXPECT_TRUE(window->isEnabled());
    processDeletions();
    EXPECT_TRUE(box.isNull());

    // Rebuilt on every opening; the title bar's close box closes it as "OK".
    choose("mnuAbout");
    box = aboutBox();
    ASSERT_TRUE(box);
    expectAboutLines(box);
    EXPECT_FALSE(window->isEnabled());
    box->close();
    EXPECT_TRUE(window->isEnabled());
    processDeletions();
    EXPECT_TRUE(box.isNull());
    EXPECT_EQ(aboutBox(), nullptr);
}

} // namespace
} // namespace korvane::ui
