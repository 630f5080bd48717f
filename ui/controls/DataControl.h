#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

namespace korvane::ui {

// The navigation bar over the materials: first, previous, next and last
// arrows around a caption.
class DataControl : public QWidget {
    Q_OBJECT
public:
    explicit DataControl(QWidget* parent = nullptr);
    QString caption() const;
    void setCaption(const QString& caption);

signals:
    void firstClicked();
    void previousClicked();
    void nextClicked();
    void lastClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitCaption();

    QToolButton* first_;
    QToolButton* previous_;
    QToolButton* next_;
    QToolButton* last_;
    QLabel* caption_;
};

} // namespace korvane::ui
