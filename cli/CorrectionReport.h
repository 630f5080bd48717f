#pragma once

#include "cli/CommandLine.h"
#include "cli/ExitStatus.h"
#include "lookup/MaterialInputs.h"

#include <cstdio>

namespace korvane::cli {

// tpp2m cf1 and cf2: one row per depth for each IMFP (given, or computed for
// each material, energy and form), with the correction factor of the
// command's approximation and, for cf2, the transport mean free paths. What
// ended the output early, if anything.
std::optional<Failure> writeCorrectionReport(const Command& command, const std::vector<MaterialInputs>& materials,
                                             std::FILE* out);

} // namespace korvane::cli
