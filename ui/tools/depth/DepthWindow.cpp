#include "ui/tools/depth/DepthWindow.h"

#include "ui/tools/depth/OverlayerTab.h"
#include "ui/tools/depth/SignalDepthTab.h"
#include "ui/tools/ToolWindow.h"
#include "ui/tools/ToolWindowButtons.h"

#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace korvane::ui {

DepthWindow* DepthWindow::showFor(QWidget* mainWindow, const MainWindowState& state, const MaterialStore& store)
{
    DepthWindow* window =
        showToolWindow<DepthWindow>(mainWindow, [&] { return new DepthWindow(mainWindow, state, store); });
    window->overlayer_->reloadMaterials(); // materials may have been added or renamed since
    return window;
}

DepthWindow::DepthWindow(QWidget* mainWindow, const MainWindowState& state, const MaterialStore& store)
    : QWidget(mainWindow, Qt::Window)
{
    setObjectName(QStringLiteral("DepthWindow"));
    setWindowTitle(QStringLiteral("Depth of the signal"));
    setAttribute(Qt::WA_QuitOnClose, false); // closing the main window still ends the program
    signalDepth_ = new SignalDepthTab(state, this);
    overlayer_ = new OverlayerTab(state, store, this);
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabsDepth"));
    tabs->addTab(signalDepth_, QStringLiteral("&Signal depth"));
    tabs->addTab(overlayer_, QStringLiteral("&Overlayer thickness"));
    auto* cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    closeWithKeys(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(footButtons({cmdClose}));
}

} // namespace korvane::ui
