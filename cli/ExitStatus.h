#pragma once

#include "core/Result.h"

namespace korvane::cli {

// The exit statuses of tpp2m.
enum ExitStatus : int {
    kSuccess = 0,
    kNotFound = 1, // a material, the database or the output file cannot be had
    kBadInput = 2, // the command line is wrong: an option, a value, a formula
};

// The exit status of a run that ends with a failure of this kind: what
// cannot be had (NotFound, Storage, and nothing with a physical value to
// show) ends with kNotFound, a wrong command line with kBadInput.
ExitStatus exitStatusOf(ErrorCode code);

} // namespace korvane::cli
