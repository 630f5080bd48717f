#pragma once

#include "web/PageQuery.h"
#include "web/PageResults.h"

#include <string>

// What the page's script learnt from a file chosen with "Open database..."
// by running the statements the desktop program runs on it, handed over as
// plain values: "table-type=table" (what the table's name is in the file's
// schema), "column.0=ID&column.0.key=1&..." (PRAGMA table_info),
// "quick-check=ok", the first unreadable row as "row.0=3.5&row.0.type=real&..."
// when there is one (as "keyed-row." the one found without looking at the
// IDs, for a table keyed by "ID"), and "repeated-id=7" when an ID is there
// twice.
namespace korvane::page {

// No errors when the file can be read as a materials database; else, with
// no result, the reason in tpp2m's words.
PageResults checkDatabase(const PageQuery& facts, const std::string& fileName);

// The answer for a file that SQLite cannot read at all, with SQLite's own
// words ("file is not a database") as the desktop gives them, when there are any.
PageResults unusableDatabase(const std::string& fileName, const std::string& sqliteWords);

} // namespace korvane::page
