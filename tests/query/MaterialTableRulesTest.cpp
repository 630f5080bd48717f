#include "query/MaterialTableRules.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

std::vector<TableColumnInfo> shippedColumns()
{
    std::vector<TableColumnInfo> columns;
    for (const char* name : kMaterialColumnNames)
        columns.push_back({name, false});
    columns[0].inPrimaryKey = true;
    return columns;
}

TEST(MaterialTableRules, TheColumnsTheirOrderAndTheKey)
{
    std::vector<TableColumnInfo> columns = shippedColumns();
    columns[1].name = "Remark"; // the second column may be named anything
    columns[3].name = "DENSITY";
    const Result<MaterialColumns> checked = checkMaterialColumns(columns);
    ASSERT_TRUE(checked);
    EXPECT_EQ(checked->secondColumn, "Remark");
    EXPECT_TRUE(checked->idIsKey);
    columns[2].inPrimaryKey = true; // ID and Name together are no key of ID alone
    EXPECT_FALSE(checkMaterialColumns(columns)->idIsKey);

    EXPECT_EQ(checkMaterialColumns({}).error(), "it has no table tblIMFPdata");
    EXPECT_TRUE(checkMaterialTableType("table"));
    EXPECT_EQ(checkMaterialTableType("").error(), "it has no table tblIMFPdata");
    EXPECT_EQ(checkMaterialTableType("view").error(), "its tblIMFPdata is a view, not a table");
    EXPECT_EQ(checkMaterialTableType("index").error(), "its tblIMFPdata is an index, not a table");
    columns = shippedColumns();
    columns.erase(columns.begin() + 6);
    EXPECT_EQ(checkMaterialColumns(columns).error(), "the table tblIMFPdata has no column \"valel s+p,n\"");
    columns = shippedColumns();
    std::swap(columns[0], columns[2]);
    EXPECT_EQ(checkMaterialColumns(columns).error(),
              "the table tblIMFPdata must have \"ID\" as its first and \"Name\" as its third column");
}

TEST(MaterialTableRules, TheFilesDamageAndItsUnreadableRowsInWords)
{
    EXPECT_TRUE(checkQuickCheck("ok"));
    EXPECT_EQ(checkQuickCheck("\n*** in database main ***\nPage 3:  never used ").error(),
              "the database disk image is malformed (*** in database main *** Page 3: never used)");
    using Type = CellValue::Type;
    EXPECT_EQ(checkUnreadableRow({{Type::Null, ""}}).error(), "a material has no ID");
    EXPECT_EQ(checkUnreadableRow({{Type::Real, "3.5"}}).error(),
              "a material has the ID \"3.5\", which is not a whole number");
    EXPECT_EQ(checkUnreadableRow({{Type::Integer, "4"}, {Type::Blob, ""}}).error(),
              "the material with ID 4 has binary data for a name");
    EXPECT_EQ(
        checkUnreadableRow({{Type::Integer, "4"}, {Type::Text, "Cu"}, {Type::Real, "8.9"}, {Type::Text, "x"}}).error(),
        "the material with ID 4 holds the text \"x\" in the column \"Atomic wght\", where a number belongs");
    EXPECT_EQ(checkUnreadableRow({{Type::Integer, "4"}, {Type::Text, "Cu"}, {Type::Blob, ""}}).error(),
              "the material with ID 4 holds binary data in the column \"Density\", where a number belongs");
    EXPECT_TRUE(checkUnreadableRow({{Type::Integer, "4"}, {Type::Text, "Cu"}, {Type::Real, "8.9"}}));
    EXPECT_EQ(repeatedId(3).reason, "two materials have the ID 3");
}

} // namespace
} // namespace korvane
