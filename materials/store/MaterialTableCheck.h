#pragma once

#include "presentation/ResultText.h"
#include "materials/store/Sqlite.h"

#include <QString>

namespace korvane {

// Checks, without changing anything, that the file holds a materials table
// that can be read whole: a table (not a view) and its columns, every page of the file
// (PRAGMA quick_check), a whole-number ID on every row and no ID twice, and a
// number or nothing in each numeric column. A record that cannot be read is
// damage, never an empty material. Gives the name of the table's second
// column. A file with an interrupted write (a hot journal) fails with the
// connection's extended error SQLITE_READONLY_ROLLBACK when opened read-only.
Result<QString> checkMaterialTable(const sqlite::Connection& db);

} // namespace korvane
