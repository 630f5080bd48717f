#pragma once

#include <QGroupBox>

namespace korvane::ui {

// A frame as the classic desktop draws it: filled with its background, an
// etched border whose top edge runs through the middle of the caption line,
// and the caption on the background near the left; without a caption the
// border runs along the frame's edges. The controls inside keep
// their designed places relative to the frame's top-left corner.
class ClassicFrame : public QGroupBox {
    Q_OBJECT
public:
    ClassicFrame(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace korvane::ui
