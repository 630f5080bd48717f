#include "cli/OneLine.h"

namespace korvane::cli {

QString oneLine(const QString& message)
{
    QString line;
    line.reserve(message.size());
    for (const QChar c : message) {
        if (c == u'\n')
            line += QStringLiteral("\\n");
        else if (c == u'\r')
            line += QStringLiteral("\\r");
        else if (c == u'\t')
            line += QStringLiteral("\\t");
        else if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            line += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            line += c;
    }
    return line;
}

void printLine(std::FILE* err, const QString& message)
{
    std::fputs(QStringLiteral("tpp2m: %1\n").arg(oneLine(message)).toUtf8().constData(), err);
}

} // namespace korvane::cli
