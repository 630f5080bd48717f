#include "cli/ExitStatus.h"
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
    const Result<void> refused = cli::writeMaterialList(list, *catalog, sink);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error(), "a table holds at most 100000 rows; use --csv or --json for more");
    EXPECT_EQ(cli::exitStatusOf(refused.code()), cli::kBadInput);
    EXPECT_EQ(catalog->rowsRead(), 0);
    list.format = cli::OutputFormat::Csv;
    EXPECT_TRUE(cli::writeMaterialList(list, *catalog, sink));
    EXPECT_EQ(catalog->rowsRead(), int(fixtureMaterials().size()) + kLargeRows + 1);
    std::fclose(sink);
}

} // namespace
} // namespace korvane::test
