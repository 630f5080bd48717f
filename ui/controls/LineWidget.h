#pragma once

#include <QColor>
#include <QWidget>

namespace korvane::ui {

// A designed line between two points, drawn in its colour and width.
class LineWidget : public QWidget {
    Q_OBJECT
public:
    LineWidget(QPoint from, QPoint to, QColor colour, int width, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint from_, to_;
    QColor colour_;
    int width_;
};

} // namespace korvane::ui
