#pragma once

#include "cli/CommandLine.h"
#include "cli/ExitStatus.h"
#include "lookup/MaterialInputs.h"

#include <cstdio>
#include <optional>

namespace korvane::cli {

// tpp2m thickness: the thickness of the overlayer (the first material) on the
// substrate (the second) from the measured and the bulk intensity ratios,
// with the overlayer's IMFP at both peak energies; one row.
std::optional<Failure> writeThicknessReport(const Command& command, const std::vector<MaterialInputs>& materials,
                                            std::FILE* out);

} // namespace korvane::cli
