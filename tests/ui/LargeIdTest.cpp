#include "support/WindowFixture.h"

#include <QFile>

namespace korvane::ui {
namespace {

constexpr qint64 kLargeId = 4294967301; // 2^32 + 5

// Boron (ID 5) beside a material whose ID is 5 once cut to 32 bits.
class LargeIdWindowTest : public test::WindowFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::remove(database.path()));
        ASSERT_TRUE(createMaterialDatabase(database.path(),
                                           {test::material(5, "B", 2.46f, 10.81f, 1.5f, {}, 3, {}, {}),
                                            test::material(kLargeId, "Far", 1, 2, 3, {}, {}, {}, 4)}));
        WindowFixture::SetUp();
    }
};

// The material of the large ID is shown, saved and offered for deletion under
// its own ID, and a save leaves boron as it was.
TEST_F(LargeIdWindowTest, TheWindowEditsTheRowOfTheWholeId)
{
    EXPECT_EQ(find<QTableView>("dgrdName")->model()->index(1, 1).data().toLongLong(), kLargeId);
    clickRow(1);
    ASSERT_EQ(text("txtName"), QStringLiteral("Far"));

    QTest::mouseClick(find("cmdChangeParam"), Qt::LeftButton);
    typeInto(find<QLineEdit>("txtBulkDensity"), QStringLiteral("9.5"));
    QTest::mouseClick(find("cmdSave"), Qt::LeftButton);
    EXPECT_TRUE(prompts.messages.empty());
    const auto file = test::storedMaterials(database.path());
    EXPECT_EQ(file.at(5).density, 2.46f);
    EXPECT_EQ(file.at(kLargeId).density, 9.5f);

    prompts.answers.push_back(AnswerNo);
    QTest::mouseClick(find("cmdDelete"), Qt::LeftButton);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, QStringLiteral("Delete the current material  'Far'  with ID = 4294967301"));
}

} // namespace
} // namespace korvane::ui
