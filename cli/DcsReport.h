#pragma once

#include "cli/CommandLine.h"
#include "cli/ExitStatus.h"
#include "lookup/MaterialInputs.h"

#include <cstdio>
#include <optional>

namespace korvane::cli {

// tpp2m dcs: one row per material, energy and angle with the differential
// elastic cross-section of one formula unit in cm^2/sr.
std::optional<Failure> writeDcsReport(const Command& command, const std::vector<MaterialInputs>& materials,
                                      std::FILE* out);

} // namespace korvane::cli
