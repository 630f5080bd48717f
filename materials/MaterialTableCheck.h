#pragma once

#include "materials/Sqlite.h"

#include <QString>

namespace korvane {

// What a look at a database file found.
struct MaterialTableCheck {
    QString secondColumn;       // the name of the table's second column
    QString error;              // what makes the file unusable, in words; empty when it is usable
    bool needsRollback = false; // an interrupted write left a hot journal that must be rolled back first
};

// Checks, without changing anything, that the file holds a materials table
// that can be read whole: the table and its columns, every page of the file
// (PRAGMA quick_check), a whole-number ID on every row and no ID twice, and a
// number or nothing in each numeric column. A record that cannot be read is
// damage, never an empty material.
MaterialTableCheck checkMaterialTable(const sqlite::Connection& db);

} // namespace korvane
