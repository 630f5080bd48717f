#pragma once

#include "support/TestMaterials.h"

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

// Runs tpp2m in `folder` (where its default database lies) with `arguments`.
inline Tpp2mRun runTpp2m(const QString& folder, const QStringList& arguments)
{
    return runProgram(folder, QStringLiteral(TPP2M_PATH), arguments);
}

// The same with the arguments of `line`, split at blanks.
inline Tpp2mRun runTpp2m(const QString& folder, const QString& line)
{
    return runTpp2m(folder, line.split(u' ', Qt::SkipEmptyParts));
}

// Tests of tpp2m on a fresh fixture database in a folder of its own, where
// tpp2m runs, so that its default database is the fixture.
class Tpp2mFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(database.created()); }

    Tpp2mRun run(const QString& line) { return runTpp2m(database.folder(), line); }
    Tpp2mRun run(const QStringList& arguments) { return runTpp2m(database.folder(), arguments); }

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
