#pragma once

#include <QString>

class QWidget;

namespace korvane::ui {

// Message-box styles and answers as the window uses them.
enum MessageStyle { OkOnly = 0, YesNoCancelQuestion = 35, YesNoQuestion = 36, OkExclamation = 48 };
enum MessageAnswer { AnswerOk = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7 };

// Every modal question the window asks goes through here, so that tests can
// read what was asked and give the answer.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    // A message box; an empty title shows the application's name.
    virtual int message(const QString& text, const QString& title, int style) = 0;
    // An input box with an empty default; the empty text when cancelled.
    virtual QString input(const QString& prompt, const QString& title) = 0;
    virtual void beep() = 0;
    // A save-file dialog starting at `suggested`; the empty text when cancelled.
    virtual QString saveFileName(const QString& title, const QString& suggested, const QString& filter) = 0;
};

// The real modal boxes, over the given window.
class DialogPrompts : public UserPrompts {
public:
    explicit DialogPrompts(QWidget* parent) : parent_(parent) {}
    int message(const QString& text, const QString& title, int style) override;
    QString input(const QString& prompt, const QString& title) override;
    void beep() override;
    QString saveFileName(const QString& title, const QString& suggested, const QString& filter) override;

private:
    QWidget* parent_;
};

} // namespace korvane::ui
