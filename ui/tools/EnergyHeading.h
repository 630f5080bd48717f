#pragma once

#include "ui/mainwindow/MainWindowState.h"

namespace korvane::ui {

// "Au at 1000 eV" with the energy as the user wrote it; for an energy that is
// no number, why, in tpp2m's words and without the refused text:
// "Au: the energy is not a number", "Au: the energy is out of range".
QString materialAtEnergy(const QString& name, const Result<MainWindowState::Energy>& energy);

} // namespace korvane::ui
