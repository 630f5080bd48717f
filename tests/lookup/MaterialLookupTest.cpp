#include "Tpp2mRun.h"
#include "cli/MaterialCache.h"
#include "cli/MaterialListReport.h"
#include "cli/RowWriter.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>

namespace korvane::test {
namespace {

using cli::MaterialCache;

constexpr int kLargeRows = cli::kMaxTableRows + 1;
constexpr qint64 kLastId = std::numeric_limits<qint64>::max();

// The fixture's materials, one more than a table holds, "N0" to "N100000"
// from ID 1000 on, and "Last" with the largest ID, written in one transaction.
const FixtureDatabase& largeDatabase()
{
    static const FixtureDatabase database([] {
        std::vector<Material> rows = fixtureMaterials();
        rows.reserve(rows.size() + kLargeRows);
        for (int i = 0; i < kLargeRows; ++i) {
            rows.push_back(material(1000 + i, "", 2.5f, 40.0f + float(i % 97), 1.5f, {}, {}, {}, 16));
            rows.back().name = QStringLiteral("N%1").arg(i);
        }
        rows.push_back(material(kLastId, "Last", 1, 2, 3, {}, {}, {}, 4));
        return rows;
    }());
    return database;
}

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

// tpp2m list refuses a table longer than a table holds before it reads a
// single material; as CSV it lists them all.
TEST(MaterialLookupTest, AListTooLongForATableIsRefusedBeforeAnyRowIsRead)
{
    ASSERT_TRUE(largeDatabase().created());
    Result<cli::MaterialCatalog> catalog = cli::MaterialCatalog::open(largeDatabase().path(), WhenMissing::Refuse);
    ASSERT_TRUE(catalog);
    cli::Command list;
    list.kind = cli::CommandKind::List;
    list.databasePath = largeDatabase().path();
    std::FILE* sink = std::fopen("/dev/null", "w");
    const std::optional<cli::Failure> refused = cli::writeMaterialList(list, *catalog, sink);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->message.toStdString(), "a table holds at most 100000 rows; use --csv or --json for more");
    EXPECT_EQ(refused->status, cli::kBadInput);
    EXPECT_EQ(catalog->rowsRead(), 0);
    list.format = cli::OutputFormat::Csv;
    EXPECT_EQ(cli::writeMaterialList(list, *catalog, sink), std::nullopt);
    EXPECT_EQ(catalog->rowsRead(), int(fixtureMaterials().size()) + kLargeRows + 1);
    std::fclose(sink);
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
