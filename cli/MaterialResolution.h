#pragma once

#include "cli/CommandLine.h"
#include "cli/ExitStatus.h"
#include "cli/MaterialInputs.h"

#include <optional>
#include <vector>

namespace korvane::cli {

struct ResolvedMaterials {
    std::vector<MaterialInputs> materials; // in the order of the command line
    std::optional<Failure> failure;
};

// Looks up the command's materials: names and IDs in the database, formulas
// through its element rows. Opens the database only when one is needed.
ResolvedMaterials resolveMaterials(const Command& command);

} // namespace korvane::cli
