#pragma once

#include <QPushButton>

namespace korvane::ui {

// A command button whose caption wraps at word boundaries over as many lines
// as its height holds, centred, as the classic desktop draws a long caption
// on a narrow, tall button ("Understand the XPS intensity").
class WrappingButton : public QPushButton {
    Q_OBJECT
public:
    WrappingButton(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace korvane::ui
