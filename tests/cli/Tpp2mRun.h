#pragma once

#include "support/TestMaterials.h"

#include <QProcess>

namespace korvane::test {

// What one run of the built tpp2m gave.
struct Tpp2mRun {
    int status = -1;
    QString out;
    QString err;
};

// Runs tpp2m in `folder` (where its default database lies) with the
// arguments of `line`, split at blanks.
inline Tpp2mRun runTpp2m(const QString& folder, const QString& line)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(TPP2M_PATH), line.split(u' ', Qt::SkipEmptyParts));
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

} // namespace korvane::test
