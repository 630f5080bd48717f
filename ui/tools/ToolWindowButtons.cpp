#include "ui/tools/ToolWindowButtons.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>

namespace korvane::ui {

QHBoxLayout* footButtons(std::initializer_list<QPushButton*> buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : buttons)
        row->addWidget(button);
    return row;
}

void closeWithKeys(QWidget* window)
{
    for (const QKeySequence keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        QObject::connect(new QShortcut(keys, window), &QShortcut::activated, window, &QWidget::close);
}

} // namespace korvane::ui
