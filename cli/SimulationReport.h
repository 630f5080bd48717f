#pragma once

#include "cli/CommandLine.h"
#include "cli/ExitStatus.h"
#include "lookup/MaterialInputs.h"

#include <cstdio>
#include <optional>

namespace korvane::cli {

// tpp2m simulate: one row per material, energy and form with the paths, the
// albedo, MED and ID with their standard errors; with --profile, one row per
// depth instead, with phi, CF, the attenuation length and the two
// approximations beside them where they hold.
std::optional<Failure> writeSimulationReport(const Command& command, const std::vector<MaterialInputs>& materials,
                                             std::FILE* out);

} // namespace korvane::cli
