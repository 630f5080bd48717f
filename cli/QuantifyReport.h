#pragma once

#include "cli/CommandLine.h"
#include "core/Result.h"
#include "lookup/MaterialInputs.h"

#include <cstdio>

namespace korvane::cli {

// tpp2m quantify: one row per peak with every factor of its sensitivity and
// its element's atomic percent in the matrix (the first material), under
// the contamination layer (the second) when one is given.
Result<void> writeQuantifyReport(const Command& command, const std::vector<MaterialInputs>& materials, std::FILE* out);

} // namespace korvane::cli
