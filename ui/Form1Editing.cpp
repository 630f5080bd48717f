// The editing workflow of the main window: changing, adding, saving,
// cancelling and deleting materials, the checks before a write, and what
// happens to a pending edit when the window would leave it.
#include "materials/MaterialValidation.h"
#include "materials/NamePattern.h"
#include "materials/NumberText.h"
#include "ui/DataControl.h"
#include "ui/Form1.h"
#include "ui/UserPrompts.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace korvane::ui {

namespace {

const QString kChangingNote = QStringLiteral(
    "Warning: You are now changing data for the current material. Select Cancel to stop without change");
const QString kAddingNote = QStringLiteral(" Entering data for new material");
const QString kNewName = QStringLiteral("type name here");
const QString kCloseCaption = QStringLiteral("&Close");
const QString kCancelCaption = QStringLiteral("&Cancel");

} // namespace

Form1::EditingMode Form1::editingMode() const
{
    if (!cmdSave_->isEnabled())
        return EditingMode::Browsing;
    return store_.editStatus() == EditStatus::Add ? EditingMode::Adding : EditingMode::Changing;
}

void Form1::SwitchEditButtons()
{
    cmdClose_->setText(cmdClose_->text() != kCloseCaption ? kCloseCaption : kCancelCaption);
    for (QPushButton* button : {cmdSave_, cmdNew_, cmdDelete_, cmdChangeParam_, cmdFind_})
        button->setEnabled(!button->isEnabled());
    adoMaterials_->setEnabled(!adoMaterials_->isEnabled());
}

void Form1::ParameterEdited()
{
    if (!store_.bof() && !store_.eof() && !cmdSave_->isEnabled())
        SwitchEditButtons();
    RecalculateIMFP();
}

// A key released in a parameter field recalculates when the field's text
// differs from the stored value the field showed after the last move.
bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease) {
        if (auto* box = qobject_cast<QLineEdit*>(watched); box && box->text() != box->property("Tag").toString())
            ParameterEdited();
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::cmdChangeParam_Click()
{
    txtProcess_->setPlainText(kChangingNote);
    txtProcess_->show();
    txtProcess_->raise();
    SwitchParameterFields();
    SwitchEditButtons();
}

void Form1::cmdNew_Click()
{
    txtProcess_->setPlainText(kAddingNote);
    txtProcess_->show();
    if (!store_.addNew()) {
        // Nothing to name: without a new record the command stops here,
        // rather than rename the material that is current.
        txtProcess_->hide();
        return;
    }
    bindFields();
    store_.setField(int(Column::Name), kNewName);
    txtName_->setText(kNewName);
    ParameterEdited();
    SwitchParameterFields();
}

void Form1::cmdSave_Click()
{
    validationFailed_ = false;
    writeProblem_.clear();
    const bool adding = store_.editStatus() == EditStatus::Add;
    const Result<void> written = store_.update();
    if (validationFailed_)
        return;
    if (!written) {
        // The checks passed but the file did not take the write: say so and
        // keep everything typed, in the editing mode.
        reportFailedWrite(writeProblem_.isEmpty() ? written.error() : writeProblem_);
        return;
    }
    followStoreRows();
    if (adding)
        store_.moveLast();
    else
        showCurrentRowInGrid();
    SwitchEditButtons();
    SwitchParameterFields();
    txtProcess_->hide();
}

void Form1::reportFailedWrite(const QString& what)
{
    prompts_->message(QStringLiteral("The material could not be saved:\r\n%1\r\n\r\n"
                                     "Your entries are kept; correct them and save again, or cancel.")
                          .arg(what),
                      QStringLiteral("Save failed"), OkExclamation);
}

void Form1::cmdClose_Click()
{
    if (cmdClose_->text() == kCloseCaption) {
        close();
        return;
    }
    cancelling_ = true;
    const bool discarded = bool(store_.cancelUpdate());
    cancelling_ = false;
    if (!discarded)
        return;
    if (store_.editStatus() != EditStatus::Add && !store_.move(0))
        return;
    SwitchEditButtons();
    SwitchParameterFields();
    SumValenceElectrons();
    txtProcess_->hide();
}

void Form1::cmdDelete_Click()
{
    const QVariant id = store_.field(int(Column::Id));
    if (!id.isValid())
        return;
    const QString name = store_.field(int(Column::Name)).toString();
    if (id.toLongLong() < kFirstCompoundId) {
        prompts_->message(QStringLiteral("'") + name + QStringLiteral("'")
                              + QStringLiteral("  is one of the elements. It cannot be deleted."),
                          QStringLiteral("Not allowed"), OkOnly);
        return;
    }
    prompts_->beep();
    const QString question = QStringLiteral("Delete the current material  ") + QStringLiteral("'") + name
                             + QStringLiteral("'") + QStringLiteral("  with ID = ") + QString::number(id.toLongLong());
    if (prompts_->message(question, QStringLiteral("Delete material"), YesNoQuestion) != AnswerYes)
        return;
    deleting_ = true;
    const Result<void> deleted = store_.deleteCurrent();
    deleting_ = false;
    if (!deleted) {
        prompts_->message(QStringLiteral("The material could not be deleted:\r\n%1").arg(deleted.error()),
                          QStringLiteral("Delete failed"), OkExclamation);
        return;
    }
    followStoreRows();
    MoveAfterDelete();
}

void Form1::MoveAfterDelete()
{
    store_.moveNext();
    if (store_.eof())
        store_.movePrevious();
}

bool Form1::willChangeRecord(ChangeReason reason)
{
    if (!adoMaterials_WillChangeRecord())
        return false;
    // The checks passed: the bound fields give their texts to the record.
    return reason != ChangeReason::Update || cancelling_ || deleting_ || writeFieldsToRecord();
}

bool Form1::adoMaterials_WillChangeRecord()
{
    if (cancelling_ || deleting_)
        return true;
    if (store_.bof() || store_.eof())
        return true;
    MaterialTexts texts{txtName_->text(), txtBulkDensity_->text(), txtNoValenceElectrprAtomorMolec_->text(),
                        txtAtomicMass_->text(), txtEnergyGap_->text()};
    const MaterialProblems problems = checkMaterial(texts);
    txtEnergyGap_->setText(texts.energyGap);
    if (!problems.blank.isEmpty()) {
        prompts_->message(problems.blank, QStringLiteral("Data Error"), OkExclamation);
        validationFailed_ = true;
    }
    if (!problems.notNumeric.isEmpty()) {
        prompts_->message(problems.notNumeric, QStringLiteral("Data Error"), OkExclamation);
        validationFailed_ = true;
    }
    return problems.ok();
}

// Gives the texts of the bound fields to the record: every field of a new
// material, and of a changed one the fields whose text the user changed
// (an untouched field keeps its stored value, whatever its display format).
bool Form1::writeFieldsToRecord()
{
    const bool adding = store_.editStatus() == EditStatus::Add;
    for (const BoundField& field : boundFields_) {
        const QString text = field.box->text();
        if (!adding && text == field.box->property("Tag").toString())
            continue;
        QVariant value;
        if (field.column == Column::Name) {
            value = text;
        } else if (!text.trimmed().isEmpty()) {
            const std::optional<float> number = numbertext::toSingle(text);
            if (!number) {
                writeProblem_ = QStringLiteral("\"%1\" is not a number that can be stored.").arg(text);
                return false;
            }
            value = *number;
        }
        if (const Result<void> set = store_.setField(int(field.column), value); !set) {
            writeProblem_ = set.error();
            return false;
        }
    }
    return true;
}

bool Form1::settlePendingEdit()
{
    const int answer = prompts_->message(QStringLiteral("Save the changes to this material?\r\n\r\n"
                                                        "Yes saves them, No discards them, "
                                                        "Cancel goes back to editing."),
                                         QStringLiteral("Unsaved changes"), YesNoCancelQuestion);
    if (answer == AnswerYes)
        cmdSave_Click();
    else if (answer == AnswerNo)
        cmdClose_Click();
    return editingMode() == EditingMode::Browsing;
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (editingMode() != EditingMode::Browsing && !settlePendingEdit()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void Form1::cmdFind_Click()
{
    const QString answer = prompts_->input(QStringLiteral("Enter material name"), QStringLiteral("Find material"));
    if (answer.isEmpty())
        return;
    const MaterialStore::Bookmark start = store_.bookmark();
    const NamePattern pattern = NamePattern::startingWith(answer);
    const auto matches = [&pattern](const QString& name) { return pattern.matches(name); };
    store_.find(matches);
    if (!store_.eof())
        return;
    store_.moveFirst();
    store_.find(matches);
    if (!store_.eof())
        return;
    store_.setBookmark(start);
    prompts_->message(QStringLiteral("Material Not Found"), QString(), OkOnly);
}

} // namespace korvane::ui
