#include "materials/model/NamePattern.h"

namespace korvane {

namespace {

bool sameLetter(QChar a, QChar b)
{
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

// `c` lies in the range in any of its letter cases.
bool inRange(QChar c, QChar first, QChar last)
{
    for (QChar form : {c, c.toLower(), c.toUpper()}) {
        if (first <= form && form <= last)
            return true;
    }
    return false;
}

} // namespace

NamePattern::NamePattern(const QString& pattern)
{
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern[i];
        if (c == u'[') {
            qsizetype next = 0;
            if (std::optional<Token> set = readSet(pattern, i, next)) {
                tokens_.push_back(std::move(*set));
                i = next;
                continue;
            }
        }
        Token token{Token::Kind::Literal, c, {}, false};
        if (c == u'*')
            token.kind = Token::Kind::AnyRun;
        else if (c == u'?')
            token.kind = Token::Kind::AnyOne;
        else if (c == u'#')
            token.kind = Token::Kind::Digit;
        tokens_.push_back(std::move(token));
        ++i;
    }
}

std::optional<NamePattern::Token> NamePattern::readSet(const QString& pattern, qsizetype open, qsizetype& next)
{
    Token set{Token::Kind::Set, {}, {}, false};
    qsizetype i = open + 1;
    if (i < pattern.size() && pattern[i] == u'!') {
        set.negated = true;
        ++i;
    }
    while (i < pattern.size() && pattern[i] != u']') {
        const QChar first = pattern[i];
        // "a-z" is a range; a "-" first or last in the set stands for itself.
        if (i + 2 < pattern.size() && pattern[i + 1] == u'-' && pattern[i + 2] != u']') {
            const QChar last = pattern[i + 2];
            if (last < first)
                return std::nullopt;
            set.ranges.push_back({first, last});
            i += 3;
        } else {
            set.ranges.push_back({first, first});
            ++i;
        }
    }
    if (i == pattern.size() || set.ranges.empty())
        return std::nullopt;
    next = i + 1;
    return set;
}

bool NamePattern::matchesOne(const Token& token, QChar c)
{
    switch (token.kind) {
    case Token::Kind::Literal: return sameLetter(token.literal, c);
    case Token::Kind::AnyOne: return true;
    case Token::Kind::Digit: return u'0' <= c && c <= u'9';
    case Token::Kind::AnyRun: return false;
    case Token::Kind::Set: break;
    }
    bool listed = false;
    for (const Range& range : token.ranges)
        listed = listed || inRange(c, range.first, range.last);
    return listed != token.negated;
}

bool NamePattern::matches(QStringView name) const
{
    // Greedy matching with one point to return to after the last "*".
    const auto count = qsizetype(tokens_.size());
    qsizetype p = 0;
    qsizetype n = 0;
    qsizetype starAt = -1;
    qsizetype nameAtStar = 0;
    while (n < name.size()) {
        if (p < count && tokens_[p].kind == Token::Kind::AnyRun) {
            starAt = p++;
            nameAtStar = n;
        } else if (p < count && matchesOne(tokens_[p], name[n])) {
            ++p;
            ++n;
        } else if (starAt >= 0) {
            p = starAt + 1;
            n = ++nameAtStar;
        } else {
            return false;
        }
    }
    while (p < count && tokens_[p].kind == Token::Kind::AnyRun)
        ++p;
    return p == count;
}

} // namespace korvane
