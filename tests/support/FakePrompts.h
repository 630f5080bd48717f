#pragma once

#include "ui/UserPrompts.h"

#include <QStringList>

#include <deque>

namespace korvane::test {

// Stands in for the modal boxes: records what the window asked and gives
// the answers queued beforehand (OK, or the empty text, when none is queued).
class FakePrompts : public ui::UserPrompts {
public:
    struct Message {
        QString text;
        QString title;
        int style;
    };

    int message(const QString& text, const QString& title, int style) override
    {
        messages.push_back({text, title, style});
        if (answers.empty())
            return ui::AnswerOk;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString input(const QString& prompt, const QString& title) override
    {
        inputs << prompt + u'|' + title;
        if (typed.empty())
            return {};
        const QString text = typed.front();
        typed.pop_front();
        return text;
    }
    void beep() override { ++beeps; }
    QString saveFileName(const QString& title, const QString&, const QString& filter) override
    {
        saveDialogs << title + u'|' + filter;
        if (savedFiles.empty())
            return {};
        const QString file = savedFiles.front();
        savedFiles.pop_front();
        return file;
    }

    std::vector<Message> messages;
    QStringList inputs;
    std::deque<int> answers;
    std::deque<QString> typed;
    QStringList saveDialogs;
    std::deque<QString> savedFiles;
    int beeps = 0;
};

} // namespace korvane::test
