#include "cli/PlotPlatform.h"

#include "cli/ExitStatus.h"
#include "cli/OneLine.h"

#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

namespace korvane::cli {

namespace {

// Qt's remarks about its surroundings (no runtime folder, a stand-in font)
// do not change the picture; only its critical messages reach standard error.
void keepQtCriticalMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtCriticalMsg && type != QtFatalMsg)
        return;
    std::fputs(QStringLiteral("tpp2m: Qt: %1\n").arg(oneLine(message)).toUtf8().constData(), stderr);
    if (type == QtFatalMsg) {
        std::fflush(stderr);
        std::_Exit(kNotFound);
    }
}

} // namespace

void preparePlotPlatform()
{
    qInstallMessageHandler(keepQtCriticalMessages);
    // Qt tries the platforms of a list in turn.
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    qputenv("QT_QPA_PLATFORM", chosen.isEmpty() ? QByteArray("offscreen") : chosen + ";offscreen");
}

Result<void> checkPlotFile(const QString& path)
{
    const QFileInfo file(path);
    if (file.isSymLink() && !file.exists())
        return Failed{QStringLiteral("the plot cannot be written to %1: it is a link to %2, which does not exist")
                          .arg(path, file.symLinkTarget())
                          .toStdString(),
                      ErrorCode::Storage};
    if (file.exists() && !file.isFile())
        return Failed{
            QStringLiteral("the plot cannot be written to %1: it is not a regular file").arg(path).toStdString(),
            ErrorCode::Storage};
    return {};
}

} // namespace korvane::cli
