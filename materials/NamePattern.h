#pragma once

#include <QString>

namespace korvane {

// A search pattern for material names, compared without regard to letter
// case: "*" stands for any run of characters and "?" for any one
// character; every other character, quote marks and "%" or "_" included,
// stands for itself.
class NamePattern {
public:
    explicit NamePattern(QString pattern) : pattern_(std::move(pattern)) {}

    // The pattern that Find uses: names that begin with `text`.
    static NamePattern startingWith(const QString& text) { return NamePattern(text + u'*'); }

    bool matches(QStringView name) const;

private:
    QString pattern_;
};

} // namespace korvane
