#pragma once

#include "cli/CommandLine.h"
#include "cli/ExitStatus.h"
#include "lookup/MaterialInputs.h"

#include <cstdio>
#include <optional>

namespace korvane::cli {

// Why a depth run leaves out the corrections, for a note on standard error;
// empty when it does not.
QString depthNote(const Command& command);

// tpp2m depth: for each material, energy and form, the information depth and
// the mean escape depth by the straight-line model, by approximation 1 and,
// with a transport cross-section, by approximation 2; the corrections only
// up to 30° from the surface normal.
std::optional<Failure> writeDepthReport(const Command& command, const std::vector<MaterialInputs>& materials,
                                        std::FILE* out);

} // namespace korvane::cli
