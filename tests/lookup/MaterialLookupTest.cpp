#include "cli/Tpp2mRun.h"
#include "lookup/MaterialCache.h"
#include "support/LargeDatabase.h"

#include <QFile>

#include <gtest/gtest.h>

namespace korvane::test {
namespace {

std::optional<Material> found(MaterialCache::Lookup& lookup, const QString& nameOrId)
{
    const Result<std::optional<Material>> row = lookup.find(nameOrId);
    EXPECT_TRUE(row) << row.error();
    return row ? *row : std::nullopt;
}

// One material of a large table is found by SQL: one row read, and none
// when it is asked for again; an ID, an element and a miss read no more
// than they find.
TEST(MaterialLookupTest, OneMaterialOfALargeTableReadsOneRow)
{
    ASSERT_TRUE(largeDatabase().created());
    MaterialCache cache;
    Result<MaterialCache::Lookup> lookup = cache.open(largeDatabase().path(), WhenMissing::Refuse);
    ASSERT_TRUE(lookup) << lookup.error();
    const std::optional<Material> far = found(*lookup, QStringLiteral("N99999"));
    ASSERT_TRUE(far);
    EXPECT_EQ(far->id, 100999);
    EXPECT_EQ(far->atomicWeight, 40.0f + float(99999 % 97));
    EXPECT_EQ(lookup->rowsRead(), 1);
    EXPECT_EQ(found(*lookup, QStringLiteral("N99999"))->id, 100999);
    EXPECT_EQ(found(*lookup, QStringLiteral("100999"))->name, QStringLiteral("N99999"));
    EXPECT_EQ(lookup->rowsRead(), 2);
    const Result<std::optional<Material>> silicon = lookup->element(QStringLiteral("Si"));
    ASSERT_TRUE(silicon && *silicon);
    EXPECT_EQ((*silicon)->id, 14);
    EXPECT_EQ(found(*lookup, QStringLiteral("n99999")), std::nullopt);
    EXPECT_EQ(lookup->rowsRead(), 3);
    EXPECT_EQ(found(*lookup, QStringLiteral("Last"))->id, kLastId);
    EXPECT_EQ(lookup->nameInOtherCase(QStringLiteral("n99999")), QStringLiteral("N99999"));
}

// A material read once comes from memory until the file changes: a write
// of another process, or another file put in its place, is seen by the next
// look, which opens and checks the file afresh.
TEST(MaterialLookupTest, AChangeOfAnotherProcessIsSeenByTheNextLook)
{
    FixtureDatabase database;
    ASSERT_TRUE(database.created());
    MaterialCache cache;
    const auto density = [&] {
        Result<MaterialCache::Lookup> lookup = cache.open(database.path(), WhenMissing::Refuse);
        EXPECT_TRUE(lookup) << lookup.error();
        const std::optional<float> value = found(*lookup, QStringLiteral("SiO2"))->density;
        return std::make_pair(value, lookup->rowsRead());
    };
    EXPECT_EQ(density(), std::make_pair(std::optional<float>(2.65f), qint64(1)));
    EXPECT_EQ(density(), std::make_pair(std::optional<float>(2.65f), qint64(1)));

    const QString csv = database.folder() + QStringLiteral("/denser.csv");
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Name,Density,Atomic wght,Energy gap 300 K,\"valel s+p,n\",\"valel s+p,n+1\",valel d,valel f\n"
               "SiO2,2.7,60.08,9.1,,,,16\n");
    file.close();
    const Tpp2mRun imported = runTpp2m(database.folder(), QStringLiteral("import %1 --replace").arg(csv));
    ASSERT_EQ(imported.status, 0) << imported.err.toStdString();
    EXPECT_EQ(density(), std::make_pair(std::optional<float>(2.7f), qint64(1)));

    std::vector<Material> other = fixtureMaterials();
    other[3].density = 2.2f;
    FixtureDatabase replacement(other);
    ASSERT_TRUE(QFile::remove(database.path()));
    ASSERT_TRUE(QFile::rename(replacement.path(), database.path()));
    EXPECT_EQ(density(), std::make_pair(std::optional<float>(2.2f), qint64(1)));
    EXPECT_EQ(density(), std::make_pair(std::optional<float>(2.2f), qint64(1)));
}

} // namespace
} // namespace korvane::test
