#include "support/WindowFixture.h"

#include <QApplication>
#include <QTimer>

namespace korvane::ui {
namespace {

using UserPromptsTest = test::WindowFixture;

// What the real boxes are, read while each is open, then closed by Escape.
TEST_F(UserPromptsTest, BoxesAreModalDialogsOfTheWindowWithoutMinimiseOrMaximise)
{
    DialogPrompts real(window.get());
    QStringList seen;
    const auto inspectOpenBox = [&] {
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            const Qt::WindowFlags flags = box->windowFlags();
            const bool plain = flags.testFlag(Qt::CustomizeWindowHint) && !flags.testFlag(Qt::WindowMinimizeButtonHint)
                && !flags.testFlag(Qt::WindowMaximizeButtonHint);
            seen << QStringLiteral("%1 '%2' dialog=%3 parent=%4 plain=%5 close=%6")
                        .arg(QLatin1String(box->metaObject()->className()), box->windowTitle())
                        .arg(flags.testFlag(Qt::Dialog))
                        .arg(box->parentWidget() == window.get())
                        .arg(plain)
                        .arg(flags.testFlag(Qt::WindowCloseButtonHint));
            QTest::keyClick(box, Qt::Key_Escape);
        });
    };
    inspectOpenBox();
    EXPECT_EQ(real.message(QStringLiteral("Delete?"), QStringLiteral("Delete material"), YesNoQuestion), AnswerNo);
    inspectOpenBox();
    EXPECT_EQ(real.input(QStringLiteral("Enter material name"), QStringLiteral("Find material")), QString());
    EXPECT_EQ(seen.join(u'\n').toStdString(),
              "QMessageBox 'Delete material' dialog=1 parent=1 plain=1 close=1\n"
              "QInputDialog 'Find material' dialog=1 parent=1 plain=1 close=1");
}

} // namespace
} // namespace korvane::ui
