#include "materials/store/Sqlite.h"
#include "support/WindowFixture.h"
#include "ui/controls/DataControl.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTableView>

#include <functional>

namespace korvane::ui {
namespace {

class EditingTest : public test::WindowFixture {
protected:
    // Every editing control's state, and what the mode shows.
    void expectMode(Form1::EditingMode mode)
    {
        const bool browsing = mode == Form1::EditingMode::Browsing;
        const Form1Controls& ui = controls();
        EXPECT_EQ(window->editingMode(), mode);
        for (QWidget* control :
             std::initializer_list<QWidget*>{ui.cmdNew, ui.cmdDelete, ui.cmdChangeParam, ui.cmdFind, ui.adoMaterials})
            EXPECT_EQ(control->isEnabled(), browsing) << control->objectName().toStdString();
        for (QWidget* control :
             std::initializer_list<QWidget*>{ui.cmdSave, ui.txtName, ui.txt_d, ui.txt_f, ui.txt_s_p_hbe, ui.txt_s_p_lbe,
                                             ui.txtAtomicMass, ui.txtBulkDensity, ui.txtEnergyGap})
            EXPECT_EQ(control->isEnabled(), !browsing) << control->objectName().toStdString();
        EXPECT_EQ(ui.cmdClose->text(), browsing ? QStringLiteral("&Close") : QStringLiteral("&Cancel"));
        EXPECT_TRUE(ui.dgrdName->isEnabled());
        EXPECT_EQ(ui.txtProcess->isVisible(), !browsing);
    }
    using Messages = std::vector<test::FakePrompts::Message>;
    Messages takeMessages() { return std::exchange(prompts.messages, {}); }
    std::map<qint64, Material> file() const { return test::storedMaterials(database.path()); }
};

TEST_F(EditingTest, ChangeTypeSaveAndCancel)
{
    clickRow(1); // Si
    click(controls().cmdChangeParam);
    expectMode(Form1::EditingMode::Changing);
    EXPECT_EQ(controls().txtProcess->toPlainText(),
              QStringLiteral("Warning: You are now changing data for the current material. "
                             "Select Cancel to stop without change"));

    // A key that leaves the text as stored recalculates nothing; a digit does.
    auto* density = controls().txtBulkDensity;
    const QString before = controls().txtIMFP_2M->text();
    QTest::keyClick(density, Qt::Key_End);
    EXPECT_EQ(controls().txtIMFP_2M->text(), before);
    QTest::keyClick(density, Qt::Key_Backspace);
    QTest::keyClicks(density, QStringLiteral("9")); // 2.39
    EXPECT_NE(controls().txtIMFP_2M->text(), before);
    click(controls().cmdClose);
    expectMode(Form1::EditingMode::Browsing);
    EXPECT_EQ(controls().txtBulkDensity->text(), QStringLiteral("2.33"));
    EXPECT_EQ(controls().txtIMFP_2M->text(), before);
    EXPECT_EQ(file().at(14).density, 2.33f);

    click(controls().cmdChangeParam);
    typeInto(density, QStringLiteral("2.5"));
    typeInto(controls().txtName, QStringLiteral("Si (c)"));
    click(controls().cmdSave);
    expectMode(Form1::EditingMode::Browsing);
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_EQ(file().at(14), test::material(14, "Si (c)", 2.5f, 28.085f, 1.12f, 8, 4, {}, {}))
        << "untouched fields keep their stored values";
    EXPECT_EQ(controls().dgrdName->model()->index(1, 0).data().toString(), QStringLiteral("Si (c)"));
}

TEST_F(EditingTest, EndingAnEditGivesTheFocusToTheNameListAndADoubleClickOnCancelDoesNotQuit)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* list = controls().dgrdName;
    click(controls().cmdChangeParam);
    controls().txtBulkDensity->setFocus();
    QTest::keyClicks(controls().txtBulkDensity, QStringLiteral("1"));
    click(controls().cmdSave);
    EXPECT_EQ(QApplication::focusWidget(), list) << "Save";
    click(controls().cmdNew);
    click(controls().cmdClose);
    EXPECT_EQ(QApplication::focusWidget(), list) << "Cancel";

    // Enter in the list, and a double click on "&Cancel", leave the window open.
    QTest::keyClick(list, Qt::Key_Return);
    click(controls().cmdChangeParam);
    click(controls().cmdClose); // the two clicks a double click gives a button
    click(controls().cmdClose);
    expectMode(Form1::EditingMode::Browsing);
    EXPECT_TRUE(window->isVisible());
    // A click on "&Close" after the double-click interval closes the window.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    click(controls().cmdClose);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(EditingTest, NewMaterialIsRefusedUntilCompleteThenStoredLast)
{
    click(controls().cmdNew);
    expectMode(Form1::EditingMode::Adding);
    EXPECT_EQ(controls().txtName->text(), QStringLiteral("type name here"));
    EXPECT_EQ(controls().txtProcess->toPlainText(), QStringLiteral(" Entering data for new material"));

    typeInto(controls().txtName, QStringLiteral("GaAs"));
    typeInto(controls().txtAtomicMass, QStringLiteral("144.64"));
    typeInto(controls().txt_f, QStringLiteral("8"));
    click(controls().cmdSave);
    EXPECT_EQ(takeMessages(),
              (Messages{{"density must be filled in\r\n", "Data Error", OkExclamation},
                        {"density must be numeric\r\n", "Data Error", OkExclamation}}));
    EXPECT_EQ(controls().txtEnergyGap->text(), QStringLiteral("0"));
    expectMode(Form1::EditingMode::Adding);
    EXPECT_EQ(file().size(), 6u);

    typeInto(controls().txtBulkDensity, QStringLiteral("5.32"));
    click(controls().cmdSave);
    EXPECT_TRUE(takeMessages().empty());
    expectMode(Form1::EditingMode::Browsing);
    EXPECT_EQ(file()[111], test::material(111, "GaAs", 5.32f, 144.64f, 0, {}, {}, {}, 8)); // the blank gap as 0
    EXPECT_EQ(controls().adoMaterials->caption(), QStringLiteral("Rec: 7 of 7"));

    // Cancelling a new material returns to the one before.
    clickRow(2);
    click(controls().cmdNew);
    click(controls().cmdClose);
    expectMode(Form1::EditingMode::Browsing);
    EXPECT_EQ(controls().txtName->text(), QStringLiteral("Cu"));
    EXPECT_EQ(file().size(), 7u);
}

TEST_F(EditingTest, ElementsAreProtectedAndCompoundsDeletedOnYes)
{
    clickRow(2); // Cu, ID 29
    click(controls().cmdDelete);
    EXPECT_EQ(takeMessages(),
              (Messages{{"'Cu'  is one of the elements. It cannot be deleted.", "Not allowed", OkOnly}}));
    EXPECT_EQ(prompts.beeps, 0);

    clickRow(3); // SiO2, ID 104
    prompts.answers.push_back(AnswerNo);
    click(controls().cmdDelete);
    EXPECT_EQ(takeMessages(),
              (Messages{{"Delete the current material  'SiO2'  with ID = 104", "Delete material", YesNoQuestion}}));
    EXPECT_EQ(prompts.beeps, 1);
    EXPECT_EQ(file().count(104), 1u);

    prompts.answers.push_back(AnswerYes);
    click(controls().cmdDelete);
    EXPECT_EQ(file().count(104), 0u);
    EXPECT_EQ(controls().txtName->text(), QStringLiteral("Cu2O")) << "the next material";
    EXPECT_EQ(controls().adoMaterials->caption(), QStringLiteral("Rec: 4 of 5"));

    clickRow(4); // SiC, the last
    prompts.answers.push_back(AnswerYes);
    click(controls().cmdDelete);
    EXPECT_EQ(controls().txtName->text(), QStringLiteral("Cu2O")) << "the previous one after the last";
    EXPECT_EQ(file().size(), 4u);

    // After a delete, a save still runs the checks.
    takeMessages();
    click(controls().cmdChangeParam);
    typeInto(controls().txtAtomicMass, QString());
    click(controls().cmdSave);
    EXPECT_EQ(takeMessages(),
              (Messages{{"Atomic mass must be filled in\r\n", "Data Error", OkExclamation},
                        {"Atomic mass must be numeric\r\n", "Data Error", OkExclamation}}));
}

TEST_F(EditingTest, FindWrapsOnceAndLeavesTheRecordWhenNothingMatches)
{
    auto findMaterial = [&](const QString& typed) {
        prompts.typed.push_back(typed);
        click(controls().cmdFind);
    };
    clickRow(3); // SiO2
    findMaterial(QStringLiteral("SiO2"));
    EXPECT_EQ(controls().txtName->text(), QStringLiteral("SiO2"));
    EXPECT_EQ(prompts.inputs.last(), QStringLiteral("Enter material name|Find material"));
    findMaterial(QStringLiteral("Cu"));
    EXPECT_EQ(controls().txtName->text(), QStringLiteral("Cu2O"));
    findMaterial(QStringLiteral("O"));
    EXPECT_EQ(controls().txtName->text(), QStringLiteral("O")) << "found after starting again at the first";
    EXPECT_EQ(controls().adoMaterials->caption(), QStringLiteral("Rec: 1 of 6"));

    findMaterial(QStringLiteral("Si[!O]")); // the user's wildcards reach the search
    EXPECT_EQ(controls().txtName->text(), QStringLiteral("SiC"));

    const auto before = file();
    for (const char* typed : {"Xe", "Si'; DROP TABLE tblIMFPdata; --", "[z-a]"}) {
        clickRow(2);
        findMaterial(QString::fromUtf8(typed));
        EXPECT_EQ(takeMessages(), (Messages{{"Material Not Found", "", OkOnly}})) << typed;
        EXPECT_EQ(controls().txtName->text(), QStringLiteral("Cu")) << typed;
        EXPECT_EQ(controls().adoMaterials->caption(), QStringLiteral("Rec: 3 of 6"));
    }
    EXPECT_EQ(file().size(), before.size());
    findMaterial(QString()); // the box cancelled
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_EQ(controls().txtName->text(), QStringLiteral("Cu"));
}

TEST_F(EditingTest, LeavingAPendingEditAsksFirst)
{
    clickRow(1); // Si
    click(controls().cmdChangeParam);
    typeInto(controls().txtBulkDensity, QStringLiteral("3"));

    prompts.answers.push_back(AnswerCancel);
    clickRow(2);
    QCoreApplication::processEvents();
    EXPECT_EQ(takeMessages().at(0).title, QStringLiteral("Unsaved changes"));
    EXPECT_EQ(window->editingMode(), Form1::EditingMode::Changing);
    EXPECT_EQ(controls().txtBulkDensity->text(), QStringLiteral("3"));
    EXPECT_EQ(controls().dgrdName->currentIndex().row(), 1);

    prompts.answers.push_back(AnswerNo);
    clickRow(2);
    EXPECT_EQ(controls().txtName->text(), QStringLiteral("Cu"));
    EXPECT_EQ(file().at(14).density, 2.33f); // Yes: AMoveWithAPendingEditAsksThenWritesThenMoves

    // Closing the window while adding asks the same; Cancel keeps it open.
    click(controls().cmdNew);
    prompts.answers.push_back(AnswerCancel);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(window->editingMode(), Form1::EditingMode::Adding);
    prompts.answers.push_back(AnswerNo);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(file().size(), 6u);
}

// Writes down the store's notifications with what the window and the file
// show at each of them.
class StoreEvents : public MaterialStoreListener {
public:
    StoreEvents(MaterialStore& store, std::function<QString()> seen) : store_(store), seen_(std::move(seen))
    {
        store_.addListener(this);
    }
    ~StoreEvents() override { store_.removeListener(this); }
    void willMove() override { events << QStringLiteral("willMove: ") + seen_(); }
    void moveComplete() override { events << QStringLiteral("moveComplete: ") + seen_(); }
    void rowsReread() override { events << QStringLiteral("rowsReread: ") + seen_(); }
    QStringList events;

private:
    MaterialStore& store_;
    std::function<QString()> seen_;
};

// Leaving a changed material by the name list: the window asks, the store
// writes on Yes, and only then does the record move, with the window showing
// the new material when the move completes.
TEST_F(EditingTest, AMoveWithAPendingEditAsksThenWritesThenMoves)
{
    const Form1Controls& ui = controls();
    clickRow(1); // Si
    click(ui.cmdChangeParam);
    typeInto(ui.txtBulkDensity, QStringLiteral("3"));
    StoreEvents heard(*store, [&] {
        return QStringLiteral("%1 asked, Si %2 in the file, %3 shown, %4")
            .arg(prompts.messages.size())
            .arg(double(*file().at(14).density))
            .arg(ui.txtName->text(), ui.adoMaterials->caption());
    });
    prompts.answers.push_back(AnswerYes);
    clickRow(2);
    EXPECT_EQ(heard.events,
              QStringList({"rowsReread: 1 asked, Si 3 in the file, Si shown, Rec: 2 of 6",
                           "willMove: 1 asked, Si 3 in the file, Si shown, Rec: 2 of 6",
                           "moveComplete: 1 asked, Si 3 in the file, Cu shown, Rec: 3 of 6"}));
    EXPECT_EQ(takeMessages().at(0).title, QStringLiteral("Unsaved changes"));
    expectMode(Form1::EditingMode::Browsing);
}

// A save that the checks refuse writes nothing, and neither does a move
// after it: Yes tries the save again and stays, No discards and moves.
TEST_F(EditingTest, ARefusedSaveFollowedByAMoveWritesNothing)
{
    const Form1Controls& ui = controls();
    const auto before = file();
    clickRow(1); // Si
    click(ui.cmdNew);
    typeInto(ui.txtName, QStringLiteral("GaAs"));
    typeInto(ui.txtAtomicMass, QStringLiteral("144.64"));
    click(ui.cmdSave);
    EXPECT_EQ(takeMessages().size(), 2u) << "density blank and not numeric";

    prompts.answers.push_back(AnswerYes);
    clickRow(2);
    QCoreApplication::processEvents();
    const Messages asked = takeMessages();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].title, QStringLiteral("Unsaved changes"));
    EXPECT_EQ(asked[1], (test::FakePrompts::Message{"density must be filled in\r\n", "Data Error", OkExclamation}));
    expectMode(Form1::EditingMode::Adding);
    EXPECT_EQ(ui.txtName->text(), QStringLiteral("GaAs"));
    EXPECT_EQ(file(), before);

    prompts.answers.push_back(AnswerNo);
    clickRow(2);
    EXPECT_EQ(takeMessages().size(), 1u) << "only the question";
    expectMode(Form1::EditingMode::Browsing);
    EXPECT_EQ(ui.txtName->text(), QStringLiteral("Cu"));
    EXPECT_EQ(ui.adoMaterials->caption(), QStringLiteral("Rec: 3 of 6"));
    EXPECT_EQ(file(), before);

    // The same for a change of a stored material.
    click(ui.cmdChangeParam);
    typeInto(ui.txtBulkDensity, QString());
    click(ui.cmdSave);
    EXPECT_EQ(takeMessages().size(), 2u);
    prompts.answers.push_back(AnswerNo);
    clickRow(3);
    EXPECT_EQ(takeMessages().size(), 1u) << "only the question";
    expectMode(Form1::EditingMode::Browsing);
    EXPECT_EQ(ui.txtName->text(), QStringLiteral("SiO2"));
    EXPECT_EQ(file(), before);
}

// A name is kept whole or refused, never cut: the name field holds any
// stored name, and Save refuses one longer than 255 characters with a
// "Data Error" box (the field cut at 32767 and Save stored the cut name).
TEST_F(EditingTest, SaveRefusesANameLongerThan255CharactersAndNothingIsCut)
{
    clickRow(3); // SiO2
    click(controls().cmdChangeParam);
    auto* name = controls().txtName;
    name->setText(QString(40000, u'n'));
    EXPECT_EQ(name->text().size(), 40000);
    typeInto(name, QString(256, u'n'));
    click(controls().cmdSave);
    EXPECT_EQ(takeMessages(),
              (Messages{{"Name must be at most 255 characters long\r\n", "Data Error", OkExclamation}}));
    EXPECT_EQ(window->editingMode(), Form1::EditingMode::Changing);
    EXPECT_EQ(file().at(104).name, QStringLiteral("SiO2"));

    typeInto(name, QString(255, u'n'));
    click(controls().cmdSave);
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_EQ(file().at(104).name, QString(255, u'n'));

    // Characters, not UTF-16 units: 255 emoji are 255 characters; half of
    // one is refused, never stored as "?".
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    click(controls().cmdChangeParam);
    // Typed as one key each, as an input method types them.
    const auto typeCharacters = [name](const QString& text) {
        name->selectAll();
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, text, Qt::NoModifier);
    };
    typeCharacters(emoji.repeated(255));
    click(controls().cmdSave);
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_EQ(file().at(104).name, emoji.repeated(255));
    click(controls().cmdChangeParam);
    typeCharacters(QStringLiteral("Si") + emoji[0] + QStringLiteral("O2"));
    click(controls().cmdSave);
    EXPECT_EQ(
        takeMessages(),
        (Messages{{"Name must not hold half of a character (a lone surrogate)\r\n", "Data Error", OkExclamation}}));
    EXPECT_EQ(file().at(104).name, emoji.repeated(255));
}

class ReadOnlyEditingTest : public EditingTest {
protected:
    ReadOnlyEditingTest() { openReadOnly = true; }
};

TEST_F(ReadOnlyEditingTest, AFailedWriteSaysSoAndKeepsWhatWasTyped)
{
    clickRow(1);
    click(controls().cmdChangeParam);
    typeInto(controls().txtBulkDensity, QStringLiteral("2.5"));
    click(controls().cmdSave);
    const auto messages = takeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, QStringLiteral("Save failed"));
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("readonly"))) << messages[0].text.toStdString();
    EXPECT_EQ(window->editingMode(), Form1::EditingMode::Changing);
    EXPECT_EQ(controls().txtBulkDensity->text(), QStringLiteral("2.5"));
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
    click(controls().cmdNew);
    expectMode(Form1::EditingMode::Adding);
    EXPECT_EQ(controls().txtName->text(), kNewMaterialName);
    click(controls().cmdClose);
    expectMode(Form1::EditingMode::Browsing);
    EXPECT_EQ(controls().txtName->text(), QString());
    EXPECT_EQ(controls().dgrdName->model()->rowCount(), 0);
    EXPECT_EQ(store->storedRowCount(), 0);
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_TRUE(file().empty());
}

// A second copy of the program working on the same file.
using TwoCopiesTest = EditingTest;

TEST_F(TwoCopiesTest, ABrowsingCopySeesTheOthersSavesAtItsNextMove)
{
    OpenedDatabase opened = openMaterialDatabase(database.path());
    ASSERT_TRUE(opened);
    MaterialStore& other = **opened;
    ASSERT_TRUE(other.moveTo(1)); // Si
    Material values;
    values.density = 2.5f;
    ASSERT_TRUE(other.saveCurrent(values, 1u << int(Column::Density)));
    Material added;
    added.name = QStringLiteral("GaN");
    ASSERT_TRUE(other.insert(added));

    clickRow(1);
    EXPECT_EQ(controls().txtBulkDensity->text(), QStringLiteral("2.5"));
    EXPECT_EQ(controls().adoMaterials->caption(), QStringLiteral("Rec: 2 of 7"));
    auto* grid = controls().dgrdName;
    EXPECT_EQ(grid->model()->index(6, 0).data().toString(), QStringLiteral("GaN"));
    EXPECT_EQ(grid->currentIndex().row(), 1);
}

TEST_F(TwoCopiesTest, ASaveWhileTheOtherWritesFailsAfterAShortWait)
{
    sqlite::Connection writer = *sqlite::Connection::open(database.path(), SQLITE_OPEN_READWRITE);
    clickRow(1);
    click(controls().cmdChangeParam);
    typeInto(controls().txtBulkDensity, QStringLiteral("2.6"));
    ASSERT_TRUE(writer.exec("BEGIN IMMEDIATE"));
    QElapsedTimer waited;
    waited.start();
    click(controls().cmdSave);
    EXPECT_LT(waited.elapsed(), 5000);
    const Messages failed = takeMessages();
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].title, QStringLiteral("Save failed"));
    EXPECT_TRUE(failed[0].text.contains(QStringLiteral("locked"))) << failed[0].text.toStdString();

    ASSERT_TRUE(writer.exec("ROLLBACK"));
    click(controls().cmdSave);
    EXPECT_EQ(window->editingMode(), Form1::EditingMode::Browsing);
    EXPECT_EQ(file().at(14).density, 2.6f);
}

constexpr qint64 kLargeId = 4294967301; // 2^32 + 5

// Boron (ID 5) beside a material whose ID is 5 once cut to 32 bits.
class LargeIdWindowTest : public EditingTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::remove(database.path()));
        ASSERT_TRUE(createMaterialDatabase(database.path(),
                                           {test::material(5, "B", 2.46f, 10.81f, 1.5f, {}, 3, {}, {}),
                                            test::material(kLargeId, "Far", 1, 2, 3, {}, {}, {}, 4)}));
        EditingTest::SetUp();
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
    EXPECT_EQ(
        takeMessages(),
        (Messages{{"Delete the current material  'Far'  with ID = 4294967301", "Delete material", YesNoQuestion}}));
}

} // namespace
} // namespace korvane::ui
