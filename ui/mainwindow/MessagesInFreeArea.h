#pragma once

#include <QObject>
#include <QRect>
#include <QString>

#include <optional>
#include <vector>

class QWidget;

namespace korvane::ui {

// Keeps the red message boxes of the main window readable whole without
// hiding a field in use. A shown box stays at its designed place while no
// enabled field lies under it; otherwise it goes to the free area nearest
// to that place, narrower and wrapped where it holds several lines, free of
// the enabled fields, the buttons, the labels and the boxes placed before
// it. A hidden box goes back to its designed place. Follows the boxes' texts
// and every control of the window as it is shown, hidden, enabled or
// disabled.
class MessagesInFreeArea : public QObject {
public:
    // `boxes` in the order they are placed, each at its designed place now.
    MessagesInFreeArea(QWidget* client, std::vector<QWidget*> boxes, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Box {
        QWidget* widget;
        QRect designed;
        // What the last place was found for, and the place.
        QString lastText;
        std::vector<QRect> lastFields, lastTaken;
        std::optional<QRect> lastPlace;
    };

    void placeAll();
    QRect placeFor(Box& box, const std::vector<QRect>& placedBefore) const;
    QRect search(const Box& box, const std::vector<QRect>& fields, std::vector<QRect> taken) const;

    QWidget* client_;
    std::vector<Box> boxes_;
    bool placing_ = false;
};

} // namespace korvane::ui
