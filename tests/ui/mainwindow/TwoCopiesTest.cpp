#include "support/WindowFixture.h"
#include "materials/store/Sqlite.h"
#include "ui/controls/DataControl.h"

#include <QElapsedTimer>

namespace korvane::ui {
namespace {

// A second copy of the program working on the same file.
using TwoCopiesTest = test::WindowFixture;

TEST_F(TwoCopiesTest, ABrowsingCopySeesTheOthersSavesAtItsNextMove)
{
    OpenedDatabase opened = openMaterialDatabase(database.path());
    ASSERT_TRUE(opened);
    MaterialStore& other = **opened;
    ASSERT_TRUE(other.moveTo(1)); // Si
    Material values;
    values.density = 2.5f;
    ASSERT_TRUE(other.saveCurrent(values, 1u << int(Column::Density)));
    Material added;
    added.name = QStringLiteral("GaN");
    ASSERT_TRUE(other.insert(added));

    clickRow(1);
    EXPECT_EQ(controls().txtBulkDensity->text(), QStringLiteral("2.5"));
    EXPECT_EQ(controls().adoMaterials->caption(), QStringLiteral("Rec: 2 of 7"));
    auto* grid = controls().dgrdName;
    EXPECT_EQ(grid->model()->index(6, 0).data().toString(), QStringLiteral("GaN"));
    EXPECT_EQ(grid->currentIndex().row(), 1);
}

TEST_F(TwoCopiesTest, ASaveWhileTheOtherWritesFailsAfterAShortWait)
{
    sqlite::Connection writer = *sqlite::Connection::open(database.path(), SQLITE_OPEN_READWRITE);
    clickRow(1);
    click(controls().cmdChangeParam);
    typeInto(controls().txtBulkDensity, QStringLiteral("2.6"));
    ASSERT_TRUE(writer.exec("BEGIN IMMEDIATE"));
    QElapsedTimer waited;
    waited.start();
    click(controls().cmdSave);
    EXPECT_LT(waited.elapsed(), 5000);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].title, QStringLiteral("Save failed"));
    EXPECT_TRUE(prompts.messages[0].text.contains(QStringLiteral("locked"))) << prompts.messages[0].text.toStdString();

    ASSERT_TRUE(writer.exec("ROLLBACK"));
    click(controls().cmdSave);
    EXPECT_EQ(window->editingMode(), Form1::EditingMode::Browsing);
    EXPECT_EQ(test::storedMaterials(database.path()).at(14).density, 2.6f);
}

} // namespace
} // namespace korvane::ui
