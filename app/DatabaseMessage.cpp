#include "app/DatabaseMessage.h"

namespace korvane::app {

QString unusableDatabaseMessage(const QString& path, const QString& error, bool fileExists)
{
    return QStringLiteral("The materials database %1 cannot be used: %2.\n\n%3")
        .arg(path, error,
             fileExists ? QStringLiteral("The file has not been changed.") : QStringLiteral("No file has been created."));
}

} // namespace korvane::app
