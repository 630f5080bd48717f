#include "app/DatabaseMessage.h"

namespace korvane::app {

QString unusableDatabaseMessage(const QString& path, const QString& error, bool fileExists)
{
    const QString fileState =
        fileExists ? QStringLiteral("The file has not been changed.") : QStringLiteral("No file has been created.");
    return QStringLiteral("The materials database %1 cannot be used: %2.\n\n%3").arg(path, error, fileState);
}

} // namespace korvane::app
