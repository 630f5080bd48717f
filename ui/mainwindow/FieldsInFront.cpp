#include "ui/mainwindow/FieldsInFront.h"

#include <QEvent>
#include <QRegion>
#include <QWidget>

namespace korvane::ui {

FieldsInFront::FieldsInFront(QWidget* box, std::vector<QWidget*> fields, QObject* parent)
    : QObject(parent), box_(box), fields_(std::move(fields))
{
    box_->installEventFilter(this);
    for (QWidget* field : fields_)
        field->installEventFilter(this);
}

bool FieldsInFront::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::EnabledChange: cutHoles(); break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

void FieldsInFront::cutHoles()
{
    if (box_->isHidden())
        return;
    QWidget* window = box_->window();
    const QPoint boxCorner = box_->mapTo(window, QPoint(0, 0));
    QRegion shown(box_->rect());
    for (const QWidget* field : fields_) {
        if (field->isEnabled() && !field->isHidden())
            shown -= QRect(field->mapTo(window, QPoint(0, 0)) - boxCorner, field->size());
    }
    if (shown == QRegion(box_->rect()))
        box_->clearMask();
    else
        box_->setMask(shown);
}

} // namespace korvane::ui
