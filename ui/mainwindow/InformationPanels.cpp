#include "ui/mainwindow/InformationPanels.h"

#include "presentation/LineBreaks.h"
#include "ui/mainwindow/Form1Controls.h"
#include "ui/about/FormAbout.h"
#include "ui/about/InformationTexts.h"

#include <QAction>
#include <QGroupBox>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>

namespace korvane::ui {

namespace {

void showText(QPlainTextEdit* box, const QString& text)
{
    box->setPlainText(withLineFeeds(text));
}

} // namespace

QAction* InformationPanels::menuEntry(const char* name) const
{
    auto* entry = window_->findChild<QAction*>(QLatin1String(name));
    Q_ASSERT_X(entry, "InformationPanels", name);
    return entry;
}

InformationPanels::InformationPanels(QMainWindow* window, const Form1Controls& controls)
    : QObject(window), window_(window), ui_(controls)
{
    // The close button lies over the box's lower right corner; the box
    // scrolls past its end, so that every line can be moved clear of it.
    ui_.txtInfo->setCenterOnScroll(true);

    connect(ui_.cmdUsersGuide, &QPushButton::clicked, this, &InformationPanels::cmdUsersGuide_Click);
    connect(ui_.cmdAccuracy, &QPushButton::clicked, this, &InformationPanels::cmdAccuracy_Click);
    connect(menuEntry("Yes"), &QAction::triggered, this, &InformationPanels::Yes_Click);
    connect(menuEntry("No"), &QAction::triggered, this, &InformationPanels::No_Click);
    for (const auto& [button, index] : {std::pair{ui_.cmdInfo_0, 0}, std::pair{ui_.cmdInfo_3, 3}})
        connect(button, &QPushButton::clicked, this, [this, index = index] { cmdInfo_Click(index); });
    connect(ui_.cmdAdd_New_material_Example, &QPushButton::clicked, this,
            &InformationPanels::cmdAdd_New_material_Example_Click);
    connect(ui_.cmdCloseInfo, &QPushButton::clicked, this, &InformationPanels::cmdCloseInfo_Click);
    connect(menuEntry("mnuAbout"), &QAction::triggered, this, &InformationPanels::mnuAbout_Click);
}

InformationPanels::~InformationPanels()
{
    // The About box has no parent widget; it goes with the main window.
    delete formAbout_;
}

void InformationPanels::FillInfoTexts()
{
    showText(ui_.txtInfo1, infotexts::information());
    showText(ui_.txtInfo2, infotexts::usersGuide());
    showText(ui_.txtInfo3, infotexts::accuracy());
}

void InformationPanels::cmdUsersGuide_Click()
{
    ui_.Frame1->show();
    ui_.Frame1->raise();
}

void InformationPanels::cmdAccuracy_Click()
{
    ui_.Frame2->show();
    ui_.Frame2->raise();
}

void InformationPanels::Yes_Click()
{
    for (QWidget* frame : std::initializer_list<QWidget*>{ui_.frmInfo, ui_.Frame1, ui_.Frame2, ui_.frmGuide})
        frame->show();
}

void InformationPanels::No_Click()
{
    for (QWidget* frame : std::initializer_list<QWidget*>{ui_.frmInfo, ui_.Frame1, ui_.Frame2, ui_.frmGuide})
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
    ui_.txtInfo->hide();
    ui_.cmdCloseInfo->hide();
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
    ui_.txtInfo->show();
    ui_.cmdCloseInfo->show();
    // The button lies inside the text box's rectangle and stays above it.
    ui_.txtInfo->raise();
    ui_.cmdCloseInfo->raise();
    showText(ui_.txtInfo, text);
}

} // namespace korvane::ui
