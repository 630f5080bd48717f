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

// How many times the writer is killed; KORVANE_CRASH_KILLS asks for more.
int killCount()
{
    const int asked = qEnvironmentVariableIntValue("KORVANE_CRASH_KILLS");
    return asked > 0 ? asked : 200;
}

std::vector<Material> versionOneMaterials()
{
    std::vector<Material> rows;
    for (int id = 1; id <= 30; ++id)
        rows.push_back(test::material(id, "v1", 1, 1, 1, 1, 1, 1, 1));
    return rows;
}

// The version all columns of a material agree on, or -1 for a torn record.
float versionOf(const Material& m)
{
    const float version = m.density.value_or(-1);
    for (int c = int(Column::Density); c < kColumnCount; ++c) {
        if (*numericField(m, Column(c)) != version)
            return -1;
    }
    return m.name == QStringLiteral("v%1").arg(version) ? version : -1;
}

// What SQLite's integrity check says of the file; a write that was cut
// off is rolled back on opening.
std::string integrity(const QString& path)
{
    sqlite::Connection check = *sqlite::Connection::open(path, SQLITE_OPEN_READWRITE);
    sqlite::Statement integrity(check, QStringLiteral("PRAGMA integrity_check"));
    return integrity.step() == SQLITE_ROW ? integrity.text(0).toStdString() : "no answer";
}

TEST(CrashSafety, KilledWhileSavingLosesNothingSavedAndTearsNothing)
{
    test::FixtureDatabase database(versionOneMaterials());
    ASSERT_TRUE(database.created());
    std::mt19937 random(20261206);
    std::map<qint64, float> saved; // the newest version whose save returned
    int savesSeen = 0;
    const int kills = killCount();
    for (int kill = 0; kill < kills; ++kill) {
        QProcess writer;
        writer.start(QStringLiteral(KORVANE_CRASH_WRITER), {database.path(), QString::number(random())});
        ASSERT_TRUE(writer.waitForStarted());
        // Once it is saving, let it run a random while, then kill it.
        ASSERT_TRUE(writer.waitForReadyRead(10000)) << writer.readAllStandardError().toStdString();
        QThread::usleep(random() % 20000);
        writer.kill();
        writer.waitForFinished();
        ASSERT_EQ(writer.exitStatus(), QProcess::CrashExit) << writer.readAllStandardError().toStdString();
        for (const QByteArray& line : writer.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> words = line.split(' ');
            if (words.size() == 3 && words[0] == "saved") {
                saved[words[1].toInt()] = words[2].toFloat();
                ++savesSeen;
            }
        }

        OpenedDatabase reopened = openMaterialDatabase(database.path());
        ASSERT_TRUE(reopened) << "after kill " << kill << ": " << reopened.error();
        ASSERT_EQ(integrity(database.path()), "ok") << "after kill " << kill;
        std::map<qint64, float> stored;
        for (int i = 0; i < (*reopened)->storedRowCount(); ++i) {
            const Material m = (*reopened)->row(i);
            stored[m.id] = versionOf(m);
            ASSERT_GE(stored[m.id], 1) << "material " << m.id << " is torn after kill " << kill;
        }
        for (const auto& [id, version] : saved) {
            ASSERT_EQ(stored.count(id), 1u) << "saved material " << id << " lost after kill " << kill;
            ASSERT_GE(stored[id], version) << "material " << id << " lost its saved version";
        }
    }
    EXPECT_GT(savesSeen, kills) << "the writer must have saved between the kills";
}

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
        ASSERT_EQ(integrity(database.path()), "ok") << "after kill " << kill;
        const std::map<qint64, Material> after = test::storedMaterials(database.path());
        if (after.size() == before.size() + kImportedRows)
            continue;
        ASSERT_EQ(after, before) << "after kill " << kill;
        ++killedWhileWriting;
    }
    EXPECT_GE(killedWhileWriting, 3);
}

} // namespace
} // namespace korvane
