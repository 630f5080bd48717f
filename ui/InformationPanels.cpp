#include "ui/InformationPanels.h"

#include <QMainWindow>

namespace korvane::ui {

InformationPanels::InformationPanels(QMainWindow* window, QWidget* client)
    : QObject(window), window_(window), client_(client)
{
}

void InformationPanels::FillInfoTexts()
{
}

} // namespace korvane::ui
