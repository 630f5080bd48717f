#pragma once

#include "cli/CommandLine.h"
#include "core/Result.h"
#include "lookup/MaterialCatalog.h"

#include <cstdio>

namespace korvane::cli {

// tpp2m list: every material with its ID, name, density, mass, gap and the
// valence total of the chosen groups. What ended the output early, if anything.
Result<void> writeMaterialList(const Command& command, const MaterialCatalog& catalog, std::FILE* out);

} // namespace korvane::cli
