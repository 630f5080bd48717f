#include "materials/store/MaterialDatabase.h"
#include "presentation/ResultText.h"
#include "materials/store/Sqlite.h"
#include "materials/store/ShippedMaterials.h"
#include "support/TestMaterials.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <chrono>
#include <latch>
#include <thread>

namespace korvane {
namespace {

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The bytes of a new database of 400 rows at `path`, which spans several pages.
QByteArray manyRows(const QString& path)
{
    QFile::remove(path);
    QFile::remove(path + QStringLiteral(".new"));
    std::vector<Material> many;
    for (int i = 1; i <= 400; ++i)
        many.push_back(test::material(i, "Xx", 1, 2, 0, 1, 2, 3, 4));
    EXPECT_TRUE(createMaterialDatabase(path, many));
    return bytesOf(path);
}

// A table made by hand in another program, with the given rows pasted in as
// SQL values; `key` is what follows "ID" in the table's definition.
void writeTable(const QString& path, const char* key, const QStringList& rows)
{
    QFile::remove(path);
    QDir().mkpath(QFileInfo(path).absolutePath());
    sqlite::Connection db = *sqlite::Connection::open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    const QString table = QStringLiteral(R"(CREATE TABLE tblIMFPdata ("ID" %1, "Description" TEXT, "Name" TEXT,
        "Density" REAL, "Atomic wght" REAL, "Energy gap 300 K" REAL, "valel s+p,n" REAL, "valel s+p,n+1" REAL,
        "valel d" REAL, "valel f" REAL))");
    ASSERT_TRUE(db.exec(table.arg(QLatin1String(key)).toUtf8().constData()));
    for (const QString& row : rows)
        ASSERT_TRUE(db.exec(QStringLiteral("INSERT INTO tblIMFPdata VALUES (%1)").arg(row).toUtf8().constData()));
}

// Opening fails, read-write and read-only, with `expected` (the whole message,
// or words in it when `whole` is false), and the file keeps its bytes.
void expectRefused(const QString& path, const char* what, const QString& expected, bool whole = true)
{
    const QByteArray before = bytesOf(path);
    for (const bool readOnly : {false, true}) {
        OpenedDatabase opened = openMaterialDatabase(path, readOnly);
        EXPECT_FALSE(opened) << what;
        if (whole)
            EXPECT_EQ(opened.error(), expected.toStdString()) << what;
        else
            EXPECT_TRUE(errorText(opened).contains(expected, Qt::CaseInsensitive)) << what << ": " << opened.error();
    }
    EXPECT_EQ(bytesOf(path), before) << what;
    EXPECT_FALSE(QFile::exists(path + QStringLiteral("-journal"))) << what;
}

TEST(MaterialDatabase, AMissingFileIsCreatedFromTheShippedMaterials)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("DataBase/TPP2-data.db"));
    OpenedDatabase opened = openMaterialDatabase(path);
    ASSERT_TRUE(opened) << opened.error();
    const Result<std::vector<Material>> shipped = readShippedMaterials(shippedMaterialsText());
    ASSERT_TRUE(shipped) << shipped.error();
    ASSERT_EQ((*opened)->storedRowCount(), int(shipped->size()));
    for (int i = 0; i < (*opened)->storedRowCount(); ++i) // the shipped rows are in ID order
        EXPECT_EQ((*opened)->row(i), (*shipped)[size_t(i)]) << "row " << i;
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".new")));
}

// Copies of the program started at the same moment in an empty folder: one
// builds the file, the others wait for it, and every one reads all of it. A
// partial file left by a crash is cleaned up.
TEST(MaterialDatabase, CopiesStartingAtOnceBuildTheFileOnceAndAllReadIt)
{
    const size_t shippedCount = readShippedMaterials(shippedMaterialsText())->size();
    for (int round = 0; round < 8; ++round) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("DataBase/TPP2-data.db"));
        if (round == 0)
            writeBytes(path + QStringLiteral(".new"), "left by a crash");
        constexpr int kCopies = 4;
        std::latch start(kCopies);
        std::vector<QString> outcomes(kCopies);
        std::vector<std::thread> copies;
        for (int c = 0; c < kCopies; ++c) {
            copies.emplace_back([&, c] {
                start.arrive_and_wait();
                OpenedDatabase opened = openMaterialDatabase(path, /*readOnly=*/c % 2 == 0);
                outcomes[size_t(c)] = opened ? QString::number((*opened)->storedRowCount()) : errorText(opened);
            });
        }
        for (std::thread& copy : copies)
            copy.join();
        for (const QString& outcome : outcomes)
            EXPECT_EQ(outcome.toStdString(), std::to_string(shippedCount)) << "round " << round;
        EXPECT_FALSE(QFile::exists(path + QStringLiteral(".new"))) << "round " << round;
    }
}

TEST(MaterialDatabase, AnExistingFileIsNeverReplaced)
{
    test::FixtureDatabase fixture;
    const QByteArray before = bytesOf(fixture.path());
    EXPECT_EQ(createMaterialDatabase(fixture.path(), {}).error(), "the file already exists");
    EXPECT_EQ(bytesOf(fixture.path()), before);
}

// Each unusable file gives a message naming what is wrong and keeps its bytes.
TEST(MaterialDatabase, AnUnusableFileIsReportedAndLeftAsItWas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("DataBase/TPP2-data.db"));
    writeBytes(path, QByteArray("ID;Name\n1;H\n").repeated(200));
    expectRefused(path, "a text file", QStringLiteral("not a database"), false);

    writeTable(path, "INTEGER PRIMARY KEY", {});
    ASSERT_TRUE(sqlite::Connection::open(path, SQLITE_OPEN_READWRITE)->exec("ALTER TABLE tblIMFPdata RENAME TO other"));
    expectRefused(path, "no materials table", QStringLiteral("no table tblIMFPdata"), false);
    // A view of the table is no table: its rows come from a query, which may never end.
    ASSERT_TRUE(
        sqlite::Connection::open(path, SQLITE_OPEN_READWRITE)->exec("CREATE VIEW tblIMFPdata AS SELECT * FROM other"));
    expectRefused(path, "a view", QStringLiteral("its tblIMFPdata is a view, not a table"));

    writeTable(path, "INTEGER PRIMARY KEY", {});
    ASSERT_TRUE(
        sqlite::Connection::open(path, SQLITE_OPEN_READWRITE)->exec("ALTER TABLE tblIMFPdata DROP COLUMN \"valel d\""));
    expectRefused(path, "a missing column", QStringLiteral("\"valel d\""), false);

    QByteArray damaged = manyRows(path);
    ASSERT_GT(damaged.size(), 3 * 4096);
    damaged.replace(4096, 4096, QByteArray(4096, '\xff')); // the table's root page
    writeBytes(path, damaged);
    expectRefused(path, "a damaged table", QStringLiteral("malformed"), false);
}

// A record that cannot be read is damage, reported at open with what is
// wrong and the file left as it was; it never shows as an empty material.
TEST(MaterialDatabase, RecordsThatCannotBeReadAreReportedAsDamage)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("DataBase/TPP2-data.db"));
    // Pages that count but whose records cannot be decoded.
    QByteArray damaged = manyRows(path);
    damaged.replace(2 * 4096 + 1500, 4096 - 1500, QByteArray(4096 - 1500, '\xff')); // cells of a leaf page
    writeBytes(path, damaged);
    expectRefused(path, "undecodable records",
                  QStringLiteral("the database disk image is malformed (*** in database main ***"
                                 " On tree page 3 cell 135: invalid page number -1)"));

    const QString good = QStringLiteral("'', 'X', 1, 2, 3, 4, 5, 6, 7");
    writeTable(path, "INTEGER PRIMARY KEY",
               {QStringLiteral("1, ") + good, QStringLiteral("2, '', 'Y', 'abc', 2, 3, 4, 5, 6, 7")});
    expectRefused(
        path, "text for a density",
        QStringLiteral(
            "the material with ID 2 holds the text \"abc\" in the column \"Density\", where a number belongs"));
    writeTable(path, "INTEGER PRIMARY KEY", {QStringLiteral("8, '', 'Y', 1, 2, 3, 4, 5, x'00ff', 7")});
    expectRefused(
        path, "binary data",
        QStringLiteral("the material with ID 8 holds binary data in the column \"valel d\", where a number belongs"));
    writeTable(path, "INTEGER", {QStringLiteral("'5a', ") + good});
    expectRefused(path, "an ID that is not a number",
                  QStringLiteral("a material has the ID \"5a\", which is not a whole number"));
    writeTable(path, "INTEGER",
               {QStringLiteral("3, ") + good, QStringLiteral("1, ") + good, QStringLiteral("3, ") + good});
    expectRefused(path, "an ID twice", QStringLiteral("two materials have the ID 3"));

    // A number stored as text that SQLite turned into a number is fine, as
    // are whole numbers in a numeric column and an unkeyed table with unique IDs.
    writeTable(path, "INTEGER", {QStringLiteral("3, '', 'Y', '2.5', 2, 3, 4, 5, 6, 7"), QStringLiteral("1, ") + good});
    OpenedDatabase opened = openMaterialDatabase(path);
    ASSERT_TRUE(opened) << opened.error();
    EXPECT_EQ((*opened)->row(1).density, 2.5f);
    EXPECT_EQ((*opened)->row(0).valenceD, 6.0f);
}

// While another copy holds the file for its commit, opening waits for it
// instead of failing at once with "database is locked".
TEST(MaterialDatabase, OpeningWaitsForAnotherCopysCommit)
{
    test::FixtureDatabase fixture;
    sqlite::Connection writer = *sqlite::Connection::open(fixture.path(), SQLITE_OPEN_READWRITE);
    ASSERT_TRUE(writer.exec("BEGIN EXCLUSIVE"));
    ASSERT_TRUE(writer.exec("UPDATE tblIMFPdata SET \"Density\" = 9 WHERE \"ID\" = 8"));
    std::thread committer([&writer] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ASSERT_TRUE(writer.exec("COMMIT"));
    });
    for (const bool readOnly : {true, false}) {
        OpenedDatabase opened = openMaterialDatabase(fixture.path(), readOnly);
        ASSERT_TRUE(opened) << opened.error();
        EXPECT_EQ((*opened)->row(0).density, 9.0f);
    }
    committer.join();
}

// A path beginning "file:" is a file name, not a URI.
TEST(MaterialDatabase, AFileNameIsNeverAUri)
{
    test::FixtureDatabase fixture;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(fixture.folder()));
    const Result<sqlite::Connection> uri =
        sqlite::Connection::open(QStringLiteral("file:DataBase/TPP2-data.db"), SQLITE_OPEN_READONLY);
    QDir::setCurrent(previous);
    EXPECT_FALSE(uri);
    EXPECT_EQ(uri.error(), "unable to open database file");
}

// A name that is taken by something other than a database file is named
// for what it is, and nothing is created in its place.
TEST(MaterialDatabase, ANameTakenByAFolderOrADanglingLinkIsNamedForWhatItIs)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("DataBase/TPP2-data.db"));
    ASSERT_TRUE(QDir().mkpath(path));
    EXPECT_EQ(openMaterialDatabase(path).error(), "it is a folder, not a database file");

    ASSERT_TRUE(QDir(path).removeRecursively());
    const QString target = dir.filePath(QStringLiteral("moved/TPP2-data.db"));
    ASSERT_TRUE(QFile::link(target, path));
    EXPECT_EQ(errorText(openMaterialDatabase(path)),
              QStringLiteral("it is a link to %1, which does not exist").arg(target));
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral(".new")));
}

} // namespace
} // namespace korvane
