#pragma once

#include "cli/CommandLine.h"
#include "core/Result.h"
#include "lookup/MaterialInputs.h"

#include <cstdio>

namespace korvane::cli {

// tpp2m thickness: the thickness of the overlayer (the first material) on the
// substrate (the second) from the measured and the bulk intensity ratios,
// with the overlayer's IMFP at both peak energies; one row.
Result<void> writeThicknessReport(const Command& command, const std::vector<MaterialInputs>& materials, std::FILE* out);

} // namespace korvane::cli
