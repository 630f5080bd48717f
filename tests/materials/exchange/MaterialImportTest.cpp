#include "materials/exchange/MaterialImport.h"
#include "support/TestMaterials.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

FileRow row(const char* name, const char* density)
{
    FileRow r;
    r.where = QStringLiteral("line 2");
    r.cells[size_t(Column::Name)] = QString::fromUtf8(name);
    r.cells[size_t(Column::Density)] = QString::fromUtf8(density);
    r.cells[size_t(Column::AtomicWeight)] = QStringLiteral("60.08");
    r.cells[size_t(Column::ValenceF)] = QStringLiteral("16");
    return r;
}

TEST(MaterialImport, ABrowsingCopySeesTheImportAtItsNextMoveAndReplacingKeepsWhatTheFileLacks)
{
    std::vector<Material> rows = test::fixtureMaterials();
    rows[3].description = QStringLiteral("Silicon dioxide");
    test::FixtureDatabase database(rows);
    ASSERT_TRUE(database.created());
    OpenedDatabase browsing = openMaterialDatabase(database.path());
    ASSERT_TRUE(browsing);
    ASSERT_TRUE((*browsing)->moveFirst());
    ASSERT_EQ((*browsing)->storedRowCount(), 6);

    MaterialFile file;
    file.rows = {row("Quartz glass", "2.2"), row("SiO2", "2.6")};
    Result<ImportResult> refused = importMaterials(database.path(), file, /*replace=*/false);
    ASSERT_TRUE(refused) << refused.error();
    EXPECT_EQ(refused->badRows, QStringList({"line 2 (\"SiO2\"): the name is already in the database (ID 104)"}));
    EXPECT_EQ(test::storedMaterials(database.path()).size(), 6u);

    const Result<ImportResult> replaced = importMaterials(database.path(), file, /*replace=*/true);
    ASSERT_TRUE(replaced) << replaced.error();
    EXPECT_TRUE(replaced->badRows.isEmpty());
    EXPECT_EQ(replaced->added, 1);
    EXPECT_EQ(replaced->replaced, 1);
    ASSERT_TRUE((*browsing)->moveNext());
    EXPECT_EQ((*browsing)->storedRowCount(), 7);
    ASSERT_TRUE((*browsing)->moveLast());
    EXPECT_EQ((*browsing)->current()->id, 111);
    EXPECT_EQ((*browsing)->current()->name, QStringLiteral("Quartz glass"));

    // SiO2 takes the file's values; its ID stays, and a file without the
    // Description column leaves that column as it was. A blank gap is 0, as Save makes it.
    std::map<qint64, Material> stored = test::storedMaterials(database.path());
    Material expected = rows[3];
    expected.density = 2.6f;
    expected.energyGap = 0;
    EXPECT_EQ(stored[104], expected);
}

} // namespace
} // namespace korvane
