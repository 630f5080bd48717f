#pragma once

#include "ui/tools/stack/StackResults.h"
#include "ui/tools/stack/StackSimulationPanel.h"

class QTableWidget;

namespace korvane::ui {

// Fills `table` with one row per angle and layer (the substrate last): the
// layer, its IMFP, and for each model its signal and its share of the
// sample's signal; with a line, the atoms of the line's element per Å³ and,
// for each model, the intensity and the layer's share of the peak. The
// Monte Carlo's columns stay empty until `simulated` holds its signals.
// Numbers carry the digits tpp2m stack gives.
void fillResultsTable(QTableWidget* table, const StackResults& results,
                      const std::optional<StackSimulationPanel::Signals>& simulated);

// Empties the table of every row, its headings kept.
void clearResultsTable(QTableWidget* table);

} // namespace korvane::ui
