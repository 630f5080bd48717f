#include "cli/OneLine.h"

#include "core/TextEscapes.h"

namespace korvane::cli {

QString oneLine(const QString& message)
{
    return QString::fromStdString(text::oneLine(message.toStdString()));
}

void printLine(std::FILE* err, const QString& message)
{
    std::fputs(QStringLiteral("tpp2m: %1\n").arg(oneLine(message)).toUtf8().constData(), err);
}

} // namespace korvane::cli
