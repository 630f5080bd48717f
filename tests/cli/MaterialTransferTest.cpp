#include "Tpp2mRun.h"
#include "materials/store/MaterialSchema.h"
#include "materials/store/Sqlite.h"

#include <QFile>

#include <gtest/gtest.h>

#include <unistd.h>

// Failures show the texts, not their UTF-16 code units.
void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace korvane::test {
namespace {

std::vector<Material> elements()
{
    const std::vector<Material> all = fixtureMaterials();
    return {all[0], all[1], all[2]};
}

// Users' rows that try every column: empty groups, an empty description
// beside a null one, quotes, commas, a line break, SQL and letters beyond
// ASCII in the texts, and numbers at the ends of a Single.
std::vector<Material> usersMaterials()
{
    std::vector<Material> rows = elements();
    rows.push_back(material(104, "SiO2", 2.65f, 60.08f, 9.1f, std::nullopt, std::nullopt, std::nullopt, 16));
    rows.push_back(material(105, "Glass \"A\", fused", 0.1f, 1e-30f, 0, std::nullopt, 1.5f, std::nullopt, 3.25f));
    rows.back().description = QStringLiteral("first line\nsecond, \"quoted\"");
    rows.push_back(material(107, "x'); DROP TABLE tblIMFPdata; --", 3.4e38f, 7, 0.3f, 1, 2, 3, 4));
    rows.back().description = QStringLiteral("");
    rows.push_back(material(100000, "Ünï cødé", 1.17549435e-38f, 1234567.8f, 2, std::nullopt, 0, 10, std::nullopt));
    return rows;
}

// What sqlite3 prints for a query on a database file.
QString sqlite3(const QString& path, const QString& query)
{
    const Tpp2mRun result = runProgram(QString(), QStringLiteral("sqlite3"), {QStringLiteral("-batch"), path, query});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    return result.out;
}

// Every column but the ID of the users' rows, exactly: texts as bytes,
// numbers with 17 digits, each with its storage type.
QString usersRows(const QString& path)
{
    QStringList columns = {QStringLiteral("typeof(\"Description\")||hex(\"Description\")"),
                           QStringLiteral("typeof(\"Name\")||hex(\"Name\")")};
    for (int c = int(Column::Density); c < kColumnCount; ++c)
        columns << QStringLiteral("typeof(\"%1\")||printf('%.17g',\"%1\")").arg(schema::columnName(c));
    return sqlite3(path,
                   QStringLiteral("SELECT %1 FROM tblIMFPdata WHERE ID >= 104 ORDER BY ID").arg(columns.join(u',')));
}

class MaterialTransferTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(source.created());
        ASSERT_TRUE(target.created());
    }

    Tpp2mRun run(const QString& line) { return runTpp2m(source.folder(), line); }
    QString file(const char* name) const { return source.folder() + u'/' + QLatin1String(name); }
    Tpp2mRun import(const QString& path, const char* options = "")
    {
        return run(QStringLiteral("import %1 --database %2 %3").arg(path, target.path(), QLatin1String(options)));
    }

    FixtureDatabase source{usersMaterials()};
    FixtureDatabase target{elements()};
};

TEST_F(MaterialTransferTest, ExportThenImportGivesBackEveryUsersRowBitForBit)
{
    for (const char* format : {"csv", "json"}) {
        FixtureDatabase fresh(elements());
        const QString exported = file(format);
        const Tpp2mRun exportRun = run(QStringLiteral("export --%1").arg(QLatin1String(format)));
        ASSERT_EQ(exportRun.status, 0) << exportRun.err.toStdString();
        writeFile(exported, exportRun.out.toUtf8());
        const Tpp2mRun importRun = run(QStringLiteral("import %1 --database %2").arg(exported, fresh.path()));
        EXPECT_EQ(importRun.status, 0) << importRun.err.toStdString();
        EXPECT_EQ(importRun.out, QStringLiteral("imported 4 materials into %1: 4 new, 0 replaced\n").arg(fresh.path()));
        EXPECT_EQ(usersRows(fresh.path()), usersRows(source.path())) << format;
        EXPECT_EQ(sqlite3(fresh.path(), QStringLiteral("SELECT group_concat(ID) FROM tblIMFPdata")),
                  QStringLiteral("8,14,29,104,105,106,107\n"));
    }
    // The exported texts, as a person reads them.
    EXPECT_EQ(
        run(QStringLiteral("export --csv")).out.section(u'\n', 0, 3),
        QStringLiteral("ID,Description,Name,Density,Atomic wght,Energy gap 300 K,\"valel s+p,n\",\"valel s+p,n+1\","
                       "valel d,valel f\n"
                       "104,,SiO2,2.6500000953674316,60.08000183105469,9.100000381469727,,,,16\n"
                       "105,\"first line\nsecond, \"\"quoted\"\"\",\"Glass \"\"A\"\", fused\","
                       "0.10000000149011612,1.0000000031710769e-30,0,,1.5,,3.25"));

    // All rows: the elements are left out of an import.
    writeFile(file("all.csv"), run(QStringLiteral("export --all --csv")).out.toUtf8());
    const Tpp2mRun all = import(file("all.csv"));
    EXPECT_EQ(all.status, 0);
    EXPECT_EQ(all.err,
              QStringLiteral("tpp2m: note: 3 element rows (ID below 104) left out; elements are never written\n"));
    EXPECT_EQ(all.out, QStringLiteral("imported 4 materials into %1: 4 new, 0 replaced\n").arg(target.path()));
}

TEST_F(MaterialTransferTest, BadRowsAmongAThousandWriteNothing)
{
    const QByteArray before = fileHash(target.path());
    // The import's own rules (Save's are the materials layer's test); at
    // most 20 rows are named.
    std::map<int, QByteArray> bad = {
        {2, "Si,2.3,28,,,,,\n"},      {3, "Groups,1,60,,,,,16\n"},        {4, "Big,1e39,60,,,,,16\n"},
        {5, "Groups,1,60,,,x,,16\n"}, {6, "\"Tab\there\",1,60,,,,,16\n"}, {7, "Short,1,60\n"},
    };
    for (int i = 9; i <= 30; ++i)
        bad[i * 10] = "M" + QByteArray::number(i * 10) + ",,60,,,,,16\n";
    QByteArray csv = kMaterialsHeader;
    for (int i = 1; i <= 1000; ++i)
        csv += bad.count(i) ? bad.at(i) : QByteArray("M") + QByteArray::number(i) + ",2.5,60,,,,,16\n";
    writeFile(file("many-bad.csv"), csv);
    Tpp2mRun result = import(file("many-bad.csv"));
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_EQ(result.status, 1);
    const QStringList lines = result.err.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 22);
    EXPECT_EQ(lines.mid(0, 7),
              QStringList({
                  QStringLiteral("tpp2m: nothing imported: 27 of the 1000 rows of %1 cannot be written")
                      .arg(file("many-bad.csv")),
                  "tpp2m: line 3 (\"Si\"): the name is already in the database (ID 14)",
                  "tpp2m: line 5 (\"Big\"): Density: \"1e39\" is not a number that can be stored.",
                  "tpp2m: line 6 (\"Groups\"): valel s+p,n+1: \"x\" is not a number that can be stored.; "
                  "the name is also in line 4",
                  "tpp2m: line 7 (\"Tab\\there\"): the name holds a control character",
                  "tpp2m: line 8: it has 3 cells, the header 8",
                  "tpp2m: line 91 (\"M90\"): density must be filled in; density must be numeric",
              }));
    EXPECT_EQ(lines[20].toStdString(),
              "tpp2m: line 231 (\"M230\"): density must be filled in; density must be numeric");
    EXPECT_EQ(lines[21].toStdString(), "tpp2m: and 7 more bad rows");
    EXPECT_EQ(fileHash(target.path()), before);

    // --replace overwrites a compound of the same name, never an element.
    writeFile(file("replace.csv"), kMaterialsHeader + "SiO2,2.2,60.1,8.9,,,,16\nSi,2.3,28,,,,,4\n");
    result = import(file("replace.csv"), "--replace");
    EXPECT_EQ(result.err.section(u'\n', 1, 1),
              QStringLiteral("tpp2m: line 3 (\"Si\"): the name is an element's (ID 14); elements are never written"));
    // A byte-order mark and Windows line ends, as spreadsheets write them.
    writeFile(file("replace.csv"), "\xEF\xBB\xBF" + kMaterialsHeader + "SiO2,2.2,60.1,,,,,16\r\n");
    FixtureDatabase withCompounds;
    result = run(QStringLiteral("import %1 --database %2 --replace").arg(file("replace.csv"), withCompounds.path()));
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(sqlite3(withCompounds.path(),
                      QStringLiteral("SELECT ID, Density, \"Energy gap 300 K\", Description "
                                     "IS NULL FROM tblIMFPdata WHERE Name = 'SiO2'")),
              QStringLiteral("104|2.20000004768372|0.0|1\n"));
}

TEST_F(MaterialTransferTest, HostileFilesGiveAClearMessageAndWriteNothing)
{
    const QByteArray header = "ID," + kMaterialsHeader;
    // A gigabyte on one line, without the disk space: a sparse file.
    const QString longLine = file("long.csv");
    writeFile(longLine, header + "200,SiO2,");
    ASSERT_EQ(::truncate(QFile::encodeName(longLine).constData(), 1LL << 30), 0);
    const QString longJson = file("long.json");
    writeFile(longJson, "[{\"Name\": \"");
    ASSERT_EQ(::truncate(QFile::encodeName(longJson).constData(), 1LL << 30), 0);
    const QString columns =
        QStringLiteral("; the columns are ID, Description, Name, Density, Atomic wght, Energy gap 300 K, valel s+p,n, "
                       "valel s+p,n+1, valel d, valel f");
    struct Case {
        QString path;
        std::optional<QByteArray> bytes; // none: written above, or not at all
        QString message;
    };
    const std::vector<Case> cases = {
        {longLine, {}, "line 2 is longer than 139264 bytes"},
        {longJson, {}, "the JSON file is larger than 64 MiB; write it as CSV, which has no limit"},
        {file("prose.csv"), "Dear colleague, here are my materials.\n",
         "line 1 is not a header of material columns: unknown column \"Dear colleague\"" + columns},
        {file("twice.csv"), "Name,name\n",
         "line 1 is not a header of material columns: the column \"Name\" is named twice"},
        {file("nul.csv"), header + QByteArray("200,Si\0O2,2.65,60.08,9.1,,,,16\n", 31),
         "line 2 holds a NUL byte: this is not a text file of materials"},
        {file("latin1.csv"), header + "200,Caf\xe9,2.65,60.08,9.1,,,,16\n", "line 2 is not UTF-8 text"},
        {file("open-quote.csv"), header + "200,\"SiO2,2.65,60.08,9.1,,,,16\n", "line 2: a quoted cell is not closed"},
        {file("object.json"), "{\"Name\": \"SiO2\"}", "the JSON file must hold an array of materials"},
        {file("broken.json"), "[\n  {\"Name\": \"SiO2\",\n", "line 3 is not valid JSON: unterminated object"},
        {file("empty.csv"), QByteArray(), "the file is empty"},
        {file("missing.csv"), {}, "the file cannot be read: No such file or directory"},
        {file("many.csv"), header + QByteArray("x\n").repeated(250001),
         "the file holds more than 250000 materials; import it in parts"},
    };
    const QByteArray before = fileHash(target.path());
    for (const Case& c : cases) {
        if (c.bytes)
            writeFile(c.path, *c.bytes);
        expectRefused(import(c.path), 1, QStringLiteral("%1: %2; nothing imported").arg(c.path, c.message),
                      c.path.toStdString());
    }
    EXPECT_EQ(fileHash(target.path()), before);

    // A JSON row that is no object, and NUL characters in texts.
    writeFile(file("rows.json"),
          "[7, {\"Name\": \"N\\u0000\", \"Description\": \"\\u0000\", \"Density\": 1, "
          "\"Atomic wght\": 1, \"Energy gap 300 K\": 0, \"valel s+p,n\": null, "
          "\"valel s+p,n+1\": null, \"valel d\": null, \"valel f\": 1}]");
    EXPECT_EQ(import(file("rows.json")).err.toStdString(),
              QStringLiteral("tpp2m: nothing imported: 2 of the 2 rows of %1 cannot be written\n"
                             "tpp2m: row 1: it is not an object of columns\n"
                             "tpp2m: row 2 (\"N\\u0000\"): the name holds a control character; "
                             "the description holds a NUL character\n")
                  .arg(file("rows.json"))
                  .toStdString());
    EXPECT_EQ(fileHash(target.path()), before);
}

// A database that cannot be opened ends an export and an import with status
// 1 and its cause, whatever the cause: no file, a folder, a file of prose.
TEST_F(MaterialTransferTest, ADatabaseThatCannotBeOpenedEndsWithStatusOne)
{
    writeFile(file("prose.db"), "Dear colleague, here are my materials.\n");
    writeFile(file("one.csv"), kMaterialsHeader + "MyA,1,60,,,,,16\n");
    const std::vector<std::pair<QString, QString>> databases = {
        {file("missing.db"), QStringLiteral("there is no such file")},
        {source.folder(), QStringLiteral("it is a folder, not a database file")},
        {file("prose.db"), QStringLiteral("file is not a database")},
    };
    for (const auto& [database, cause] : databases) {
        const QString refusal = QStringLiteral("the materials database %1 cannot be opened: %2").arg(database, cause);
        expectRefused(run(QStringLiteral("export --json --database ") + database), 1, refusal, cause.toStdString());
        expectRefused(run(QStringLiteral("import %1 --database %2").arg(file("one.csv"), database)), 1,
                      refusal + QStringLiteral("; nothing imported"), cause.toStdString());
    }
}

// Waiting for another copy's write is the connection's, tested where it is opened.
TEST_F(MaterialTransferTest, ImportGivesUpOnAnotherCopysLongWrite)
{
    writeFile(file("one.csv"), kMaterialsHeader + "SiO2,2.65,60.08,9.1,,,,16\n");
    Result<sqlite::Connection> other = sqlite::Connection::open(target.path(), SQLITE_OPEN_READWRITE);
    ASSERT_TRUE(other);
    ASSERT_TRUE(other->exec("BEGIN IMMEDIATE"));
    // Held longer than Save waits: the import gives up and writes nothing.
    expectRefused(
        import(file("one.csv")), 1,
        QStringLiteral("another copy of the program is writing to %1; try again; nothing imported").arg(target.path()));
    EXPECT_EQ(sqlite3(target.path(), QStringLiteral("SELECT count(*) FROM tblIMFPdata")), QStringLiteral("3\n"));
}

// The file's IDs are not the database's: a user's rows with small IDs are
// imported under new IDs, a row the same as a stored one is already there,
// and a file without rows imports nothing.
TEST_F(MaterialTransferTest, UsersRowsOfAnyIdImportAndRowsAlreadyThereAreCounted)
{
    const QByteArray header = "ID," + kMaterialsHeader;
    writeFile(file("small-ids.csv"), header + "1,MyA,1,60,,,,,16\n2,MyB,2,60,,,,,16\n0,MyC,3,60,,,,,16\n");
    Tpp2mRun result = import(file("small-ids.csv"));
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(result.err, QString());
    EXPECT_EQ(result.out, QStringLiteral("imported 3 materials into %1: 3 new, 0 replaced\n").arg(target.path()));
    EXPECT_EQ(sqlite3(target.path(), QStringLiteral("SELECT group_concat(ID||Name) FROM tblIMFPdata WHERE ID >= 104")),
              QStringLiteral("104MyA,105MyB,106MyC\n"));

    result = import(file("small-ids.csv"));
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(result.out,
              QStringLiteral("nothing to write into %1: the 3 materials are already there\n").arg(target.path()));
    writeFile(file("one-more.csv"), header + "7,MyA,1,60,,,,,16\n8,MyD,4,60,,,,,16\n");
    result = import(file("one-more.csv"));
    EXPECT_EQ(result.out,
              QStringLiteral("imported 1 materials into %1: 1 new, 0 replaced; 1 already there\n").arg(target.path()));
    // The same name with another value is still a conflict.
    writeFile(file("changed.csv"), header + "1,MyA,1.5,60,,,,,16\n");
    expectRefused(import(file("changed.csv")), 1,
                  QStringLiteral("nothing imported: 1 of the 1 rows of %1 cannot be written\n"
                                 "tpp2m: line 2 (\"MyA\"): the name is already in the database (ID 104)")
                      .arg(file("changed.csv")));

    const QByteArray before = fileHash(target.path());
    writeFile(file("empty.csv"), header);
    expectRefused(import(file("empty.csv")), 1,
                  QStringLiteral("nothing imported: %1 holds no materials").arg(file("empty.csv")));
    EXPECT_EQ(fileHash(target.path()), before);
}

// One limit for the name and the description, in every writer and reader:
// the longest import, export and import again; longer ones and a number too
// small for a Single are refused, never cut.
TEST_F(MaterialTransferTest, TheLongestNameAndDescriptionTravelWholeAndLongerOnesAreRefused)
{
    // A name counts characters: 255 emoji are 510 UTF-16 units.
    const QByteArray longest = "ID,Description," + kMaterialsHeader + "1,\"" + QString(32767, QChar(0x20AC)).toUtf8() + "\",\""
        + QByteArray("\xF0\x9F\x98\x80").repeated(255) + "\",1,60,,,,,16\n";
    writeFile(file("longest.csv"), longest);
    Tpp2mRun result = import(file("longest.csv"));
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const Tpp2mRun exported = run(QStringLiteral("export --csv --database ") + target.path());
    ASSERT_EQ(exported.status, 0);
    writeFile(file("exported.csv"), exported.out.toUtf8());
    FixtureDatabase fresh(elements());
    result = run(QStringLiteral("import %1 --database %2").arg(file("exported.csv"), fresh.path()));
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(sqlite3(fresh.path(),
                      QStringLiteral("SELECT length(Name), length(Description) FROM tblIMFPdata "
                                     "WHERE ID >= 104")),
              QStringLiteral("255|32767\n"));

    const QByteArray before = fileHash(target.path());
    writeFile(file("longer.csv"),
          "Description," + kMaterialsHeader + "\"" + QByteArray(32768, 'd') + "\",\"" + QByteArray(256, 'n')
              + "\",1,60,,,,,16\nd,Tiny,1e-50,60,,,,,16\n");
    expectRefused(import(file("longer.csv")), 1,
                  QStringLiteral("nothing imported: 2 of the 2 rows of %1 cannot be written\n"
                                 "tpp2m: line 2 (\"%2\"): the description is longer than 32767 characters; "
                                 "Name must be at most 255 characters long\n"
                                 "tpp2m: line 3 (\"Tiny\"): Density: \"1e-50\" is out of range")
                      .arg(file("longer.csv"), QString(256, u'n')));
    EXPECT_EQ(fileHash(target.path()), before);

    // Half of a character is refused, never stored as "?".
    writeFile(file("half.json"),
          "[{\"Name\": \"Si\\ud83dO2\", \"Density\": 1, \"Atomic wght\": 60, \"Energy gap 300 K\": 0, "
          "\"valel s+p,n\": null, \"valel s+p,n+1\": null, \"valel d\": null, \"valel f\": 16}]");
    EXPECT_TRUE(import(file("half.json"))
                    .err.endsWith(QStringLiteral("Name must not hold half of a character (a lone surrogate)\n")));
    EXPECT_EQ(fileHash(target.path()), before);
}

// A name that tpp2m would read as an ID or as an option is refused; the
// blanks around a name are dropped.
TEST_F(MaterialTransferTest, ImportRefusesNamesTheCommandLineCannotReachAndTrimsBlanks)
{
    const QByteArray before = fileHash(target.path());
    writeFile(file("unreachable.csv"), kMaterialsHeader + "105,1,60,,,,,16\n--energy,1,60,,,,,16\n-1,1,60,,,,,16\n");
    expectRefused(import(file("unreachable.csv")), 1,
                  QStringLiteral("nothing imported: 3 of the 3 rows of %1 cannot be written\n"
                                 "tpp2m: line 2 (\"105\"): the name is a bare number, which tpp2m reads as an ID\n"
                                 "tpp2m: line 3 (\"--energy\"): the name starts with \"-\", which tpp2m reads as "
                                 "an option\n"
                                 "tpp2m: line 4 (\"-1\"): the name starts with \"-\", which tpp2m reads as an option")
                      .arg(file("unreachable.csv")));
    EXPECT_EQ(fileHash(target.path()), before);

    writeFile(file("blanks.csv"), kMaterialsHeader + "\"  My glass \",1,60,,,,,16\n");
    EXPECT_EQ(import(file("blanks.csv")).status, 0);
    EXPECT_EQ(sqlite3(target.path(), QStringLiteral("SELECT '<'||Name||'>' FROM tblIMFPdata WHERE ID >= 104")),
              QStringLiteral("<My glass>\n"));
}

} // namespace
} // namespace korvane::test
