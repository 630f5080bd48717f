#pragma once

#include "materials/Sqlite.h"

#include <QString>

namespace korvane {

// The name of the materials table's second column, which differs from file
// to file ("Description" in the files the program creates).
QString secondColumnName(const sqlite::Connection& db);

// The columns of a row in table order, quoted for SQL, with the second
// column under its name in this file.
QString quotedColumns(const QString& secondColumn);

} // namespace korvane
