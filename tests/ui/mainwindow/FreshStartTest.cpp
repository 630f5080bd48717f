#include "materials/store/ShippedMaterials.h"
#include "support/WindowFixture.h"
#include "ui/controls/DataControl.h"

#include <QDir>
#include <QFileInfo>

namespace korvane::ui {
namespace {

// The first start in a folder without a database: the file is made from the
// shipped materials and the window opens on hydrogen.
class FreshStart : public test::WindowFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(QFileInfo(database.path()).path()).removeRecursively());
        WindowFixture::SetUp();
    }
};

TEST_F(FreshStart, CreatesEveryShippedRowAndShowsHydrogenFirst)
{
    const std::size_t shipped = readShippedMaterials(shippedMaterialsText())->size();
    ASSERT_EQ(store->storedRowCount(), int(shipped));
    EXPECT_EQ(controls().txtName->text(), QStringLiteral("H"));
    EXPECT_EQ(controls().adoMaterials->caption(), QStringLiteral("Rec: 1 of %1").arg(shipped));
    EXPECT_FALSE(controls().txtError->isVisible());
}

} // namespace
} // namespace korvane::ui
