#pragma once

#include "cli/CommandLine.h"
#include "core/Result.h"
#include "lookup/MaterialInputs.h"

#include <cstdio>

namespace korvane::cli {

// tpp2m stack: the signal of each layer of the stack (the materials, the
// substrate last) at each energy and angle, one row per layer; with lines,
// the density of the line's element in the layer and the intensity.
Result<void> writeStackReport(const Command& command, const std::vector<MaterialInputs>& materials, std::FILE* out);

} // namespace korvane::cli
