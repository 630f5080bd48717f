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

// The material of the large ID is shown and offered for deletion under its
// own ID (the store keeps its row apart from boron's on a save).
TEST_F(LargeIdWindowTest, TheWindowShowsAndOffersToDeleteTheWholeId)
{
    EXPECT_EQ(controls().dgrdName->model()->index(1, 1).data().toLongLong(), kLargeId);
    clickRow(1);
    ASSERT_EQ(controls().txtName->text(), QStringLiteral("Far"));

    prompts.answers.push_back(AnswerNo);
    click(controls().cmdDelete);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, QStringLiteral("Delete the current material  'Far'  with ID = 4294967301"));
}

} // namespace
} // namespace korvane::ui
