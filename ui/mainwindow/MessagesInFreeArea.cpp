#include "ui/mainwindow/MessagesInFreeArea.h"

#include "ui/controls/DataControl.h"
#include "ui/controls/LineWidget.h"
#include "ui/controls/UpDownArrows.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QEvent>
#include <QTextDocument>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <optional>

namespace korvane::ui {

namespace {

constexpr int kGap = 2;        // pixels kept clear around a moved box
constexpr int kNarrowest = 80; // the narrowest a wrapped box becomes
constexpr int kWidthStep = 8;

bool isField(const QWidget* control)
{
    return qobject_cast<const QLineEdit*>(control) || qobject_cast<const QAbstractButton*>(control)
        || qobject_cast<const QAbstractScrollArea*>(control) || qobject_cast<const DataControl*>(control)
        || qobject_cast<const UpDownArrows*>(control);
}

// The controls a box must leave in sight, in the client's coordinates, the
// message boxes aside: at its designed place the enabled fields; elsewhere
// every field, label and line, so that a moved box covers nothing.
std::vector<QRect> controlsInSight(const QWidget* client, const std::vector<const QWidget*>& boxes,
                                   bool atDesignedPlace)
{
    std::vector<QRect> rects;
    for (const QWidget* control : client->findChildren<QWidget*>()) {
        const bool inABox = std::any_of(boxes.begin(), boxes.end(), [control](const QWidget* box) {
            return box == control || box->isAncestorOf(control);
        });
        if (inABox || !control->isVisibleTo(client))
            continue;
        const bool inSight = atDesignedPlace ? isField(control) && control->isEnabled()
                                             : isField(control) || qobject_cast<const LineWidget*>(control)
                || (qobject_cast<const QLabel*>(control) && !static_cast<const QLabel*>(control)->text().isEmpty());
        if (inSight)
            rects.emplace_back(control->mapTo(client, QPoint(0, 0)), control->size());
    }
    return rects;
}

bool isFree(const QRect& place, const std::vector<QRect>& taken)
{
    return std::none_of(taken.begin(), taken.end(), [&](const QRect& r) { return r.intersects(place); });
}

// The height a box of this width needs to show its whole text; none for a
// single-line box narrower than its text.
std::optional<int> neededHeight(const QWidget* box, int width, const QRect& designed)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(box)) {
        const int textWidth = line->fontMetrics().horizontalAdvance(line->text()) + 12;
        if (width < textWidth)
            return std::nullopt;
        return designed.height();
    }
    const auto* text = static_cast<const QPlainTextEdit*>(box);
    const int frame = text->frameWidth();
    const int margin = int(std::ceil(text->document()->documentMargin()));
    const int inside = width - 2 * frame - 2 * margin;
    if (inside <= 0)
        return std::nullopt;
    const QRect bounds =
        text->fontMetrics().boundingRect(QRect(0, 0, inside, 100000), Qt::TextWordWrap, text->toPlainText());
    return std::max(designed.height(), bounds.height() + 2 * frame + 2 * margin + 2);
}

// Where a box of this width may start across, nearest to `designed` first:
// there, at the client's edges and beside every control in sight.
std::vector<int> starts(int designed, int width, int room, const std::vector<QRect>& taken)
{
    std::vector<int> values{designed, kGap, room - width - kGap};
    for (const QRect& r : taken) {
        values.push_back(r.right() + 1);
        values.push_back(r.left() - width);
    }
    std::erase_if(values, [&](int v) { return v < kGap || v + width > room - kGap; });
    std::sort(values.begin(), values.end(), [designed](int a, int b) {
        return std::pair(std::abs(a - designed), a) < std::pair(std::abs(b - designed), b);
    });
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}

// The start down nearest to `designed` at which a box of this size at `x`
// covers nothing taken, if any: the gaps between the controls across its
// width, each tried at the point nearest to the designed start.
std::optional<int> nearestFreeStart(int x, int width, int height, int designed, int room,
                                    const std::vector<QRect>& taken)
{
    std::vector<std::pair<int, int>> across; // [top, bottom) of the controls in the box's way
    for (const QRect& r : taken) {
        if (r.left() < x + width && r.right() >= x)
            across.emplace_back(r.top(), r.bottom() + 1);
    }
    std::sort(across.begin(), across.end());
    across.emplace_back(room - kGap, room - kGap); // the client's foot closes the last gap
    std::optional<int> nearest;
    int gapTop = kGap;
    for (const auto& [top, bottom] : across) {
        if (top - gapTop >= height) {
            const int y = std::clamp(designed, gapTop, top - height);
            if (!nearest || std::abs(y - designed) < std::abs(*nearest - designed))
                nearest = y;
        }
        gapTop = std::max(gapTop, bottom);
    }
    return nearest;
}

} // namespace

MessagesInFreeArea::MessagesInFreeArea(QWidget* client, std::vector<QWidget*> boxes, QObject* parent)
    : QObject(parent), client_(client)
{
    for (QWidget* box : boxes)
        boxes_.push_back({box, box->geometry()});
    for (QWidget* control : client_->findChildren<QWidget*>())
        control->installEventFilter(this);
    for (const Box& box : boxes_) {
        if (auto* line = qobject_cast<QLineEdit*>(box.widget))
            connect(line, &QLineEdit::textChanged, this, &MessagesInFreeArea::placeAll);
        if (auto* text = qobject_cast<QPlainTextEdit*>(box.widget))
            connect(text, &QPlainTextEdit::textChanged, this, &MessagesInFreeArea::placeAll);
    }
}

bool MessagesInFreeArea::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::EnabledChange:
        if (!placing_)
            placeAll();
        break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

void MessagesInFreeArea::placeAll()
{
    placing_ = true;
    std::vector<QRect> placed;
    for (Box& box : boxes_) {
        if (box.widget->isHidden()) {
            box.widget->setGeometry(box.designed);
            continue;
        }
        const QRect place = placeFor(box, placed);
        box.widget->setGeometry(place);
        if (place != box.designed)
            box.widget->raise();
        placed.push_back(place.adjusted(-kGap, -kGap, kGap, kGap));
    }
    placing_ = false;
}

// The text a box shows, which sets the size it needs.
QString shownText(const QWidget* box)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(box))
        return line->text();
    return static_cast<const QPlainTextEdit*>(box)->toPlainText();
}

QRect MessagesInFreeArea::placeFor(Box& box, const std::vector<QRect>& placedBefore) const
{
    std::vector<const QWidget*> boxes;
    for (const Box& each : boxes_)
        boxes.push_back(each.widget);
    std::vector<QRect> fields = controlsInSight(client_, boxes, true);
    fields.insert(fields.end(), placedBefore.begin(), placedBefore.end());
    std::vector<QRect> taken = controlsInSight(client_, boxes, false);
    taken.insert(taken.end(), placedBefore.begin(), placedBefore.end());
    // Most events change nothing the box avoids: the place found before holds.
    const QString text = shownText(box.widget);
    if (box.lastPlace && box.lastText == text && box.lastTaken == taken && box.lastFields == fields)
        return *box.lastPlace;
    box.lastText = text;
    box.lastTaken = taken;
    box.lastFields = fields;
    box.lastPlace = search(box, fields, taken);
    return *box.lastPlace;
}

QRect MessagesInFreeArea::search(const Box& box, const std::vector<QRect>& fields, std::vector<QRect> taken) const
{
    const std::optional<int> designedHeight = neededHeight(box.widget, box.designed.width(), box.designed);
    if (designedHeight && *designedHeight <= box.designed.height() && isFree(box.designed, fields))
        return box.designed;

    for (QRect& r : taken)
        r.adjust(-kGap, -kGap, kGap, kGap);
    const QPointF centre = QRectF(box.designed).center();
    const bool wraps = qobject_cast<QPlainTextEdit*>(box.widget) != nullptr;
    const int widest = wraps
        ? box.designed.width()
        : std::max(box.designed.width(), box.widget->fontMetrics().horizontalAdvance(shownText(box.widget)) + 12);
    const int narrowest = wraps ? kNarrowest : widest;
    std::optional<QRect> best;
    double bestDistance = INFINITY;
    for (int width = widest; width >= narrowest; width -= kWidthStep) {
        const std::optional<int> height = neededHeight(box.widget, width, box.designed);
        if (!height)
            continue;
        // The same centre as designed at x0 and y0; each list runs outwards from there.
        const int x0 = int(std::lround(centre.x() - width / 2.0));
        const int y0 = int(std::lround(centre.y() - *height / 2.0));
        for (int x : starts(x0, width, client_->width(), taken)) {
            const double dx = x - x0;
            if (std::abs(dx) >= bestDistance)
                break;
            const std::optional<int> y = nearestFreeStart(x, width, *height, y0, client_->height(), taken);
            if (!y)
                continue;
            const double distance = std::hypot(dx, double(*y - y0));
            if (distance < bestDistance) {
                best = QRect(x, *y, width, *height);
                bestDistance = distance;
            }
        }
    }
    // A window with no free area at all keeps the design.
    return best.value_or(box.designed);
}

} // namespace korvane::ui
