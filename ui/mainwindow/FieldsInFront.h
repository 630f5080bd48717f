#pragma once

#include <QObject>

#include <vector>

class QWidget;

namespace korvane::ui {

// Keeps the fields a person types into in sight where a message box lies
// over them: the box leaves a hole over every enabled field, so the field
// shows and takes the clicks there; everywhere else the box stays in front.
// Follows the box and the fields as they are shown, moved, scaled, enabled
// and disabled.
class FieldsInFront : public QObject {
public:
    FieldsInFront(QWidget* box, std::vector<QWidget*> fields, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cutHoles();

    QWidget* box_;
    std::vector<QWidget*> fields_;
};

} // namespace korvane::ui
