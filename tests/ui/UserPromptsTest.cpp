#include "support/WindowFixture.h"

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QMessageBox>
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
            if (!box) {
                seen << QStringLiteral("no box");
                return;
            }
            const Qt::WindowFlags flags = box->windowFlags();
            seen << QStringLiteral("%1 '%2' dialog=%3 parent=%4 minimise=%5 maximise=%6 close=%7")
                        .arg(QLatin1String(box->metaObject()->className()), box->windowTitle())
                        .arg(flags.testFlag(Qt::Dialog))
                        .arg(box->parentWidget() == window.get())
                        .arg(flags.testFlag(Qt::WindowMinimizeButtonHint) || !flags.testFlag(Qt::CustomizeWindowHint))
                        .arg(flags.testFlag(Qt::WindowMaximizeButtonHint) || !flags.testFlag(Qt::CustomizeWindowHint))
                        .arg(flags.testFlag(Qt::WindowCloseButtonHint));
            QTest::keyClick(box, Qt::Key_Escape);
        });
    };
    inspectOpenBox();
    real.message(QStringLiteral("Name must be filled in\r\n"), QStringLiteral("Data Error"), OkExclamation);
    inspectOpenBox();
    EXPECT_EQ(real.message(QStringLiteral("Delete?"), QStringLiteral("Delete material"), YesNoQuestion), AnswerNo);
    inspectOpenBox();
    real.message(QStringLiteral("'O'  is one of the elements. It cannot be deleted."), QStringLiteral("Not allowed"),
                 OkOnly);
    inspectOpenBox();
    EXPECT_EQ(real.input(QStringLiteral("Enter material name"), QStringLiteral("Find material")), QString());
    EXPECT_EQ(seen.join(u'\n').toStdString(),
              "QMessageBox 'Data Error' dialog=1 parent=1 minimise=0 maximise=0 close=1\n"
              "QMessageBox 'Delete material' dialog=1 parent=1 minimise=0 maximise=0 close=1\n"
              "QMessageBox 'Not allowed' dialog=1 parent=1 minimise=0 maximise=0 close=1\n"
              "QInputDialog 'Find material' dialog=1 parent=1 minimise=0 maximise=0 close=1");
}

} // namespace
} // namespace korvane::ui
