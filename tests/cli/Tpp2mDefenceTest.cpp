#include "Tpp2mRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include "materials/store/Sqlite.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace korvane::test {
namespace {

// tpp2m against files and command lines meant to break it: each ends in a
// clear line and a non-zero status, or in the right answer.
using Tpp2mDefenceTest = Tpp2mFixture;

TEST_F(Tpp2mDefenceTest, ADamagedFileIsOneLineAndExitOneNeverEmptyRows)
{
    QFile file(database.path());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    ASSERT_GE(bytes.size(), 2 * 4096);
    // The records of the table's only page: its cells lie at the page's end.
    bytes.replace(4096 + 3000, 4096 - 3000, QByteArray(4096 - 3000, '\xff'));
    file.seek(0);
    file.write(bytes);
    file.close();
    const Tpp2mRun result = run(QStringLiteral("list --csv"));
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.startsWith(QStringLiteral(
        "tpp2m: the materials database DataBase/TPP2-data.db cannot be opened: the database disk image is malformed")))
        << result.err.toStdString();
    EXPECT_EQ(result.err.count(u'\n'), 1);
    EXPECT_EQ(result.out.toStdString(), "");
}

// IDs are whole and only a bare number is one. A name typed in the window
// may look like an ID or an option: a bare number that is one material's ID
// and another's name is refused as ambiguous, and --id and --name reach each.
TEST_F(Tpp2mDefenceTest, IdsAreWholeAndANameThatIsAlsoAnIdIsAmbiguous)
{
    FixtureDatabase odd({material(104, "SiO2", 2.65f, 60.08f, 9.1f, {}, {}, {}, 16),
                         material(4294967301, "0104", 2.65f, 60.08f, 9.1f, {}, {}, {}, 16),
                         material(105, "Cu2O", 6, 143, 2.2f, {}, {}, {}, 28),
                         material(190, "105", 2.65f, 60.08f, 9.1f, {}, {}, {}, 16),
                         material(191, "-x", 2.65f, 60.08f, 9.1f, {}, {}, {}, 16),
                         material(192, "300", 2.65f, 60.08f, 9.1f, {}, {}, {}, 16)});
    ASSERT_TRUE(odd.created());
    const QString from = QStringLiteral(" --energy 1000 --csv --database ") + odd.path();
    EXPECT_EQ(output(QStringLiteral("imfp 4294967301 0104 104") + from),
              "material,id,energy_eV,form,imfp_A,error\n"
              "0104,4294967301,1000,non-relativistic,29.11884,\n"
              "0104,4294967301,1000,non-relativistic,29.11884,\n"
              "SiO2,104,1000,non-relativistic,29.11884,\n");
    expectRefused(run(QStringLiteral("imfp +104") + from), 1,
                  QStringLiteral("no material \"+104\" in %1").arg(odd.path()), "a sign");
    expectRefused(run(QStringLiteral("imfp 105") + from), 2,
                  QStringLiteral("\"105\" is ambiguous: the ID of Cu2O and the name of the material with ID 190; "
                                 "say --id 105 or --name 105"));
    EXPECT_EQ(output(QStringLiteral("imfp --id 105 --name 105 --name=-x 300") + from),
              "material,id,energy_eV,form,imfp_A,error\n"
              "Cu2O,105,1000,non-relativistic,18.836706,\n"
              "105,190,1000,non-relativistic,29.11884,\n"
              "-x,191,1000,non-relativistic,29.11884,\n"
              "300,192,1000,non-relativistic,29.11884,\n");
    expectRefused(run(QStringLiteral("imfp --id 10x") + from), 2,
                  QStringLiteral("--id: \"10x\" is not a whole number"));
}

// An empty name finds no material, not even one without a name (a view as
// the table is the materials layer's test).
TEST_F(Tpp2mDefenceTest, AnEmptyNameIsNotFound)
{
    sqlite::Connection db = *sqlite::Connection::open(database.path(), SQLITE_OPEN_READWRITE);
    ASSERT_TRUE(db.exec("UPDATE tblIMFPdata SET Name = NULL WHERE ID = 104"));
    for (const QString& name : {QStringLiteral("--name="), QString()})
        expectRefused(run(QStringList{QStringLiteral("imfp"), QStringLiteral("--energy=1000"), name}), 1,
                      QStringLiteral("no material \"\" in DataBase/TPP2-data.db"), name.toStdString());
}

TEST_F(Tpp2mDefenceTest, ANamedDatabaseMustExist)
{
    expectRefused(run(QStringLiteral("imfp SiO2 --energy 1000 --database Typo/TPP2-data.db")), 1,
                  QStringLiteral("the materials database Typo/TPP2-data.db cannot be opened: there is no such file"),
                  "a typo");
    EXPECT_FALSE(QFileInfo::exists(database.folder() + QStringLiteral("/Typo")));
}

TEST_F(Tpp2mDefenceTest, APlotNeedsNoDisplayAndGoesOnlyToARegularFile)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("DISPLAY"));
    const Tpp2mRun plot =
        runProgram(database.folder(), QStringLiteral(TPP2M_PATH),
                   QStringLiteral("plot SiO2 --energy 100,1000 -o imfp.png").split(u' '), environment);
    EXPECT_EQ(plot.status, 0) << plot.err.toStdString();
    EXPECT_EQ(QImage(database.folder() + QStringLiteral("/imfp.png")).size(), QSize(800, 600));

    const QString folder = database.folder() + u'/';
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder + QStringLiteral("pipe.png")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(folder + QStringLiteral("gone/x.png"), folder + QStringLiteral("dangling.png")));
    expectRefused(run(QStringLiteral("plot SiO2 --energy 1000 -o pipe.png")), 1,
                  QStringLiteral("the plot cannot be written to pipe.png: it is not a regular file"), "a pipe");
    expectRefused(
        run(QStringLiteral("plot SiO2 --energy 1000 -o dangling.png")), 1,
        QStringLiteral("the plot cannot be written to dangling.png: it is a link to %1gone/x.png, which does not exist")
            .arg(folder),
        "a dangling link");
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("gone")));
}

// A file left with an interrupted save (a hot journal) in a folder the user
// cannot write: tpp2m says what to do and leaves both files as they were.
TEST(Tpp2mHotJournal, AnInterruptedSaveInAReadOnlyFolderIsExplained)
{
    const Tpp2mAsNobody nobody;
    if (!nobody.skipReason().empty())
        GTEST_SKIP() << nobody.skipReason();
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::setPermissions(
        dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
    const QString source = dir.filePath(QStringLiteral("source/TPP2-data.db"));
    std::vector<Material> many;
    for (int id = 1; id <= 3000; ++id)
        many.push_back(material(id, "Xx", 1, 2, 3, 4, 5, 6, 7));
    ASSERT_TRUE(createMaterialDatabase(source, many));
    // Copy the file and its journal while a save is half written to the file.
    const QString path = dir.filePath(QStringLiteral("DataBase/TPP2-data.db"));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("DataBase"))));
    {
        sqlite::Connection writer = *sqlite::Connection::open(source, SQLITE_OPEN_READWRITE);
        ASSERT_TRUE(writer.exec("PRAGMA cache_size=5"));
        ASSERT_TRUE(writer.exec("BEGIN"));
        ASSERT_TRUE(writer.exec("UPDATE tblIMFPdata SET \"Density\" = 99, \"Name\" = 'half saved'"));
        ASSERT_TRUE(QFile::copy(source + QStringLiteral("-journal"), path + QStringLiteral("-journal")));
        ASSERT_TRUE(QFile::copy(source, path));
        ASSERT_TRUE(writer.exec("ROLLBACK"));
    }
    const QByteArray before = fileHash(path);
    for (const QString& file : {path, path + QStringLiteral("-journal")})
        ASSERT_EQ(::chown(QFile::encodeName(file).constData(), 65534, 65534), 0);
    expectRefused(nobody.run(dir.path(), QStringLiteral("list --csv")), 1,
                  QStringLiteral("the materials database DataBase/TPP2-data.db cannot be opened: an interrupted save "
                                 "left the journal DataBase/TPP2-data.db-journal, which can be rolled back only in a "
                                 "writable folder; make the folder %1 writable once and start again")
                      .arg(dir.filePath(QStringLiteral("DataBase"))),
                  "a read-only folder");
    EXPECT_TRUE(QFile::exists(path + QStringLiteral("-journal")));
    EXPECT_EQ(fileHash(path), before);
}

// A checkout in root's home (mode 700) is where nobody cannot go: the
// program that nobody runs is a copy that every user can read.
TEST(Tpp2mHotJournal, NobodyRunsTpp2mBuiltInAFolderOnlyRootCanEnter)
{
    QTemporaryDir home;
    ASSERT_TRUE(QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QString built = home.filePath(QStringLiteral("tpp2m"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TPP2M_PATH), built));
    const Tpp2mAsNobody nobody(built);
    if (!nobody.skipReason().empty())
        GTEST_SKIP() << nobody.skipReason();
    QTemporaryDir work;
    ASSERT_TRUE(QFile::setPermissions(work.path(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                          | QFile::WriteOther | QFile::ExeOther));
    const Tpp2mRun result = nobody.run(work.path(), QStringLiteral("cf1 --imfp 20 --depth 5 --csv"));
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.startsWith(QStringLiteral("imfp_A,depth_A,"))) << result.out.toStdString();
}

// Each refusal names what is wrong and what to do.
TEST_F(Tpp2mDefenceTest, MessagesNameTheCauseAndTheWayOut)
{
    expectRefused(run(QStringLiteral("cf2 --density 2.65 --mass 60.08 --gap 9 --nv 16 --energy 1000 --depth 5")), 2,
                  QStringLiteral("cf2 needs --cross-section S for a material given by its values, which has no "
                                 "formula to compute S from"));
    const QString folder = database.folder() + u'/';
    writeFile(folder + QStringLiteral("blank.csv"), "\n\r\n\n");
    expectRefused(run(QStringLiteral("import blank.csv")), 1,
                  QStringLiteral("blank.csv: the file holds only blank lines, and no header of material columns; "
                                 "nothing imported"));
    writeFile(folder + QStringLiteral("huge.csv"), "\n" + kMaterialsHeader + "Huge,1,60,,,,,1e400\n");
    expectRefused(run(QStringLiteral("import huge.csv")), 1,
                  QStringLiteral("nothing imported: 1 of the 1 rows of huge.csv cannot be written\n"
                                 "tpp2m: line 3 (\"Huge\"): valel f: \"1e400\" is not a number that can be stored."));
    // The angle is the Single its column shows: 30, where both corrections hold.
    const Tpp2mRun edge = run(QStringLiteral("depth SiO2 --energy 1000 --angle 30.0000001 --csv"));
    EXPECT_EQ(edge.status, 0);
    EXPECT_EQ(edge.err.toStdString(), "");
    EXPECT_EQ(edge.out.count(QStringLiteral(",30,cf")), 2) << edge.out.toStdString();
}

// A database file that this user cannot write: the path and the cause.
TEST(Tpp2mReadOnlyDatabase, AnImportSaysWhichFileCannotBeWrittenAndWhy)
{
    const Tpp2mAsNobody nobody;
    if (!nobody.skipReason().empty())
        GTEST_SKIP() << nobody.skipReason();
    FixtureDatabase database;
    ASSERT_TRUE(database.created());
    for (const QString& folder : {database.folder(), database.folder() + QStringLiteral("/DataBase")})
        ASSERT_TRUE(QFile::setPermissions(
            folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
    writeFile(database.folder() + QStringLiteral("/new.csv"), kMaterialsHeader + "MyA,1,60,,,,,16\n");
    ASSERT_TRUE(QFile::setPermissions(database.folder() + QStringLiteral("/new.csv"), QFile::ReadOwner | QFile::ReadOther));
    const QByteArray before = fileHash(database.path());
    expectRefused(nobody.run(database.folder(), QStringLiteral("import new.csv")), 1,
                  QStringLiteral("the materials database DataBase/TPP2-data.db cannot be written: the file is "
                                 "read-only for this user (Permission denied); nothing imported"));
    EXPECT_EQ(fileHash(database.path()), before);
}

// Runs tpp2m through bash, for what QProcess cannot set up: a closed
// standard output, a limit on memory, a pipe to wc.
Tpp2mRun runInShell(const QString& folder, const QString& script)
{
    return runProgram(folder, QStringLiteral("bash"),
                      {QStringLiteral("-c"), QStringLiteral("set -o pipefail; ") + script, QStringLiteral(TPP2M_PATH)});
}

TEST_F(Tpp2mDefenceTest, AnOutputThatCannotBeWrittenEndsTheRunWithOneLine)
{
    for (const char* line : {"list > /dev/full", "list --csv > /dev/full", "--help > /dev/full",
                             "imfp SiO2 --log 50:2000:200000 --json > /dev/full", "cf1 --imfp 20 --depth 5 >&-",
                             "export --all --json > /dev/full"}) {
        const Tpp2mRun result = runInShell(database.folder(), QStringLiteral("\"$0\" ") + QLatin1String(line));
        EXPECT_EQ(result.status, 1) << line;
        EXPECT_EQ(result.err.toStdString(),
                  QString::fromLatin1(line).endsWith(QLatin1String("&-"))
                      ? "tpp2m: the output cannot be written: Bad file descriptor\n"
                      : "tpp2m: the output cannot be written: No space left on device\n")
            << line;
    }
    // A picture that the system refuses to hold (a full disk; here a limit on
    // a file's size) is refused in the system's words.
    const Tpp2mRun plot = runInShell(
        database.folder(), QStringLiteral("trap '' XFSZ; ulimit -f 1; \"$0\" plot SiO2 --energy 1000 -o p.png"));
    EXPECT_EQ(plot.status, 1);
    EXPECT_EQ(plot.err.toStdString(), "tpp2m: the plot cannot be written to p.png: File too large\n");
}

// An import whose report cannot be written has still written the materials:
// it ends with status 1 and no line of its own, the rows in the database.
TEST_F(Tpp2mDefenceTest, AnImportWhoseReportIsLostEndsWithStatusOneAndKeepsTheRows)
{
    writeFile(database.folder() + QStringLiteral("/new.csv"), kMaterialsHeader + "MyA,1,60,,,,,16\n");
    const Tpp2mRun result = runInShell(database.folder(), QStringLiteral("\"$0\" import new.csv > /dev/full"));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err.toStdString(), "");
    const std::string imfp = output(QStringLiteral("imfp MyA --energy 1000 --csv"));
    EXPECT_NE(imfp.find("\nMyA,"), std::string::npos) << imfp;
}

// A million rows of CSV stream out in little memory; a table, which must hold
// its rows to align them, refuses more than it can hold and points to CSV.
TEST_F(Tpp2mDefenceTest, ManyRowsStreamAndATableRefusesWhatItCannotHold)
{
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer reserves more address space than any such limit allows.
    const QString limit;
#else
    const QString limit = QStringLiteral("ulimit -d 100000; ");
#endif
    const Tpp2mRun streamed = runInShell(
        database.folder(), limit + QStringLiteral("\"$0\" cf1 SiO2 --log 50:2000:1000000 --depth 10 --csv | wc -l"));
    EXPECT_EQ(streamed.status, 0) << streamed.err.toStdString();
    EXPECT_EQ(streamed.out.trimmed().toInt(), 1000001);
    expectRefused(run(QStringLiteral("cf1 SiO2 --log 50:2000:50001 --depth 1,2")), 2,
                  QStringLiteral("a table holds at most 100000 rows; use --csv or --json for more"), "a large table");
    const Tpp2mRun largest = run(QStringLiteral("cf1 SiO2 --log 50:2000:50000 --depth 1,2"));
    EXPECT_EQ(largest.status, 0);
    EXPECT_EQ(largest.out.count(u'\n'), 100002);
}

// A name keeps each row on one line in every format and a CSV or JSON
// reader finds its end.
TEST_F(Tpp2mDefenceTest, ControlCharactersQuotesAndCommasInNamesAreEscaped)
{
    Material odd = material(200, "", 2.2f, 60.08f, 9, {}, {}, {}, 16);
    odd.name = QStringLiteral("\"A\", \x1b[2J\a\nb\0!");
    FixtureDatabase file({odd});
    ASSERT_TRUE(file.created());
    const QString from = QStringLiteral(" --database ") + file.path();
    EXPECT_EQ(run(QStringLiteral("list") + from).out.toStdString(),
              " ID  Name                            Density (g/cm³)  Mass (g/mol)  Gap (eV)  Nv\n"
              "---  ------------------------------  ---------------  ------------  --------  --\n"
              "200  \"A\", \\u001b[2J\\u0007\\nb\\u0000!              2.2         60.08         9  16\n");
    EXPECT_EQ(run(QStringLiteral("imfp 200 --energy 1000 --csv") + from).out.toStdString(),
              "material,id,energy_eV,form,imfp_A,error\n"
              "\"\"\"A\"\", \\u001b[2J\\u0007\\nb\\u0000!\",200,1000,non-relativistic,30.214905,\n");
    EXPECT_EQ(run(QStringLiteral("imfp 200 --energy 1000,2000 --json") + from).out.toStdString(),
              "[\n  {\"material\": \"\\\"A\\\", \\u001b[2J\\u0007\\u000ab\\u0000!\", \"id\": 200, \"energy_eV\": 1000, "
              "\"form\": \"non-relativistic\", \"imfp_A\": 30.214905, \"error\": null},\n"
              "  {\"material\": \"\\\"A\\\", \\u001b[2J\\u0007\\u000ab\\u0000!\", \"id\": 200, \"energy_eV\": 2000, "
              "\"form\": \"non-relativistic\", \"imfp_A\": 52.288544, \"error\": null}\n]\n");
}

} // namespace
} // namespace korvane::test
