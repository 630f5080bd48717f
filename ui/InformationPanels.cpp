#include "ui/InformationPanels.h"

#include "ui/FindControl.h"
#include "ui/FormAbout.h"
#include "ui/InformationTexts.h"

#include <QAction>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>

namespace korvane::ui {

namespace {

// The texts break their lines with carriage return and line feed; a text
// box shows a line break as a single line feed.
void showText(QPlainTextEdit* box, const QString& text)
{
    box->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

} // namespace

QAction* InformationPanels::menuEntry(const char* name) const
{
    auto* entry = window_->findChild<QAction*>(QLatin1String(name));
    Q_ASSERT_X(entry, "InformationPanels", name);
    return entry;
}

InformationPanels::InformationPanels(QMainWindow* window, QWidget* client)
    : QObject(window), window_(window), client_(client)
{
    frmInfo_ = findControl<QWidget>(client_, "frmInfo");
    frmGuide_ = findControl<QWidget>(client_, "frmGuide");
    Frame1_ = findControl<QWidget>(client_, "Frame1");
    Frame2_ = findControl<QWidget>(client_, "Frame2");
    txtInfo_ = findControl<QPlainTextEdit>(client_, "txtInfo");
    cmdCloseInfo_ = findControl<QPushButton>(client_, "cmdCloseInfo");
    // The close button lies over the box's lower right corner; the box
    // scrolls past its end, so that every line can be moved clear of it.
    txtInfo_->setCenterOnScroll(true);

    connect(findControl<QPushButton>(client_, "cmdUsersGuide"), &QPushButton::clicked, this,
            &InformationPanels::cmdUsersGuide_Click);
    connect(findControl<QPushButton>(client_, "cmdAccuracy"), &QPushButton::clicked, this, &InformationPanels::cmdAccuracy_Click);
    connect(menuEntry("Yes"), &QAction::triggered, this, &InformationPanels::Yes_Click);
    connect(menuEntry("No"), &QAction::triggered, this, &InformationPanels::No_Click);
    for (int index : {0, 3}) {
        const QByteArray name = "cmdInfo_" + QByteArray::number(index);
        connect(findControl<QPushButton>(client_, name.constData()), &QPushButton::clicked, this,
                [this, index] { cmdInfo_Click(index); });
    }
    connect(findControl<QPushButton>(client_, "cmdAdd_New_material_Example"), &QPushButton::clicked, this,
            &InformationPanels::cmdAdd_New_material_Example_Click);
    connect(cmdCloseInfo_, &QPushButton::clicked, this, &InformationPanels::cmdCloseInfo_Click);
    connect(menuEntry("mnuAbout"), &QAction::triggered, this, &InformationPanels::mnuAbout_Click);
}

InformationPanels::~InformationPanels()
{
    // The About box has no parent widget; it goes with the main window.
    delete formAbout_;
}

void InformationPanels::FillInfoTexts()
{
    showText(findControl<QPlainTextEdit>(client_, "txtInfo1"), infotexts::information());
    showText(findControl<QPlainTextEdit>(client_, "txtInfo2"), infotexts::usersGuide());
    showText(findControl<QPlainTextEdit>(client_, "txtInfo3"), infotexts::accuracy());
}

void InformationPanels::cmdUsersGuide_Click()
{
    Frame1_->show();
    Frame1_->raise();
}

void InformationPanels::cmdAccuracy_Click()
{
    Frame2_->show();
    Frame2_->raise();
}

void InformationPanels::Yes_Click()
{
    for (QWidget* frame : {frmInfo_, Frame1_, Frame2_, frmGuide_})
        frame->show();
}

void InformationPanels::No_Click()
{
    for (QWidget* frame : {frmInfo_, Frame1_, Frame2_, frmGuide_})
        frame->hide();
}

void InformationPanels::cmdInfo_Click(int)
{
    // Both buttons of the array, in the chooser and on the window, explain
    // the same.
    openOverlay(infotexts::elasticScattering());
}

void InformationPanels::cmdAdd_New_material_Example_Click()
{
    openOverlay(infotexts::workedExamples());
}

void InformationPanels::cmdCloseInfo_Click()
{
    txtInfo_->hide();
    cmdCloseInfo_->hide();
}

void InformationPanels::mnuAbout_Click()
{
    if (!formAbout_)
        formAbout_ = new FormAbout(window_);
    formAbout_->show();
    window_->setEnabled(false);
}

void InformationPanels::openOverlay(const QString& text)
{
    txtInfo_->show();
    cmdCloseInfo_->show();
    // The button lies inside the text box's rectangle and stays above it.
    txtInfo_->raise();
    cmdCloseInfo_->raise();
    showText(txtInfo_, text);
}

} // namespace korvane::ui
