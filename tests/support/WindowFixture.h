#pragma once

#include "support/FakePrompts.h"
#include "support/FindChild.h"
#include "support/TestMaterials.h"
#include "ui/controls/DataControl.h"
#include "ui/mainwindow/Form1.h"
#include "ui/controls/UpDownArrows.h"

// The kinds of the main window's controls, so that tests use them whole.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace korvane::test {

// The main window over a fresh copy of the fixture database, shown on the
// offscreen platform, with its boxes answered by FakePrompts.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(database.created());
        OpenedDatabase opened = openMaterialDatabase(database.path(), openReadOnly);
        ASSERT_TRUE(opened) << opened.error();
        store = std::move(*opened);
        window = std::make_unique<ui::Form1>(*store, &prompts);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    // The main window's controls under their designed names.
    const ui::Form1Controls& controls() const { return window->controls(); }
    // A control that has no member in the controls (a menu entry, a window
    // part), by its object name.
    template <typename T = QWidget>
    T* find(const char* name) const
    {
        return child<T>(window.get(), name);
    }
    static void click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }

    // The Tools window that the menu entry opens, shown.
    QWidget* openTool(const char* entry)
    {
        find<QAction>(entry)->trigger();
        QCoreApplication::processEvents();
        for (QWidget* shown : QApplication::topLevelWidgets()) {
            if (shown != window.get() && shown->isVisible() && !shown->inherits("QMenu"))
                return shown;
        }
        ADD_FAILURE() << entry << " shows no window";
        return window.get();
    }

    // A click on a row of the name list, as the user makes it.
    void clickRow(int row)
    {
        QTableView* grid = controls().dgrdName;
        const QModelIndex index = grid->model()->index(row, 0);
        grid->scrollTo(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    }

    // Replaces the whole text of a line edit by typing, as the user does.
    template <typename Box>
    void typeInto(Box* box, const QString& typed)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, typed);
    }

    // Declared in the order they are made, so that the window goes before its store.
    bool openReadOnly = false; // the file as if the user could not write it
    FixtureDatabase database;
    std::unique_ptr<MaterialStore> store;
    FakePrompts prompts;
    std::unique_ptr<ui::Form1> window;
};

} // namespace korvane::test
