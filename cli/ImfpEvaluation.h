#pragma once

#include "cli/CommandLine.h"
#include "lookup/MaterialImfp.h"

#include <vector>

namespace korvane::cli {

// The forms to compute, non-relativistic first.
std::vector<ImfpForm> formsToCompute(Forms forms);

} // namespace korvane::cli
