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
    QStringList seen;
    const auto escapeTheOpenBox = [&] {
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            seen << QStringLiteral("%1 '%2' over the window=%3")
                        .arg(QLatin1String(box->metaObject()->className()), box->windowTitle())
                        .arg(box->parentWidget() == window.get());
            QTest::keyClick(box, Qt::Key_Escape);
        });
    };
    escapeTheOpenBox();
    EXPECT_EQ(real.message(QStringLiteral("Delete?"), QStringLiteral("Delete material"), YesNoQuestion), AnswerNo);
    escapeTheOpenBox();
    EXPECT_EQ(real.input(QStringLiteral("Enter material name"), QStringLiteral("Find material")), QString());
    EXPECT_EQ(seen.join(u'\n').toStdString(),
              "QMessageBox 'Delete material' over the window=1\n"
              "QInputDialog 'Find material' over the window=1");
}

} // namespace
} // namespace korvane::ui
