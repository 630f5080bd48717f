// The editing workflow of the main window: changing, adding, saving,
// cancelling and deleting materials, the checks before a write, and what
// happens to a pending edit when the window would leave it.
#include "presentation/LineBreaks.h"
#include "materials/model/MaterialValidation.h"
#include "materials/model/NamePattern.h"
#include "presentation/LocaleNumberText.h"
#include "ui/controls/DataControl.h"
#include "ui/mainwindow/Form1.h"
#include "ui/common/UserPrompts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

namespace korvane::ui {

namespace {

const QString kChangingNote =
    QStringLiteral("Warning: You are now changing data for the current material. Select Cancel to stop without change");
const QString kAddingNote = QStringLiteral(" Entering data for new material");
const QString kCloseCaption = QStringLiteral("&Close");
const QString kCancelCaption = QStringLiteral("&Cancel");

} // namespace

// Shows the mode on the controls; every change of mode comes through here.
// Controls that take the user into the new mode are enabled before those
// that lead out of the old one are disabled, so that the focus leaving a
// button that is disabled moves on as it always has: into the parameter
// fields when an edit starts.
void Form1::enterMode(EditingMode mode)
{
    state_.setEditingMode(mode);
    const bool editing = mode != EditingMode::Browsing;
    if (editing)
        enableParameterFields(true);
    ui_.cmdClose->setText(editing ? kCancelCaption : kCloseCaption);
    ui_.cmdSave->setEnabled(editing);
    for (QWidget* control :
         std::initializer_list<QWidget*>{ui_.cmdNew, ui_.cmdDelete, ui_.cmdChangeParam, ui_.cmdFind, ui_.adoMaterials})
        control->setEnabled(!editing);
    if (!editing)
        enableParameterFields(false);

    switch (mode) {
    case EditingMode::Browsing: ui_.txtProcess->hide(); break;
    case EditingMode::Changing:
        ui_.txtProcess->setPlainText(kChangingNote);
        ui_.txtProcess->show();
        ui_.txtProcess->raise();
        break;
    case EditingMode::Adding:
        ui_.txtProcess->setPlainText(kAddingNote);
        ui_.txtProcess->show();
        break;
    }
}

void Form1::ParameterEdited()
{
    const MainWindowState::ChangeScope change(state_);
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
    enterMode(EditingMode::Changing);
}

// The new material lives in the fields until it is saved; the store stays on
// the material that was current, to which "&Cancel" returns.
void Form1::cmdNew_Click()
{
    const MainWindowState::ChangeScope change(state_);
    state_.setSavedId(std::nullopt);
    for (const BoundField& field : boundFields_)
        field.box->clear();
    ui_.txtName->setText(kNewMaterialName);
    enterMode(EditingMode::Adding);
    ParameterEdited();
}

// The fields are checked and made into a material first; only a material
// that passed goes to the store, which writes it now and at no other time.
// A refusal keeps everything typed, in the editing mode.
void Form1::cmdSave_Click()
{
    const MainWindowState::ChangeScope change(state_);
    const bool adding = editingMode() == EditingMode::Adding;
    TypedMaterial typed;
    // A change without a current record has nothing to check or take from
    // the fields; the store refuses the save and says why.
    if (adding || store_.current()) {
        if (!checkFieldsBeforeSave())
            return;
        Result<TypedMaterial> fromFields = materialFromFields(adding);
        if (!fromFields) {
            reportFailedWrite(errorText(fromFields));
            return;
        }
        typed = std::move(*fromFields);
    }
    const Result<void> written = adding ? store_.insert(typed.values) : store_.saveCurrent(typed.values, typed.columns);
    if (!written) {
        // The checks passed but the file did not take the write.
        reportFailedWrite(errorText(written));
        return;
    }
    if (adding)
        reportFailedMove(store_.moveLast());
    else
        showCurrentRowInGrid();
    enterMode(EditingMode::Browsing);
    returnToNameList();
}

// After an edit ends the focus goes back to the name list, not to the button
// that now reads "&Close", where Enter or Space would end the program.
void Form1::returnToNameList()
{
    ui_.dgrdName->setFocus(Qt::OtherFocusReason);
}

void Form1::reportFailedWrite(const QString& what)
{
    prompts_->message(QStringLiteral("The material could not be saved:") + lineBreak() + what + lineBreak().repeated(2)
                          + QStringLiteral("Your entries are kept; correct them and save again, or cancel."),
                      QStringLiteral("Save failed"), OkExclamation);
}

void Form1::cmdClose_Click()
{
    const MainWindowState::ChangeScope change(state_);
    if (editingMode() == EditingMode::Browsing) {
        // The second click of a double click on "&Cancel" is no wish to quit.
        if (sinceCancel_.isValid() && sinceCancel_.elapsed() < QApplication::doubleClickInterval())
            return;
        close();
        return;
    }
    // The edit lives only in the fields: going back to the record current
    // before it, with its stored values, discards it. A table without rows
    // has no such record, and the fields are emptied.
    if (store_.current()) {
        if (!store_.move(0))
            return;
    } else {
        noteSavedId();
        bindFields();
    }
    enterMode(EditingMode::Browsing);
    SumValenceElectrons();
    sinceCancel_.start();
    returnToNameList();
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
    if (const Result<void> deleted = store_.deleteCurrent(); !deleted) {
        prompts_->message(QStringLiteral("The material could not be deleted:") + lineBreak() + errorText(deleted),
                          QStringLiteral("Delete failed"), OkExclamation);
        return;
    }
    MoveAfterDelete();
}

void Form1::MoveAfterDelete()
{
    reportFailedMove(store_.moveNext());
    if (store_.eof())
        reportFailedMove(store_.movePrevious());
}

// The checks of a material before it is written: each kind of problem in one
// "Data Error" box. A blank band gap is set to 0 on the way.
bool Form1::checkFieldsBeforeSave()
{
    MaterialTexts texts{ui_.txtName->text(), ui_.txtBulkDensity->text(), ui_.txtNoValenceElectrprAtomorMolec->text(),
                        ui_.txtAtomicMass->text(), ui_.txtEnergyGap->text()};
    const MaterialProblems problems = checkMaterial(texts);
    ui_.txtEnergyGap->setText(texts.energyGap);
    if (!problems.blank.isEmpty())
        prompts_->message(problems.blank, QStringLiteral("Data Error"), OkExclamation);
    if (!problems.notNumeric.isEmpty())
        prompts_->message(problems.notNumeric, QStringLiteral("Data Error"), OkExclamation);
    if (!problems.notText.isEmpty())
        prompts_->message(problems.notText, QStringLiteral("Data Error"), OkExclamation);
    if (!problems.tooLong.isEmpty())
        prompts_->message(problems.tooLong, QStringLiteral("Data Error"), OkExclamation);
    return problems.ok();
}

// The material as the bound fields give it: every field of a new material,
// and of a changed one the fields whose text the user changed (an untouched
// field keeps its stored value, whatever its display format).
Result<Form1::TypedMaterial> Form1::materialFromFields(bool adding) const
{
    TypedMaterial typed;
    for (const BoundField& field : boundFields_) {
        const QString text = field.box->text();
        if (!adding && text == field.box->property("Tag").toString())
            continue;
        if (field.column == Column::Name) {
            typed.values.name = text;
        } else if (!text.trimmed().isEmpty()) {
            const std::optional<float> number = storableNumber(text);
            if (!number)
                return failed(notStorableMessage(text));
            *numericField(typed.values, field.column) = number;
        }
        typed.columns |= 1u << int(field.column);
    }
    return typed;
}

bool Form1::settlePendingEdit()
{
    const int answer = prompts_->message(QStringLiteral("Save the changes to this material?") + lineBreak().repeated(2)
                                             + QStringLiteral("Yes saves them, No discards them, "
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
    reportFailedMove(store_.find(matches));
    if (!store_.eof())
        return;
    reportFailedMove(store_.moveFirst());
    reportFailedMove(store_.find(matches));
    if (!store_.eof())
        return;
    reportFailedMove(store_.setBookmark(start));
    prompts_->message(QStringLiteral("Material Not Found"), QString(), OkOnly);
}

} // namespace korvane::ui
