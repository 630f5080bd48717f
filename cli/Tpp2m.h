#pragma once

#include <QStringList>

#include <cstdio>

namespace korvane::cli {

// Runs tpp2m with the arguments that follow the program name: results on
// `out`, one line per error or note on `err`. Returns the exit status; on an
// error nothing is written to `out`.
int runTpp2m(const QStringList& arguments, std::FILE* out, std::FILE* err);

} // namespace korvane::cli
