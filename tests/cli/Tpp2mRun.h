#pragma once

#include "support/TestMaterials.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <unistd.h>

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

// tpp2m run as the user nobody. The built program may lie where nobody cannot
// reach it (a checkout in root's home, mode 700), so nobody runs a copy in a
// folder of its own that every user can read; the test skips, with the reason,
// when this process cannot run programs as another user.
class Tpp2mAsNobody {
public:
    explicit Tpp2mAsNobody(const QString& program = QStringLiteral(TPP2M_PATH))
    {
        if (::getuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("runuser")).isEmpty()) {
            skipReason_ = "needs root and runuser to run tpp2m as another user";
            return;
        }
        const auto everyone = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
            | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
        if (!folder_.isValid() || !QFile::setPermissions(folder_.path(), everyone) || !QFile::copy(program, copy())
            || !QFile::setPermissions(copy(), everyone)) {
            skipReason_ = "cannot copy tpp2m into a folder that every user can read";
            return;
        }
        if (runProgram(folder_.path(), QStringLiteral("runuser"), arguments(QStringLiteral("--help"))).status != 0)
            skipReason_ = "nobody cannot run tpp2m from " + folder_.path().toStdString();
    }

    // Empty when tpp2m runs as nobody; otherwise why it cannot.
    const std::string& skipReason() const { return skipReason_; }

    Tpp2mRun run(const QString& folder, const QString& line) const
    {
        return runProgram(folder, QStringLiteral("runuser"), arguments(line));
    }

private:
    QString copy() const { return folder_.filePath(QStringLiteral("tpp2m")); }
    QStringList arguments(const QString& line) const
    {
        return QStringList{QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--"), copy()}
        + line.split(u' ', Qt::SkipEmptyParts);
    }

    QTemporaryDir folder_;
    std::string skipReason_;
};

// One line on standard error, nothing on standard output.
inline void expectRefused(const Tpp2mRun& result, int status, const QString& message, const std::string& what = {})
{
    EXPECT_EQ(result.status, status) << what;
    EXPECT_EQ(result.err.toStdString(), (QStringLiteral("tpp2m: ") + message + u'\n').toStdString()) << what;
    EXPECT_EQ(result.out.toStdString(), "") << what;
}

// Writes `bytes` as the whole file at `path`.
inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(out.write(bytes), bytes.size());
}

// The header of a file of materials without IDs and descriptions.
inline const QByteArray kMaterialsHeader =
    "Name,Density,Atomic wght,Energy gap 300 K,\"valel s+p,n\",\"valel s+p,n+1\",valel d,valel f\n";

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
    // The same, cut at its line breaks.
    QStringList outputLines(const QString& line) { return QString::fromStdString(output(line)).split(u'\n'); }

    FixtureDatabase database;
};

} // namespace korvane::test
