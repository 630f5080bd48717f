#include "support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QScreen>

#include <algorithm>

namespace korvane::ui {
namespace {

// A laptop's screen less its taskbar, at 96 dpi.
constexpr QSize kLaptopScreen(1366, 720);

class ToolWindowPlacementTest : public test::WindowFixture {
protected:
    // The window with its frame: the one the window system drew, or where it
    // drew none (offscreen), a title bar of 31 pixels and a border of 1.
    static QRect withFrame(const QWidget* shown)
    {
        const QRect frame = shown->frameGeometry();
        return frame != shown->geometry() ? frame : shown->geometry().adjusted(-1, -31, 1, 1);
    }
    QRect onScreen(const QWidget* control) const { return QRect(control->mapToGlobal(QPoint(0, 0)), control->size()); }
    static constexpr const char* kEntries[] = {"mnuImfpCurve", "mnuEnergyFromLine", "mnuDepthOfTheSignal",
                                               "mnuMaterialFromFormula", "mnuTransportCrossSection",
                                               "mnuLayeredSample", "mnuQuantification"};
};

// Every window, frame included, fits a 1366 x 720 screen, also at its least
// size (the depth window's least was 524 x 791).
TEST_F(ToolWindowPlacementTest, EveryWindowFitsALaptopScreen)
{
    EXPECT_LE(withFrame(window.get()).width(), kLaptopScreen.width());
    EXPECT_LE(withFrame(window.get()).height(), kLaptopScreen.height());
    for (const char* entry : kEntries) {
        SCOPED_TRACE(entry);
        QWidget* tool = openTool(entry);
        const QSize frame = withFrame(tool).size() - tool->size();
        const QSize least = tool->minimumSizeHint().expandedTo(tool->minimumSize()) + frame;
        EXPECT_LE(least.width(), kLaptopScreen.width());
        EXPECT_LE(least.height(), kLaptopScreen.height());
        EXPECT_LE(withFrame(tool).width(), kLaptopScreen.width());
        EXPECT_LE(withFrame(tool).height(), kLaptopScreen.height());
        tool->close();
    }
}

// On a laptop's screen each Tools window opens beside the main window where
// it has room, else clear of the name list and the IMFP field; always whole
// on the screen, and beside the main window again when opened anew.
TEST_F(ToolWindowPlacementTest, ToolsWindowsOpenBesideTheMainWindow)
{
    const QRect screen = window->screen()->availableGeometry();
    if (screen.size() != kLaptopScreen)
        GTEST_SKIP() << "runs on the laptop screen of laptop-screen.json";
    for (const bool mainAtTheRight : {false, true}) {
        window->move(mainAtTheRight ? screen.right() + 1 - withFrame(window.get()).width() : 0, 0);
        QCoreApplication::processEvents();
        const QRect main = withFrame(window.get());
        for (const char* entry : kEntries) {
            SCOPED_TRACE(std::string(entry) + (mainAtTheRight ? " main window at the right" : ""));
            QWidget* tool = openTool(entry);
            const QRect placed = withFrame(tool);
            EXPECT_TRUE(screen.contains(placed));
            EXPECT_FALSE(placed.intersects(onScreen(controls().dgrdName)));
            EXPECT_FALSE(placed.intersects(onScreen(controls().txtIMFP_2M)));
            // A window as wide as the room beside the main window lies there.
            const int room = std::max(screen.right() - main.right(), main.left() - screen.left());
            if (placed.width() <= room)
                EXPECT_FALSE(placed.intersects(main));
            tool->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
}

} // namespace
} // namespace korvane::ui
