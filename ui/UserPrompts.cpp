#include "ui/UserPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace korvane::ui {

int DialogPrompts::message(const QString& text, const QString& title, int style)
{
    QMessageBox box(parent_);
    box.setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
    // Message texts break their lines with CR LF; the box wants LF alone.
    box.setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    if (style == YesNoQuestion || style == YesNoCancelQuestion) {
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(style == YesNoQuestion ? QMessageBox::Yes | QMessageBox::No
                                                      : QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    } else {
        box.setIcon(style == OkExclamation ? QMessageBox::Warning : QMessageBox::NoIcon);
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int answer = box.exec();
    if (answer == QMessageBox::Yes)
        return AnswerYes;
    if (answer == QMessageBox::No)
        return AnswerNo;
    if (answer == QMessageBox::Cancel)
        return AnswerCancel;
    return AnswerOk;
}

QString DialogPrompts::input(const QString& prompt, const QString& title)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent_, title, prompt, QLineEdit::Normal, QString(), &ok);
    return ok ? text : QString();
}

void DialogPrompts::beep()
{
    QApplication::beep();
}

QString DialogPrompts::saveFileName(const QString& title, const QString& suggested, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent_, title, suggested, filter);
}

} // namespace korvane::ui
