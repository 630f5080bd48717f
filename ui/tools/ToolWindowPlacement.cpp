#include "ui/tools/ToolWindowPlacement.h"

#include <QMargins>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <optional>
#include <vector>

namespace korvane::ui {

namespace {

// The controls of the main window a Tools window must not cover.
constexpr const char* kKeptInSight[] = {"dgrdName", "txtIMFP_2M"};

// The main window's frame around its client, the best guess for a Tools
// window's frame before the window system has drawn one.
QMargins frameOf(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

QRect onScreen(const QWidget* window, const QWidget* control)
{
    return QRect(control->mapTo(window, QPoint(0, 0)) + window->geometry().topLeft(), control->size());
}

// A frame of `size` in the strip from `left` to `right` across (`top` to
// `bottom` down) of the screen, narrowed or lowered to `least` where needed;
// none when even that does not fit.
std::optional<QRect> inStrip(const QRect& strip, QSize size, QSize least, int preferredTop)
{
    if (strip.width() < least.width() || strip.height() < least.height())
        return std::nullopt;
    size = size.boundedTo(strip.size());
    const int top = std::clamp(preferredTop, strip.top(), strip.bottom() + 1 - size.height());
    return QRect(QPoint(strip.left(), top), size);
}

} // namespace

void placeBesideMainWindow(QWidget* tool, const QWidget* mainWindow)
{
    if (!tool->testAttribute(Qt::WA_Resized))
        tool->adjustSize();
    const QRect screen = mainWindow->screen()->availableGeometry();
    const QMargins frame = frameOf(mainWindow);
    const QSize frameExtra(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QSize size = tool->size() + frameExtra;
    const QSize least = tool->minimumSizeHint().expandedTo(tool->minimumSize()).boundedTo(tool->size()) + frameExtra;
    const QRect main = mainWindow->frameGeometry();

    QRect kept = main;
    bool firstKept = true;
    for (const char* name : kKeptInSight) {
        if (const auto* control = mainWindow->findChild<const QWidget*>(QLatin1String(name))) {
            kept = firstKept ? onScreen(mainWindow, control) : kept.united(onScreen(mainWindow, control));
            firstKept = false;
        }
    }
    const auto rightOf = [&](int x) { return QRect(QPoint(x, screen.top()), screen.bottomRight()); };
    const auto leftOf = [&](int x) { return QRect(screen.topLeft(), QPoint(x - 1, screen.bottom())); };
    const auto below = [&](int y) { return QRect(QPoint(screen.left(), y), screen.bottomRight()); };
    const auto above = [&](int y) { return QRect(screen.topLeft(), QPoint(screen.right(), y - 1)); };
    // Beside the main window at its full size first, then beside what must
    // stay in sight, narrowed where it needs to be.
    const std::vector<std::pair<QRect, QSize>> strips = {
        {rightOf(main.right() + 1), size}, {leftOf(main.left()), size},       {rightOf(kept.right() + 1), least},
        {leftOf(kept.left()), least},      {below(kept.bottom() + 1), least}, {above(kept.top()), least},
    };
    std::optional<QRect> place;
    for (const auto& [strip, smallest] : strips) {
        if ((place = inStrip(strip, size, smallest, main.top())))
            break;
    }
    // No room anywhere: at the screen's right, whole on it.
    if (!place) {
        const QSize fitted = size.boundedTo(screen.size());
        place = QRect(QPoint(screen.right() + 1 - fitted.width(), screen.top()), fitted);
    }
    tool->resize(place->size() - frameExtra);
    tool->move(place->topLeft());
}

} // namespace korvane::ui
