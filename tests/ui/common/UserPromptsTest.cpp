#include "support/WindowFixture.h"

#include <QApplication>
#include <QTimer>

namespace korvane::ui {
namespace {

using UserPromptsTest = test::WindowFixture;

// The real boxes open modal over the window; Escape answers a question No and
// cancels an input.
TEST_F(UserPromptsTest, RealBoxesAreModalOverTheWindowAndEscapeAnswersNo)
{
    DialogPrompts real(window.get());
    const auto escapeTheOpenBox = [&] {
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->parentWidget(), window.get());
            QTest::keyClick(box, Qt::Key_Escape);
        });
    };
    escapeTheOpenBox();
    EXPECT_EQ(real.message(QStringLiteral("Delete?"), QStringLiteral("Delete material"), YesNoQuestion), AnswerNo);
    escapeTheOpenBox();
    EXPECT_EQ(real.input(QStringLiteral("Enter material name"), QStringLiteral("Find material")), QString());
}

} // namespace
} // namespace korvane::ui
