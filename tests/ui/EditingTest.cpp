#include "support/WindowFixture.h"
#include "ui/DataControl.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTableView>

namespace korvane::ui {
namespace {

class EditingTest : public test::WindowFixture {
protected:
    // Every editing control's state, and what the mode shows.
    void expectMode(Form1::EditingMode mode)
    {
        const bool browsing = mode == Form1::EditingMode::Browsing;
        EXPECT_EQ(window->editingMode(), mode);
        for (const char* name : {"cmdNew", "cmdDelete", "cmdChangeParam", "cmdFind", "adoMaterials"})
            EXPECT_EQ(find(name)->isEnabled(), browsing) << name;
        for (const char* name : {"cmdSave", "txtName", "txt_d", "txt_f", "txt_s_p_hbe", "txt_s_p_lbe", "txtAtomicMass",
                                 "txtBulkDensity", "txtEnergyGap"})
            EXPECT_EQ(find(name)->isEnabled(), !browsing) << name;
        EXPECT_EQ(find<QPushButton>("cmdClose")->text(),
                  browsing ? QStringLiteral("&Close") : QStringLiteral("&Cancel"));
        EXPECT_TRUE(find("dgrdName")->isEnabled());
        EXPECT_EQ(visible("txtProcess"), !browsing);
    }
    using Messages = std::vector<test::FakePrompts::Message>;
    Messages takeMessages() { return std::exchange(prompts.messages, {}); }
    std::map<qint64, Material> file() const { return test::storedMaterials(database.path()); }
};

TEST_F(EditingTest, ChangeTypeSaveAndCancel)
{
    clickRow(1); // Si
    click("cmdChangeParam");
    expectMode(Form1::EditingMode::Changing);
    EXPECT_EQ(text("txtProcess"),
              QStringLiteral("Warning: You are now changing data for the current material. "
                             "Select Cancel to stop without change"));

    // A key that leaves the text as stored recalculates nothing; a digit does.
    auto* density = find<QLineEdit>("txtBulkDensity");
    const QString before = text("txtIMFP_2M");
    QTest::keyClick(density, Qt::Key_End);
    EXPECT_EQ(text("txtIMFP_2M"), before);
    QTest::keyClick(density, Qt::Key_Backspace);
    QTest::keyClicks(density, QStringLiteral("9")); // 2.39
    EXPECT_NE(text("txtIMFP_2M"), before);
    click("cmdClose");
    expectMode(Form1::EditingMode::Browsing);
    EXPECT_EQ(text("txtBulkDensity"), QStringLiteral("2.33"));
    EXPECT_EQ(text("txtIMFP_2M"), before);
    EXPECT_EQ(file().at(14).density, 2.33f);

    click("cmdChangeParam");
    typeInto(density, QStringLiteral("2.5"));
    typeInto(find<QLineEdit>("txtName"), QStringLiteral("Si (c)"));
    click("cmdSave");
    expectMode(Form1::EditingMode::Browsing);
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_EQ(file().at(14), test::material(14, "Si (c)", 2.5f, 28.085f, 1.12f, 8, 4, {}, {}))
        << "untouched fields keep their stored values";
    EXPECT_EQ(find<QTableView>("dgrdName")->model()->index(1, 0).data().toString(), QStringLiteral("Si (c)"));
}

TEST_F(EditingTest, EndingAnEditGivesTheFocusToTheNameListAndADoubleClickOnCancelDoesNotQuit)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* list = find("dgrdName");
    click("cmdChangeParam");
    find("txtBulkDensity")->setFocus();
    QTest::keyClicks(find("txtBulkDensity"), QStringLiteral("1"));
    click("cmdSave");
    EXPECT_EQ(QApplication::focusWidget(), list) << "Save";
    click("cmdNew");
    click("cmdClose");
    EXPECT_EQ(QApplication::focusWidget(), list) << "Cancel";

    // Enter in the list, and a double click on "&Cancel", leave the window open.
    QTest::keyClick(list, Qt::Key_Return);
    click("cmdChangeParam");
    click("cmdClose"); // the two clicks a double click gives a button
    click("cmdClose");
    expectMode(Form1::EditingMode::Browsing);
    EXPECT_TRUE(window->isVisible());
    // A click on "&Close" after the double-click interval closes the window.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    click("cmdClose");
    EXPECT_FALSE(window->isVisible());
}

TEST_F(EditingTest, NewMaterialIsRefusedUntilCompleteThenStoredLast)
{
    click("cmdNew");
    expectMode(Form1::EditingMode::Adding);
    EXPECT_EQ(text("txtName"), QStringLiteral("type name here"));
    EXPECT_EQ(text("txtProcess"), QStringLiteral(" Entering data for new material"));

    typeInto(find<QLineEdit>("txtName"), QStringLiteral("GaAs"));
    typeInto(find<QLineEdit>("txtAtomicMass"), QStringLiteral("144.64"));
    typeInto(find<QLineEdit>("txt_f"), QStringLiteral("8"));
    click("cmdSave");
    EXPECT_EQ(takeMessages(),
              (Messages{{"density must be filled in\r\n", "Data Error", OkExclamation},
                        {"density must be numeric\r\n", "Data Error", OkExclamation}}));
    EXPECT_EQ(text("txtEnergyGap"), QStringLiteral("0"));
    expectMode(Form1::EditingMode::Adding);
    EXPECT_EQ(file().size(), 6u);

    typeInto(find<QLineEdit>("txtBulkDensity"), QStringLiteral("5.32"));
    click("cmdSave");
    EXPECT_TRUE(takeMessages().empty());
    expectMode(Form1::EditingMode::Browsing);
    EXPECT_EQ(file()[111], test::material(111, "GaAs", 5.32f, 144.64f, 0, {}, {}, {}, 8)); // the blank gap as 0
    EXPECT_EQ(find<DataControl>("adoMaterials")->caption(), QStringLiteral("Rec: 7 of 7"));

    // Cancelling a new material returns to the one before.
    clickRow(2);
    click("cmdNew");
    click("cmdClose");
    expectMode(Form1::EditingMode::Browsing);
    EXPECT_EQ(text("txtName"), QStringLiteral("Cu"));
    EXPECT_EQ(file().size(), 7u);
}

TEST_F(EditingTest, ElementsAreProtectedAndCompoundsDeletedOnYes)
{
    clickRow(2); // Cu, ID 29
    click("cmdDelete");
    EXPECT_EQ(takeMessages(),
              (Messages{{"'Cu'  is one of the elements. It cannot be deleted.", "Not allowed", OkOnly}}));
    EXPECT_EQ(prompts.beeps, 0);

    clickRow(3); // SiO2, ID 104
    prompts.answers.push_back(AnswerNo);
    click("cmdDelete");
    EXPECT_EQ(takeMessages(),
              (Messages{{"Delete the current material  'SiO2'  with ID = 104", "Delete material", YesNoQuestion}}));
    EXPECT_EQ(prompts.beeps, 1);
    EXPECT_EQ(file().count(104), 1u);

    prompts.answers.push_back(AnswerYes);
    click("cmdDelete");
    EXPECT_EQ(file().count(104), 0u);
    EXPECT_EQ(text("txtName"), QStringLiteral("Cu2O")) << "the next material";
    EXPECT_EQ(find<DataControl>("adoMaterials")->caption(), QStringLiteral("Rec: 4 of 5"));

    clickRow(4); // SiC, the last
    prompts.answers.push_back(AnswerYes);
    click("cmdDelete");
    EXPECT_EQ(text("txtName"), QStringLiteral("Cu2O")) << "the previous one after the last";
    EXPECT_EQ(file().size(), 4u);

    // After a delete, a save still runs the checks.
    takeMessages();
    click("cmdChangeParam");
    typeInto(find<QLineEdit>("txtAtomicMass"), QString());
    click("cmdSave");
    EXPECT_EQ(takeMessages(),
              (Messages{{"Atomic mass must be filled in\r\n", "Data Error", OkExclamation},
                        {"Atomic mass must be numeric\r\n", "Data Error", OkExclamation}}));
}

TEST_F(EditingTest, FindWrapsOnceAndLeavesTheRecordWhenNothingMatches)
{
    auto findMaterial = [&](const QString& typed) {
        prompts.typed.push_back(typed);
        click("cmdFind");
    };
    clickRow(3); // SiO2
    findMaterial(QStringLiteral("SiO2"));
    EXPECT_EQ(text("txtName"), QStringLiteral("SiO2"));
    EXPECT_EQ(prompts.inputs.last(), QStringLiteral("Enter material name|Find material"));
    findMaterial(QStringLiteral("Cu"));
    EXPECT_EQ(text("txtName"), QStringLiteral("Cu2O"));
    findMaterial(QStringLiteral("O"));
    EXPECT_EQ(text("txtName"), QStringLiteral("O")) << "found after starting again at the first";
    EXPECT_EQ(find<DataControl>("adoMaterials")->caption(), QStringLiteral("Rec: 1 of 6"));

    findMaterial(QStringLiteral("Si[!O]")); // the user's wildcards reach the search
    EXPECT_EQ(text("txtName"), QStringLiteral("SiC"));

    const auto before = file();
    for (const char* typed : {"Xe", "Si'; DROP TABLE tblIMFPdata; --", "[z-a]"}) {
        clickRow(2);
        findMaterial(QString::fromUtf8(typed));
        EXPECT_EQ(takeMessages(), (Messages{{"Material Not Found", "", OkOnly}})) << typed;
        EXPECT_EQ(text("txtName"), QStringLiteral("Cu")) << typed;
        EXPECT_EQ(find<DataControl>("adoMaterials")->caption(), QStringLiteral("Rec: 3 of 6"));
    }
    EXPECT_EQ(file().size(), before.size());
    findMaterial(QString()); // the box cancelled
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_EQ(text("txtName"), QStringLiteral("Cu"));
}

TEST_F(EditingTest, LeavingAPendingEditAsksFirst)
{
    clickRow(1); // Si
    click("cmdChangeParam");
    typeInto(find<QLineEdit>("txtBulkDensity"), QStringLiteral("3"));

    prompts.answers.push_back(AnswerCancel);
    clickRow(2);
    QCoreApplication::processEvents();
    EXPECT_EQ(takeMessages().at(0).title, QStringLiteral("Unsaved changes"));
    EXPECT_EQ(window->editingMode(), Form1::EditingMode::Changing);
    EXPECT_EQ(text("txtBulkDensity"), QStringLiteral("3"));
    EXPECT_EQ(find<QTableView>("dgrdName")->currentIndex().row(), 1);

    prompts.answers.push_back(AnswerNo);
    clickRow(2);
    EXPECT_EQ(text("txtName"), QStringLiteral("Cu"));
    EXPECT_EQ(file().at(14).density, 2.33f);

    clickRow(1);
    click("cmdChangeParam");
    typeInto(find<QLineEdit>("txtBulkDensity"), QStringLiteral("3"));
    prompts.answers.push_back(AnswerYes);
    clickRow(2);
    EXPECT_EQ(file().at(14).density, 3.0f);

    // Closing the window while adding asks the same; Cancel keeps it open.
    click("cmdNew");
    prompts.answers.push_back(AnswerCancel);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(window->editingMode(), Form1::EditingMode::Adding);
    prompts.answers.push_back(AnswerNo);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(file().size(), 6u);
}

// A name is kept whole or refused, never cut: the name field holds any
// stored name, and Save refuses one longer than 255 characters with a
// "Data Error" box (the field cut at 32767 and Save stored the cut name).
TEST_F(EditingTest, SaveRefusesANameLongerThan255CharactersAndNothingIsCut)
{
    clickRow(3); // SiO2
    click("cmdChangeParam");
    auto* name = find<QLineEdit>("txtName");
    name->setText(QString(40000, u'n'));
    EXPECT_EQ(name->text().size(), 40000);
    typeInto(name, QString(256, u'n'));
    click("cmdSave");
    const auto messages = takeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("Name must be at most 255 characters long\r\n"));
    EXPECT_EQ(messages[0].title, QStringLiteral("Data Error"));
    EXPECT_EQ(window->editingMode(), Form1::EditingMode::Changing);
    EXPECT_EQ(file().at(104).name, QStringLiteral("SiO2"));

    typeInto(name, QString(255, u'n'));
    click("cmdSave");
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_EQ(file().at(104).name, QString(255, u'n'));
}

class ReadOnlyEditingTest : public EditingTest {
protected:
    ReadOnlyEditingTest() { openReadOnly = true; }
};

TEST_F(ReadOnlyEditingTest, AFailedWriteSaysSoAndKeepsWhatWasTyped)
{
    clickRow(1);
    click("cmdChangeParam");
    typeInto(find<QLineEdit>("txtBulkDensity"), QStringLiteral("2.5"));
    click("cmdSave");
    const auto messages = takeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, QStringLiteral("Save failed"));
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("readonly"))) << messages[0].text.toStdString();
    EXPECT_EQ(window->editingMode(), Form1::EditingMode::Changing);
    EXPECT_EQ(text("txtBulkDensity"), QStringLiteral("2.5"));
    EXPECT_EQ(file().at(14).density, 2.33f);
}

class EmptyTableEditingTest : public EditingTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::remove(database.path()));
        ASSERT_TRUE(createMaterialDatabase(database.path(), {}));
        EditingTest::SetUp();
    }
};

TEST_F(EmptyTableEditingTest, NewThenCancelOnATableWithoutRowsReturnsToBrowsingWithTheEmptyTableAndNoMessage)
{
    const Form1Controls& ui = window->controls();
    QTest::mouseClick(ui.cmdNew, Qt::LeftButton);
    expectMode(Form1::EditingMode::Adding);
    EXPECT_EQ(ui.txtName->text(), kNewMaterialName);
    QTest::mouseClick(ui.cmdClose, Qt::LeftButton);
    expectMode(Form1::EditingMode::Browsing);
    EXPECT_EQ(ui.txtName->text(), QString());
    EXPECT_EQ(ui.dgrdName->model()->rowCount(), 0);
    EXPECT_EQ(store->recordCount(), 0);
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_TRUE(file().empty());
}

} // namespace
} // namespace korvane::ui
