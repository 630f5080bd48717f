#pragma once

#include "cli/CommandLine.h"
#include "cli/ExitStatus.h"
#include "lookup/MaterialCatalog.h"

#include <cstdio>

namespace korvane::cli {

// tpp2m list: every material with its ID, name, density, mass, gap and the
// valence total of the chosen groups. What ended the output early, if anything.
std::optional<Failure> writeMaterialList(const Command& command, const MaterialCatalog& catalog, std::FILE* out);

} // namespace korvane::cli
