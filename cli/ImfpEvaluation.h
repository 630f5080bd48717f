#pragma once

#include "cli/ImfpOutcome.h"
#include "cli/MaterialResolution.h"

#include <vector>

namespace korvane::cli {

// The forms to compute, non-relativistic first.
std::vector<ImfpForm> formsToCompute(Forms forms);

} // namespace korvane::cli
