#pragma once

#include <QWidget>

class QToolButton;

namespace korvane::ui {

// A pair of up and down arrows with no value of their own; each click is
// reported and the owner decides what it changes.
class UpDownArrows : public QWidget {
    Q_OBJECT
public:
    explicit UpDownArrows(QWidget* parent = nullptr);
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    void upClicked();
    void downClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace korvane::ui
