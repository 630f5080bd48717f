#pragma once

#include <QLineEdit>

namespace korvane::ui {

// A single-line text box with the classic two-pixel sunken edge and slim
// margins, so that a box only 19 pixels high (the valence-electron groups)
// still shows its number in full. Out of editing it shows the start of its
// text, as the classic box does.
class SunkenLineEdit : public QLineEdit {
    Q_OBJECT
public:
    SunkenLineEdit(const QString& text, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace korvane::ui
