#pragma once

#include "support/TestMaterials.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <string>

namespace korvane::test {

// What one run of the built tpp2m gave.
struct Tpp2mRun {
    int status = -1;
    QString out;
    QString err;
};

// Runs `program` in `folder` with `arguments` and `environment`.
inline Tpp2mRun runProgram(const QString& folder, const QString& program, const QStringList& arguments,
                           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

// Runs tpp2m in `folder` (where its default database lies) with the
// arguments of `line`, split at blanks.
inline Tpp2mRun runTpp2m(const QString& folder, const QString& line)
{
    return runProgram(folder, QStringLiteral(TPP2M_PATH), line.split(u' ', Qt::SkipEmptyParts));
}

// One line on standard error, nothing on standard output.
inline void expectRefused(const Tpp2mRun& result, int status, const QString& message, const std::string& what = {})
{
    EXPECT_EQ(result.status, status) << what;
    EXPECT_EQ(result.err.toStdString(), (QStringLiteral("tpp2m: ") + message + u'\n').toStdString()) << what;
    EXPECT_EQ(result.out.toStdString(), "") << what;
}

inline QByteArray fileHash(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// Tests of tpp2m on a fresh fixture database in a folder of its own, where
// tpp2m runs, so that its default database is the fixture.
class Tpp2mFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(database.created()); }

    Tpp2mRun run(const QString& line) { return runTpp2m(database.folder(), line); }
    Tpp2mRun run(const QStringList& arguments)
    {
        return runProgram(database.folder(), QStringLiteral(TPP2M_PATH), arguments);
    }

    // The standard output of a run that must succeed without a word on standard error.
    std::string output(const QString& line)
    {
        const Tpp2mRun result = run(line);
        EXPECT_EQ(result.status, 0) << line.toStdString();
        EXPECT_EQ(result.err.toStdString(), "") << line.toStdString();
        return result.out.toStdString();
    }

    FixtureDatabase database;
};

} // namespace korvane::test
