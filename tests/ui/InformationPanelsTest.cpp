#include "support/WindowFixture.h"
#include "ui/InformationTexts.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>

#include <map>
#include <optional>

namespace korvane::ui {
namespace {

QString shown(const QString& text)
{
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

TEST(InformationTexts, PiecesStandOnTheirLinesWithTheirSeparators)
{
    // Each text's layout, one letter a line, T with text and '.' empty (so a trailing
    // line break ends it with a '.'), and patterns for what some of its lines hold.
    const struct {
        QString text;
        const char* layout;
        std::vector<std::pair<int, const char*>> lines;
    } texts[] = {
        {infotexts::information(),
         "TT.T.TTT",
         {{0, R"(^Korvane Ver\. 4\.2$)"},
          {3, R"(^Non-relativistic:.*\(1994\).* Relativistic:.*\(2015\))"},
          {1, "^Inelastic electron mean free paths calculated from the TPP-2M formula$"}}},
        {infotexts::usersGuide(), "T.T.T.T.T.TTT.T", {{12, R"(^s \+ p\(lbe\).*energy\. Single groups)"}}},
        {infotexts::accuracy(), "T.T.T.T", {}},
        {infotexts::elasticScattering(),
         "T.TT.T.T.T..T.TT..T.T.TTT",
         {{22, R"(^Ref\.\[1\]:.*1998)"}, {23, R"(^Ref\.\[2\]:.*1998)"}, {24, R"(^Ref\.\[3\]:.*2021)"}}},
        {infotexts::workedExamples(),
         "T.TTTTT.TT..TTTT.TT.T",
         {{0, R"(^Examples that show how to add a new material\.$)"},
          {2, "^Example: SiO2$"},
          {5, R"(^ M is 28\.08.*M for SiO2 = 28\.08 \+ 2\*16 = 60\.08$)"},
          {12, R"(^Example: Cu2O\.$)"},
          {14, R"(Nv for Cu2O = 2\*11 \+ 6 = 28$)"},
          {15, R"(M for Cu2O = 2\*63\.5 \+ 16 = 143$)"}}},
    };
    for (const auto& [text, layout, expectedLines] : texts) {
        // Breaks are CR LF pairs only, and the texts carry no web address.
        EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("http|www\\.|\r(?!\n)|(?<!\r)\n")))) << layout;
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        QString letters;
        for (const QString& line : lines)
            letters += line.isEmpty() ? u'.' : u'T';
        EXPECT_EQ(letters, QLatin1String(layout));
        for (const auto& [index, pattern] : expectedLines)
            EXPECT_TRUE(lines.value(index).contains(QRegularExpression(QString::fromUtf8(pattern)))) << pattern;
    }
}

class InformationPanelsTest : public test::WindowFixture {
protected:
    void click(const char* name) { QTest::mouseClick(find(name), Qt::LeftButton); }
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
    EXPECT_EQ(text("txtInfo1"), shown(infotexts::information()));
    EXPECT_EQ(text("txtInfo2"), shown(infotexts::usersGuide()));
    EXPECT_EQ(text("txtInfo3"), shown(infotexts::accuracy()));

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

// A control drawn at `scale` device pixels to the pixel.
QImage drawn(QWidget* control, double scale)
{
    QImage image(control->size() * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    control->render(&image);
    return image;
}

TEST_F(InformationPanelsTest, TheTextsScrollLikeAnyOtherAndTheOverlayIsReadWhole)
{
    click("cmdUsersGuide");
    click("cmdAccuracy");
    click("cmdInfo_3");
    for (const char* name : {"txtInfo2", "txtInfo3", "txtInfo"}) {
        QScrollBar* bar = find<QPlainTextEdit>(name)->verticalScrollBar();
        QScrollBar ordinary(Qt::Vertical);
        ordinary.setRange(bar->minimum(), bar->maximum());
        ordinary.setPageStep(bar->pageStep());
        ordinary.setValue(bar->value());
        ordinary.resize(bar->size());
        for (double scale : {1.0, 1.5})
            EXPECT_EQ(drawn(bar, scale), drawn(&ordinary, scale)) << name << " at " << scale;
    }

    // Scrolled to its end, the overlay shows its last line, and no line that
    // it shows runs under its close button.
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

    const std::array<QString, 8> lines = infotexts::aboutLines();
    EXPECT_EQ(lines[0], QStringLiteral("Korvane Ver 2.3"));
    EXPECT_EQ(lines[1], QStringLiteral("Calculation of inelastic electron mean free path by the TPP2M formula"));
    EXPECT_EQ(lines[2], QStringLiteral("Copyright (c) 2026 the Korvane authors"));

    // "OK" and the title bar's close box close and delete it alike; each opening builds it anew.
    for (bool byOk : {true, false}) {
        choose("mnuAbout");
        QPointer<QWidget> box = aboutBox();
        ASSERT_TRUE(box);
        auto* ok = box->findChild<QPushButton*>(QStringLiteral("cmdOK"));
        EXPECT_TRUE(box->windowTitle() == QStringLiteral("About") && ok->text() == QStringLiteral("OK"));
        for (int index = 0; index < 8; ++index) {
            auto* line = box->findChild<QPlainTextEdit*>(QStringLiteral("Text1_%1").arg(index));
            ASSERT_NE(line, nullptr) << index;
            EXPECT_EQ(line->toPlainText(), lines[index]) << index;
        }
        EXPECT_FALSE(window->isEnabled());
        click("cmdUsersGuide"); // the main window takes no input
        EXPECT_FALSE(find("Frame1")->isVisible());

        byOk ? QTest::mouseClick(ok, Qt::LeftButton) : void(box->close());
        EXPECT_TRUE(aboutBox() == nullptr && window->isEnabled()) << byOk;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(box.isNull()) << byOk;
    }
}

} // namespace
} // namespace korvane::ui
