#pragma once

#include <QString>

namespace korvane::cli {

// The exit statuses of tpp2m.
enum ExitStatus : int {
    kSuccess = 0,
    kNotFound = 1, // a material, the database or the output file cannot be had
    kBadInput = 2, // the command line is wrong: an option, a value, a formula
};

// What ends a run before any output: one line for standard error and the status.
struct Failure {
    QString message;
    ExitStatus status = kBadInput;
};

} // namespace korvane::cli
