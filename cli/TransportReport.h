#pragma once

#include "cli/CommandLine.h"
#include "cli/ExitStatus.h"
#include "lookup/MaterialCrossSection.h"
#include "lookup/MaterialResolution.h"

#include <cstdio>
#include <optional>

namespace korvane::cli {

// The materials of tpp2m transport: names and IDs from the database, a
// --formula as it is written (S needs no element rows).
Result<std::vector<MaterialInputs>> resolveTransportMaterials(const Command& command);

// tpp2m transport: one row per material (then per --element) and energy,
// with S in a0^2 and in cm^2, or why there is none.
std::optional<Failure> writeTransportReport(const Command& command, const std::vector<MaterialInputs>& materials,
                                            std::FILE* out);

} // namespace korvane::cli
