#include "support/FakePrompts.h"
#include "support/TestMaterials.h"
#include "ui/Form1.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace korvane::ui {
namespace {

// A material whose ID needs more than 32 bits is shown, saved and offered
// for deletion under its own ID, and a save leaves boron (ID 5, the same
// ID cut to 32 bits) as it was.
TEST(LargeIdWindowTest, TheWindowEditsTheRowOfTheWholeId)
{
    constexpr qint64 kLargeId = 4294967301; // 2^32 + 5
    test::FixtureDatabase database({test::material(5, "B", 2.46f, 10.81f, 1.5f, {}, 3, {}, {}),
                                    test::material(kLargeId, "Far", 1, 2, 3, {}, {}, {}, 4)});
    ASSERT_TRUE(database.created());
    OpenedDatabase opened = openMaterialDatabase(database.path());
    ASSERT_TRUE(opened) << opened.error().toStdString();
    test::FakePrompts prompts;
    Form1 window(**opened, &prompts);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    auto* grid = window.findChild<QTableView*>(QStringLiteral("dgrdName"));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->model()->index(1, 1).data().toLongLong(), kLargeId);
    const QModelIndex far = grid->model()->index(1, 0);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(far).center());
    ASSERT_EQ(window.findChild<QLineEdit*>(QStringLiteral("txtName"))->text(), QStringLiteral("Far"));

    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdChangeParam")), Qt::LeftButton);
    auto* density = window.findChild<QLineEdit*>(QStringLiteral("txtBulkDensity"));
    density->setFocus();
    density->selectAll();
    QTest::keyClick(density, Qt::Key_Delete);
    QTest::keyClicks(density, QStringLiteral("9.5"));
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdSave")), Qt::LeftButton);
    EXPECT_TRUE(prompts.messages.empty());
    const auto file = test::storedMaterials(database.path());
    EXPECT_EQ(file.at(5).density, 2.46f);
    EXPECT_EQ(file.at(kLargeId).density, 9.5f);

    prompts.answers.push_back(AnswerNo);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdDelete")), Qt::LeftButton);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, QStringLiteral("Delete the current material  'Far'  with ID = 4294967301"));
}

} // namespace
} // namespace korvane::ui
