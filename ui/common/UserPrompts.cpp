#include "ui/common/UserPrompts.h"

#include "presentation/LineBreaks.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace korvane::ui {

namespace {

// A box of the main window with a title and a close button only: nothing to
// minimise or maximise.
void makeOrdinaryDialog(QDialog& box)
{
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    box.setWindowModality(Qt::ApplicationModal);
}

} // namespace

int DialogPrompts::message(const QString& text, const QString& title, int style)
{
    QMessageBox box(parent_);
    makeOrdinaryDialog(box);
    box.setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
    box.setText(withLineFeeds(text));
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
    QInputDialog box(parent_);
    makeOrdinaryDialog(box);
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setInputMode(QInputDialog::TextInput);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
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
