#include "materials/store/MaterialDatabase.h"
#include "materials/store/Sqlite.h"
#include "support/TestMaterials.h"

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
        {
            sqlite::Connection check = *sqlite::Connection::open(database.path(), SQLITE_OPEN_READONLY);
            sqlite::Statement integrity(check, QStringLiteral("PRAGMA integrity_check"));
            ASSERT_EQ(integrity.step(), SQLITE_ROW);
            ASSERT_EQ(integrity.text(0).toStdString(), "ok");
        }
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

} // namespace
} // namespace korvane
