#pragma once

#include "cli/RowWriter.h"
#include "lookup/MaterialImfp.h"

namespace korvane::cli {

// The columns that say which material, energy and form a row is for; with
// the line, its source and binding energy before the energy when any --line is given.
std::vector<Column> materialColumns(const Command& command);
Row materialCells(const Command& command, const MaterialInputs& material, size_t energyIndex, ImfpForm form);

// Writes the cells of energy number `energyIndex` into a row that starts with materialColumns.
void setEnergyCells(Row& row, const Command& command, size_t energyIndex);

// tpp2m imfp: one row per material, energy and form, in that order. What
// ended the output early, if anything.
Result<void> writeImfpReport(const Command& command, const std::vector<MaterialInputs>& materials, std::FILE* out);

} // namespace korvane::cli
