#pragma once

#include "ui/common/UserPrompts.h"

#include <QStringList>

#include <deque>
#include <ostream>

namespace korvane::test {

// Stands in for the modal boxes: records what the window asked and gives
// the answers queued beforehand (OK, or the empty text, when none is queued).
class FakePrompts : public ui::UserPrompts {
public:
    struct Message {
        QString text;
        QString title;
        int style;
        bool operator==(const Message&) const = default;
        friend void PrintTo(const Message& m, std::ostream* out)
        {
            *out << m.title.toStdString() << ": " << m.text.toStdString() << " (style " << m.style << ')';
        }
    };

    int message(const QString& text, const QString& title, int style) override
    {
        messages.push_back({text, title, style});
        return next(answers, int(ui::AnswerOk));
    }
    QString input(const QString& prompt, const QString& title) override
    {
        inputs << prompt + u'|' + title;
        return next(typed, QString());
    }
    void beep() override { ++beeps; }
    QString saveFileName(const QString& title, const QString& suggested, const QString& filter) override
    {
        saveDialogs << title + u'|' + filter;
        suggestedFiles << suggested;
        return next(savedFiles, QString());
    }

    std::vector<Message> messages;
    QStringList inputs;
    std::deque<int> answers;
    std::deque<QString> typed;
    QStringList saveDialogs;
    QStringList suggestedFiles;
    std::deque<QString> savedFiles;
    int beeps = 0;

private:
    // The first queued answer, taken from the queue, or `none` when it is empty.
    template <typename T>
    static T next(std::deque<T>& queue, T none)
    {
        if (queue.empty())
            return none;
        T first = std::move(queue.front());
        queue.pop_front();
        return first;
    }
};

} // namespace korvane::test
