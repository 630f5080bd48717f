#pragma once

#include "cli/ImfpEvaluation.h"
#include "cli/RowWriter.h"

namespace korvane::cli {

// The columns that say which material, energy and form a row is for.
std::vector<Column> materialColumns();
Row materialCells(const MaterialInputs& material, float energy, ImfpForm form);

// tpp2m imfp: one row per material, energy and form, in that order. What
// ended the output early, if anything.
std::optional<Failure> writeImfpReport(const Command& command, const std::vector<MaterialInputs>& materials,
                                       std::FILE* out);

} // namespace korvane::cli
