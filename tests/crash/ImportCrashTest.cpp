#include "materials/store/MaterialDatabase.h"
#include "materials/store/Sqlite.h"
#include "support/TestMaterials.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <random>

namespace korvane {
namespace {

constexpr int kImportedRows = 100000;

// A file of new materials, M0 to M99999.
QString writeLargeImport(const QString& folder)
{
    const QString path = folder + QStringLiteral("/large.csv");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    QByteArray csv = "Name,Density,Atomic wght,Energy gap 300 K,\"valel s+p,n\",\"valel s+p,n+1\",valel d,valel f\n";
    for (int i = 0; i < kImportedRows; ++i)
        csv += "M" + QByteArray::number(i) + ",2.5," + QByteArray::number(40 + i % 97) + ",1.5,,,,16\n";
    file.write(csv);
    return path;
}

QProcess* startImport(const QString& file, const QString& database)
{
    auto* importer = new QProcess;
    importer->start(QStringLiteral(TPP2M_PATH),
                    {QStringLiteral("import"), file, QStringLiteral("--database"), database});
    EXPECT_TRUE(importer->waitForStarted());
    return importer;
}

// The file as a copy of the program finds it after the kill: an
// interrupted write is rolled back on opening.
std::map<qint64, Material> reopened(const QString& path)
{
    {
        Result<sqlite::Connection> check = sqlite::Connection::open(path, SQLITE_OPEN_READWRITE);
        EXPECT_TRUE(check);
        sqlite::Statement integrity(*check, QStringLiteral("PRAGMA integrity_check"));
        EXPECT_EQ(integrity.step(), SQLITE_ROW);
        EXPECT_EQ(integrity.text(0), QStringLiteral("ok"));
    }
    return test::storedMaterials(path);
}

// Waits until the import has begun to write: SQLite keeps the rollback
// journal from the first changed page until the commit. False when the
// import ended first.
bool waitForWriting(QProcess& importer, const QString& journal)
{
    while (!QFile::exists(journal)) {
        if (importer.state() == QProcess::NotRunning || importer.waitForFinished(1))
            return false;
    }
    return true;
}

TEST(CrashSafety, AnImportKilledWhileWritingLeavesTheDatabaseAsItWas)
{
    test::FixtureDatabase database;
    ASSERT_TRUE(database.created());
    const std::map<qint64, Material> before = test::storedMaterials(database.path());
    const QString file = writeLargeImport(database.folder());
    const QString original = database.folder() + QStringLiteral("/original.db");
    ASSERT_TRUE(QFile::copy(database.path(), original));

    // One whole import first: all 100 000 rows in one go, and how long the
    // writing takes.
    std::unique_ptr<QProcess> whole(startImport(file, database.path()));
    ASSERT_TRUE(waitForWriting(*whole, database.path() + QStringLiteral("-journal")));
    QElapsedTimer writing;
    writing.start();
    ASSERT_TRUE(whole->waitForFinished(120000));
    const qint64 writeTime = writing.elapsed();
    ASSERT_EQ(whole->exitCode(), 0) << whole->readAllStandardError().toStdString();
    ASSERT_EQ(test::storedMaterials(database.path()).size(), before.size() + kImportedRows);

    std::mt19937 random(20261207);
    int killedWhileWriting = 0;
    for (int kill = 0; kill < 6; ++kill) {
        ASSERT_TRUE(QFile::remove(database.path()));
        ASSERT_TRUE(QFile::copy(original, database.path()));
        std::unique_ptr<QProcess> importer(startImport(file, database.path()));
        if (!waitForWriting(*importer, database.path() + QStringLiteral("-journal")))
            continue; // it ended before it could be caught writing
        QThread::usleep(unsigned(random() % std::uint64_t(writeTime * 1000 / 3 + 1)));
        importer->kill();
        importer->waitForFinished();
        // All or nothing: a kill after the commit leaves every new row.
        const std::map<qint64, Material> after = reopened(database.path());
        if (after.size() == before.size() + kImportedRows)
            continue;
        ASSERT_EQ(after, before) << "after kill " << kill;
        ++killedWhileWriting;
    }
    EXPECT_GE(killedWhileWriting, 3);
}

} // namespace
} // namespace korvane
