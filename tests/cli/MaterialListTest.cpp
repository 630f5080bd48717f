#include "cli/MaterialListReport.h"
#include "cli/RowWriter.h"
#include "support/LargeDatabase.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace korvane::test {
namespace {

static_assert(kLargeRows > cli::kMaxTableRows);

// tpp2m list refuses a table longer than a table holds before it reads a
// single material; as CSV it lists them all.
TEST(MaterialListTest, AListTooLongForATableIsRefusedBeforeAnyRowIsRead)
{
    ASSERT_TRUE(largeDatabase().created());
    Result<MaterialCatalog> catalog = MaterialCatalog::open(largeDatabase().path(), WhenMissing::Refuse);
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

} // namespace
} // namespace korvane::test
