#pragma once

#include "cli/CommandLine.h"

#include <cstdio>

namespace korvane::cli {

// tpp2m export: the users' materials (or all) as CSV or JSON on `out`.
int exportCommand(const Command& command, std::FILE* out, std::FILE* err);

// tpp2m import FILE: adds the file's materials to the database in one
// transaction, or, when any row is bad, writes nothing and names the bad
// rows on `err`. The only command of tpp2m that writes to the database.
int importCommand(const Command& command, std::FILE* out, std::FILE* err);

} // namespace korvane::cli
