#include "materials/NamePattern.h"

namespace korvane {

namespace {

bool sameLetter(QChar a, QChar b)
{
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

} // namespace

bool NamePattern::matches(QStringView name) const
{
    // Greedy matching with one point to return to after the last "*".
    qsizetype p = 0;
    qsizetype n = 0;
    qsizetype starAt = -1;
    qsizetype nameAtStar = 0;
    while (n < name.size()) {
        if (p < pattern_.size() && pattern_[p] == u'*') {
            starAt = p++;
            nameAtStar = n;
        } else if (p < pattern_.size() && (pattern_[p] == u'?' || sameLetter(pattern_[p], name[n]))) {
            ++p;
            ++n;
        } else if (starAt >= 0) {
            p = starAt + 1;
            n = ++nameAtStar;
        } else {
            return false;
        }
    }
    while (p < pattern_.size() && pattern_[p] == u'*')
        ++p;
    return p == pattern_.size();
}

} // namespace korvane
