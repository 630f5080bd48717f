#include "app/UserDataFolder.h"

#include "presentation/ResultText.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace korvane::app {

namespace {

bool isAbsoluteFolder(const QString& path)
{
    return !path.isEmpty() && QDir::isAbsolutePath(path);
}

// Makes the folder and those above it that are missing, each with the
// permissions the XDG base directory rules ask of a new data folder (0700).
bool makeFolder(const QString& path)
{
    QStringList missing;
    for (QString folder = QDir::cleanPath(path); !QFileInfo::exists(folder); folder = QFileInfo(folder).path())
        missing.prepend(folder);
    for (const QString& folder : missing) {
        if (!QDir().mkdir(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))
            return false;
    }
    return QFileInfo(path).isDir();
}

} // namespace

std::optional<QString> userDataFolder(const QString& xdgDataHome, const QString& home)
{
    if (isAbsoluteFolder(xdgDataHome))
        return QDir::cleanPath(xdgDataHome + QStringLiteral("/korvane"));
    if (isAbsoluteFolder(home))
        return QDir::cleanPath(home + QStringLiteral("/.local/share/korvane"));
    return std::nullopt;
}

Result<QString> enterUserDataFolder()
{
    const std::optional<QString> folder =
        userDataFolder(qEnvironmentVariable("XDG_DATA_HOME"), qEnvironmentVariable("HOME"));
    if (!folder)
        return Failed{"Neither XDG_DATA_HOME nor HOME names an absolute folder.", ErrorCode::NotFound};
    if (!makeFolder(*folder))
        return failed(QStringLiteral("The folder %1 cannot be made.").arg(*folder), ErrorCode::Storage);
    if (!QDir::setCurrent(*folder))
        return failed(QStringLiteral("The folder %1 cannot be entered.").arg(*folder), ErrorCode::Storage);
    return *folder;
}

} // namespace korvane::app
