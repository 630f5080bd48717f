#pragma once

// Takes: what SQLite tells of a materials file, as plain values: what the
// table's name is in its schema, the table's columns with their key flags (PRAGMA table_info), the answer of PRAGMA
// quick_check, the first row with a value the program cannot read, an ID
// held twice. Gives: whether the file can be read as a materials table, and
// when not, the reason in the words the desktop, tpp2m and the browser page
// all say ("it has no table tblIMFPdata", "its tblIMFPdata is a view, not a
// table", "the table tblIMFPdata has no column "Density"", ...).

#include "core/Result.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace korvane {

inline constexpr const char* kMaterialTableName = "tblIMFPdata";

// The exact column names of tblIMFPdata, in table order; the second may be
// named otherwise in a file.
inline constexpr std::array<const char*, 10> kMaterialColumnNames = {
    "ID",          "Description",   "Name",    "Density", "Atomic wght", "Energy gap 300 K",
    "valel s+p,n", "valel s+p,n+1", "valel d", "valel f",
};

// A row of PRAGMA table_info: a column's name and whether it is part of the
// primary key.
struct TableColumnInfo {
    std::string name;
    bool inPrimaryKey = false;
};

struct MaterialColumns {
    std::string secondColumn; // the second column's name in this file
    bool idIsKey = false;     // "ID" alone is the primary key, so no ID is there twice
};

// What the file's schema holds under the table's name, letter case aside, as
// sqlite_master's type ("table", "view", "index"; empty for nothing). Only a
// table is read: a view's rows come from a query, which may never end.
Result<void> checkMaterialTableType(const std::string& type);

// The table's columns: all of the program's columns (letter case aside, the
// second column may hold anything), "ID" first and "Name" third.
Result<MaterialColumns> checkMaterialColumns(const std::vector<TableColumnInfo>& columns);

// The answer of PRAGMA quick_check: "ok", or what is damaged.
Result<void> checkQuickCheck(const std::string& answer);

// A value of a row as SQLite holds it; `text` is SQLite's text of it.
struct CellValue {
    enum class Type { Null, Integer, Real, Text, Blob };
    Type type = Type::Null;
    std::string text;
};

// The first row with an ID that is not a whole number, binary data for a
// name, or text or binary data in a numeric column, as the schema's
// firstUnreadableRow selects it: the ID, the name, then the numeric columns.
Result<void> checkUnreadableRow(const std::vector<CellValue>& row);

// An ID that two materials hold.
Failed repeatedId(std::int64_t id);

} // namespace korvane
