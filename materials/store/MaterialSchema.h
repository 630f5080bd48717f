#pragma once

#include "materials/model/Material.h"
#include "query/MaterialTableRules.h"

#include <QString>

#include <array>
#include <optional>

namespace korvane::sqlite {
class Statement;
}

// The materials table as SQL sees it: its name, its columns in table order
// and every statement the program runs on it. Values always enter as
// numbered parameters (?1, ?2, ...), never as text pasted into the SQL; the
// column names, with their blanks, commas and plus signs, are always quoted.
// The second column's name may differ from file to file, so statements that
// name it take the name the file has.
namespace korvane::schema {

inline constexpr const char* kTableName = kMaterialTableName;

// The exact column names of tblIMFPdata, in table order.
inline constexpr const std::array<const char*, kColumnCount>& kColumnNames = kMaterialColumnNames;

// The name of the column at an index, as the table has it.
inline QString columnName(int column)
{
    return QString::fromLatin1(kColumnNames[size_t(column)]);
}

// Column index for a column name (letter case aside), or -1.
int columnIndex(const QString& name);

// The table as the program creates it.
QString createTable();
// A whole row: ?1 the ID, ?2 the second column, ?3 the name, ?4.. the numbers.
QString insertRow(const QString& secondColumn);
// Gives a statement of insertRow the values of a material.
void bindRow(sqlite::Statement& insert, const Material& material);
// The columns of `columns` (bit i for column i, the ID never among them), in
// table order as ?1, ?2, ...; the ID last, after them.
QString updateColumns(const QString& secondColumn, unsigned columns);
// Gives a statement of updateColumns the values of a material.
void bindColumns(sqlite::Statement& update, const Material& material, unsigned columns);
// The row with the ID ?1.
QString deleteRow();
// The largest ID, or null for an empty table.
QString largestId();
// ?1 rows in the order of their IDs, after skipping ?2, every column in table
// order; from the table's end when `fromEnd`.
QString selectRows(const QString& secondColumn, bool fromEnd);
QString countRows();
// Every row from the ID ?1 on, in the order of their IDs, every column in table order.
QString selectRowsFromId(const QString& secondColumn);
// The ID and the name of every row, in the order of their IDs.
QString idsAndNames();
// The first row, in the order of the IDs, whose name is exactly ?1 and whose
// ID is ?2 at most; every column in table order. A name the file holds as a
// number is compared as its text. The empty text names no material, not
// even one without a name.
QString firstRowNamed(const QString& secondColumn);
// The row with the ID ?1, every column in table order.
QString rowWithId(const QString& secondColumn);
// How many rows have an ID below ?1, and whether one has the ID ?1.
QString placeOfId();
// The ID of the first row from the ID ?1 on whose name `function` accepts.
QString firstMatchingName(const char* function);
// Changes whenever another connection has written the file.
QString dataVersion();
// "wal" for a file in WAL mode.
QString journalMode();

// A row of a statement that selects every column in table order; nullopt
// when a column holds what it cannot (an ID that is not a whole number, text
// in a numeric column).
std::optional<Material> readRow(const sqlite::Statement& select);

// The checks of a file at open (see MaterialTableCheck).
// What the table's name is in the file's schema: "table", "view", ...
QString tableType();
QString tableInfo();
QString quickCheck();
// The first row with binary data for a name or text or binary data in a
// numeric column; with `checkIds` also an ID that is not a whole number.
// Every column in table order but the second, then the ID's type (typeof)
// and its text.
QString firstUnreadableRow(bool checkIds);
QString repeatedId();

} // namespace korvane::schema
