#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace korvane {

// A search pattern for material names, compared without regard to letter
// case: "*" stands for any run of characters, "?" for any one character and
// "#" for one digit; "[abc]" stands for one of the characters listed,
// "[a-z]" for one in that range and "[!abc]" for one not listed (inside the
// brackets "*", "?" and "#" stand for themselves). A bracket that is not
// closed, holds nothing or has a range that runs backwards ("[a-", "[]",
// "[z-a]") is taken literally. Every other character, quote marks and "%" or
// "_" included, stands for itself.
class NamePattern {
public:
    explicit NamePattern(const QString& pattern);

    // The pattern that Find uses: names that begin with `text`.
    static NamePattern startingWith(const QString& text) { return NamePattern(text + u'*'); }

    bool matches(QStringView name) const;

private:
    struct Range {
        QChar first;
        QChar last;
    };
    struct Token {
        enum class Kind { Literal, AnyOne, Digit, AnyRun, Set } kind;
        QChar literal;             // Literal
        std::vector<Range> ranges; // Set: a single character is a range of one
        bool negated = false;      // Set: "[!...]"
    };

    // The set that starts at `open` ("["), or nothing when the bracket is
    // taken literally; `next` is set to the position after its "]".
    static std::optional<Token> readSet(const QString& pattern, qsizetype open, qsizetype& next);
    static bool matchesOne(const Token& token, QChar c);

    std::vector<Token> tokens_;
};

} // namespace korvane
