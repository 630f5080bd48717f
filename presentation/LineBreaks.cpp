#include "presentation/LineBreaks.h"

namespace korvane {

QString lineBreak()
{
    return QStringLiteral("\r\n");
}

QString withLineFeeds(const QString& text)
{
    return QString(text).replace(lineBreak(), QStringLiteral("\n"));
}

QStringList linesOf(const QString& text)
{
    return text.split(lineBreak(), Qt::SkipEmptyParts);
}

} // namespace korvane
