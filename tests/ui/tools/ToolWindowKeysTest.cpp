#include "support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>

#include <algorithm>

namespace korvane::ui {
namespace {

using ToolWindowKeysTest = test::WindowFixture;

// Every Tools window closes with Escape, Ctrl+W and its button at the right of
// the foot, "Use" before it; the formula window has mnemonics for both.
TEST_F(ToolWindowKeysTest, OneSetOfKeysAndButtonsForAllToolsWindows)
{
    struct Expected {
        const char* entry;
        QStringList buttons; // left to right at the foot
    };
    const Expected windows[] = {{"mnuImfpCurve", {"Cl&ose"}},
                                {"mnuDepthOfTheSignal", {"&Close"}},
                                {"mnuTransportCrossSection", {"&Use", "&Close"}},
                                {"mnuEnergyFromLine", {"&Use", "&Close"}},
                                {"mnuMaterialFromFormula", {"&Use", "&Cancel"}},
                                {"mnuLayeredSample", {"&Close"}},
                                {"mnuQuantification", {"Copy as CS&V", "&Close"}}};
    for (const Expected& expected : windows) {
        SCOPED_TRACE(expected.entry);
        QWidget* tool = openTool(expected.entry);
        QList<QPushButton*> foot;
        for (QPushButton* button : tool->findChildren<QPushButton*>()) {
            if (expected.buttons.contains(button->text()))
                foot << button;
        }
        std::sort(foot.begin(), foot.end(), [tool](QPushButton* a, QPushButton* b) {
            return a->mapTo(tool, QPoint()).x() < b->mapTo(tool, QPoint()).x();
        });
        QStringList captions;
        for (QPushButton* button : foot)
            captions << button->text();
        EXPECT_EQ(captions, expected.buttons);
        ASSERT_FALSE(foot.isEmpty());
        // The closing button sits at the right edge, below everything else.
        EXPECT_GT(foot.last()->mapTo(tool, QPoint()).x() + foot.last()->width(), tool->width() * 3 / 4);
        EXPECT_GT(foot.last()->mapTo(tool, QPoint()).y() + foot.last()->height(), tool->height() * 3 / 4);

        QTest::mouseClick(foot.last(), Qt::LeftButton);
        EXPECT_FALSE(tool->isVisible());
        tool = openTool(expected.entry);
        QTest::keyClick(tool, Qt::Key_Escape);
        EXPECT_FALSE(tool->isVisible());
        tool = openTool(expected.entry);
        QTest::keyClick(tool, Qt::Key_W, Qt::ControlModifier);
        EXPECT_FALSE(tool->isVisible());
    }
}

} // namespace
} // namespace korvane::ui
