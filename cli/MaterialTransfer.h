#pragma once

#include "cli/CommandLine.h"
#include "core/Result.h"

#include <cstdio>

namespace korvane::cli {

// tpp2m export: the users' materials (or all) as CSV or JSON on `out`.
// Whatever stops it, the database or the output, is a Storage failure.
Result<void> exportCommand(const Command& command, std::FILE* out);

// tpp2m import FILE: adds the file's materials to the database in one
// transaction, or, when any row is bad, writes nothing and names the bad
// rows on `err`. The only command of tpp2m that writes to the database.
// Every failure is of a kind that ends with kNotFound; one without words
// (the bad rows, or a report that cannot be written after the materials
// are) has nothing more to say on `err`.
Result<void> importCommand(const Command& command, std::FILE* out, std::FILE* err);

} // namespace korvane::cli
