#include "materials/store/MaterialDatabase.h"
#include "materials/store/Sqlite.h"
#include "support/TestMaterials.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

// Records the store's notifications in the order they come: in its own
// list, or with its name in a list that several listeners share.
class Recorder : public MaterialStoreListener {
public:
    explicit Recorder(MaterialStore& store, QString name = {}, QStringList* shared = nullptr)
        : log(shared ? *shared : events), store_(store), name_(std::move(name))
    {
        store.addListener(this);
    }
    ~Recorder() override { store_.removeListener(this); }
    void willMove() override { log << name_ + QStringLiteral("willMove %1").arg(store_.absolutePosition()); }
    void moveComplete() override
    {
        log << name_
                + (store_.eof()       ? QStringLiteral("moveComplete EOF")
                       : store_.bof() ? QStringLiteral("moveComplete BOF")
                                      : QStringLiteral("moveComplete %1").arg(store_.absolutePosition()));
    }
    void rowsReread() override { log << name_ + QStringLiteral("rowsReread"); }
    QStringList events;
    QStringList& log;

private:
    MaterialStore& store_;
    QString name_;
};

// What a second connection reads from the file: name and density by ID.
std::map<qint64, std::pair<QString, std::optional<float>>> fileContents(const QString& path)
{
    std::map<qint64, std::pair<QString, std::optional<float>>> contents;
    OpenedDatabase other = openMaterialDatabase(path);
    EXPECT_TRUE(other) << other.error();
    if (!other)
        return contents;
    for (int i = 0; i < (*other)->storedRowCount(); ++i) {
        const Material& m = (*other)->row(i);
        contents[m.id] = {m.name, m.density};
    }
    return contents;
}

class MaterialStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fixture.created());
        OpenedDatabase opened = openMaterialDatabase(fixture.path());
        ASSERT_TRUE(opened) << opened.error();
        store = std::move(*opened);
        recorder = std::make_unique<Recorder>(*store);
    }
    test::FixtureDatabase fixture;
    std::unique_ptr<MaterialStore> store;
    std::unique_ptr<Recorder> recorder;
};

TEST_F(MaterialStoreTest, MovesRaiseTheirNotificationsAndStopAtBothEnds)
{
    EXPECT_TRUE(store->bof());
    EXPECT_EQ(store->storedRowCount(), 6);
    ASSERT_TRUE(store->moveLast());
    ASSERT_TRUE(store->moveFirst());
    EXPECT_EQ(recorder->events, QStringList({"willMove 0", "moveComplete 6", "willMove 6", "moveComplete 1"}));
    EXPECT_EQ(store->field(QStringLiteral("Name")).toString(), QStringLiteral("O"));
    EXPECT_FALSE(store->field(QStringLiteral("valel d")).isValid()) << "a null column";
    EXPECT_EQ(store->field(QStringLiteral("valel s+p,n+1")).toFloat(), 6.0f);

    recorder->events.clear();
    ASSERT_TRUE(store->movePrevious());
    EXPECT_TRUE(store->bof());
    EXPECT_FALSE(store->movePrevious());
    EXPECT_FALSE(store->field(int(Column::Name)).isValid());
    ASSERT_TRUE(store->moveLast());
    ASSERT_TRUE(store->moveNext());
    EXPECT_TRUE(store->eof());
    EXPECT_FALSE(store->moveNext());
    EXPECT_EQ(recorder->events,
              QStringList({"willMove 1", "moveComplete BOF", "willMove 0", "moveComplete 6", "willMove 6",
                           "moveComplete EOF"}));
}

TEST_F(MaterialStoreTest, AWriteTellsEachListenerOnceInTheOrderTheyWereAdded)
{
    QStringList heard;
    Recorder first(*store, QStringLiteral("first "), &heard);
    Recorder second(*store, QStringLiteral("second "), &heard);
    ASSERT_TRUE(store->moveTo(1)); // Si
    EXPECT_EQ(heard,
              QStringList({"first willMove 0", "second willMove 0", "first moveComplete 2", "second moveComplete 2"}))
        << "a move reads no rows while the file is unchanged";
    heard.clear();

    Material values;
    values.density = 2.5f;
    ASSERT_TRUE(store->saveCurrent(values, 1u << int(Column::Density)));
    EXPECT_EQ(heard, QStringList({"first rowsReread", "second rowsReread"})) << "a write moves no record";

    // A removed listener hears nothing more.
    heard.clear();
    store->removeListener(&first);
    values.density = 3.5f;
    ASSERT_TRUE(store->saveCurrent(values, 1u << int(Column::Density)));
    EXPECT_EQ(heard, QStringList({"second rowsReread"}));
    EXPECT_EQ(fileContents(fixture.path())[14].second, 3.5f);
}

TEST_F(MaterialStoreTest, ASaveWritesOnlyTheGivenColumnsAndANewOneTakesTheNextId)
{
    ASSERT_TRUE(store->moveTo(1)); // Si
    Material values;
    values.name = QStringLiteral("not taken");
    values.density = 2.5f;
    ASSERT_TRUE(store->saveCurrent(values, 1u << int(Column::Density)));
    EXPECT_EQ(fileContents(fixture.path())[14], std::make_pair(QStringLiteral("Si"), std::optional<float>(2.5f)));
    EXPECT_EQ(store->field(int(Column::Density)).toFloat(), 2.5f);
    EXPECT_EQ(store->field(int(Column::Name)).toString(), QStringLiteral("Si"));

    // A new material takes the next compound ID, whatever ID it comes with,
    // and is then the current record, the last.
    recorder->events.clear();
    values.id = 14;
    values.name = QStringLiteral("GaAs");
    values.density = 5.32f;
    ASSERT_TRUE(store->insert(values));
    EXPECT_EQ(recorder->events, QStringList({"rowsReread"}));
    EXPECT_EQ(store->field(int(Column::Id)).toInt(), 111);
    EXPECT_EQ(store->absolutePosition(), 7);
    EXPECT_EQ(store->storedRowCount(), 7);
    auto file = fileContents(fixture.path());
    EXPECT_EQ(file[111], std::make_pair(QStringLiteral("GaAs"), std::optional<float>(5.32f)));
    EXPECT_EQ(file[14], std::make_pair(QStringLiteral("Si"), std::optional<float>(2.5f)));
}

// The store holds no pending change: a write that fails leaves nothing
// behind that a later move, find or bookmark could write.
TEST_F(MaterialStoreTest, AFailedSaveFollowedByMovesWritesNothing)
{
    ASSERT_TRUE(store->moveTo(1)); // Si
    sqlite::Connection other = *sqlite::Connection::open(fixture.path(), SQLITE_OPEN_READWRITE);
    ASSERT_TRUE(other.exec("BEGIN IMMEDIATE"));
    Material values;
    values.density = 9.5f;
    EXPECT_FALSE(store->saveCurrent(values, 1u << int(Column::Density)));
    ASSERT_TRUE(other.exec("ROLLBACK"));
    EXPECT_EQ(store->field(int(Column::Density)).toFloat(), 2.33f) << "the stored value, not the refused one";

    recorder->events.clear();
    ASSERT_TRUE(store->moveNext());
    ASSERT_TRUE(store->find([](const QString& name) { return name == QStringLiteral("Si"); }));
    ASSERT_TRUE(store->setBookmark(104));
    EXPECT_EQ(
        recorder->events,
        QStringList({"willMove 2", "moveComplete 3", "willMove 3", "moveComplete EOF", "willMove 0", "moveComplete 4"}))
        << "no write, so no rows read again";
    const auto file = fileContents(fixture.path());
    EXPECT_EQ(file.size(), 6u);
    EXPECT_EQ(file.at(14).second, 2.33f);
}

TEST(MaterialStoreIds, ANewMaterialBesideOnlyElementsStartsTheCompounds)
{
    test::FixtureDatabase fixture({test::material(8, "O", 1.568f, 16, 0, {}, 6, {}, {})});
    OpenedDatabase opened = openMaterialDatabase(fixture.path());
    ASSERT_TRUE(opened);
    ASSERT_TRUE((*opened)->moveFirst());
    Material x;
    x.name = QStringLiteral("X");
    ASSERT_TRUE((*opened)->insert(x));
    EXPECT_EQ((*opened)->field(int(Column::Id)).toInt(), 104);
}

// An ID needs all 64 bits: one beyond 32 bits is neither cut nor mistaken
// for another material's, and a save that finds its row gone changes nothing.
TEST(MaterialStoreIds, AnIdBeyond32BitsIsKeptWholeAndASaveChangesOnlyItsRow)
{
    constexpr qint64 kLargeId = 4294967301; // 2^32 + 5
    test::FixtureDatabase fixture({test::material(5, "B", 2.46f, 10.81f, 1.5f, {}, 3, {}, {}),
                                   test::material(kLargeId, "Far", 1, 2, 3, {}, {}, {}, 4)});
    OpenedDatabase opened = openMaterialDatabase(fixture.path());
    ASSERT_TRUE(opened) << opened.error();
    MaterialStore& store = **opened;
    ASSERT_TRUE(store.moveTo(1));
    EXPECT_EQ(store.field(int(Column::Id)).toLongLong(), kLargeId);
    EXPECT_EQ(store.row(1).id, kLargeId);
    Material values;
    values.density = 9.5f;
    const Result<void> saved = store.saveCurrent(values, 1u << int(Column::Density));
    ASSERT_TRUE(saved) << saved.error();
    auto file = fileContents(fixture.path());
    EXPECT_EQ(file[5], std::make_pair(QStringLiteral("B"), std::optional<float>(2.46f)));
    EXPECT_EQ(file[kLargeId], std::make_pair(QStringLiteral("Far"), std::optional<float>(9.5f)));
    ASSERT_TRUE(store.setBookmark(5));
    ASSERT_TRUE(store.setBookmark(kLargeId));
    EXPECT_EQ(store.absolutePosition(), 2);

    values.name = QStringLiteral("Next");
    ASSERT_TRUE(store.insert(values));
    EXPECT_EQ(store.field(int(Column::Id)).toLongLong(), kLargeId + 1);

    // Another copy deletes the material while this one edits it: the save
    // changes no row and says so.
    ASSERT_TRUE(store.setBookmark(kLargeId));
    values.name = QStringLiteral("Typed");
    {
        sqlite::Connection other = *sqlite::Connection::open(fixture.path(), SQLITE_OPEN_READWRITE);
        ASSERT_TRUE(other.exec("DELETE FROM tblIMFPdata WHERE \"ID\" = 4294967301"));
    }
    EXPECT_EQ(store.saveCurrent(values, 1u << int(Column::Name)).error(),
              "The material is no longer in the database.");
    EXPECT_EQ(store.field(int(Column::Name)).toString(), QStringLiteral("Far"));
    file = fileContents(fixture.path());
    EXPECT_EQ(file.size(), 2u);
    EXPECT_EQ(file.count(kLargeId), 0u);

    // The failed save rolled its transaction back: the file is free for
    // another copy's write at once, and this copy saves again.
    {
        sqlite::Connection other = *sqlite::Connection::open(fixture.path(), SQLITE_OPEN_READWRITE);
        sqlite3_busy_timeout(other.handle(), 0);
        const Result<void> written = other.exec("UPDATE tblIMFPdata SET \"Density\" = 2.5 WHERE \"ID\" = 5");
        EXPECT_TRUE(written) << written.error();
    }
    ASSERT_TRUE(store.setBookmark(5));
    values.name = QStringLiteral("Boron");
    const Result<void> savedAgain = store.saveCurrent(values, 1u << int(Column::Name));
    ASSERT_TRUE(savedAgain) << savedAgain.error();
    EXPECT_EQ(fileContents(fixture.path())[5], std::make_pair(QStringLiteral("Boron"), std::optional<float>(2.5f)));
}

} // namespace
} // namespace korvane
