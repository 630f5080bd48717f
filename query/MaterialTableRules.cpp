#include "query/MaterialTableRules.h"

#include <algorithm>
#include <cctype>

namespace korvane {

namespace {

constexpr int kIdColumn = 0, kDescriptionColumn = 1, kNameColumn = 2, kDensityColumn = 3;

const std::string kTable = kMaterialTableName;

bool sameName(const std::string& a, const char* b)
{
    const std::string other = b;
    return a.size() == other.size() && std::equal(a.begin(), a.end(), other.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// Blanks and line breaks as one blank, none at the ends.
std::string simplified(const std::string& text)
{
    std::string out;
    bool blank = false;
    for (const char c : text) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            blank = !out.empty();
            continue;
        }
        if (blank)
            out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

} // namespace

Result<void> checkMaterialTableType(const std::string& type)
{
    if (type.empty())
        return Failed{"it has no table " + kTable};
    if (type != "table")
        return Failed{"its " + kTable + " is a" + (type == "index" ? "n " : " ") + type + ", not a table"};
    return {};
}

Result<MaterialColumns> checkMaterialColumns(const std::vector<TableColumnInfo>& columns)
{
    if (columns.empty())
        return Failed{"it has no table " + kTable};
    for (std::size_t c = 0; c < kMaterialColumnNames.size(); ++c) {
        if (int(c) == kDescriptionColumn)
            continue; // the second column may hold anything
        const char* wanted = kMaterialColumnNames[c];
        if (std::none_of(columns.begin(), columns.end(),
                         [&](const TableColumnInfo& column) { return sameName(column.name, wanted); }))
            return Failed{"the table " + kTable + " has no column \"" + wanted + "\""};
    }
    if (columns.size() < 3 || !sameName(columns[0].name, kMaterialColumnNames[kIdColumn])
        || !sameName(columns[2].name, kMaterialColumnNames[kNameColumn]))
        return Failed{"the table " + kTable + " must have \"ID\" as its first and \"Name\" as its third column"};
    int keyColumns = 0;
    bool idInKey = false;
    for (const TableColumnInfo& column : columns) {
        if (column.inPrimaryKey) {
            ++keyColumns;
            idInKey = idInKey || sameName(column.name, kMaterialColumnNames[kIdColumn]);
        }
    }
    return MaterialColumns{columns[1].name, keyColumns == 1 && idInKey};
}

Result<void> checkQuickCheck(const std::string& answer)
{
    if (answer == "ok")
        return {};
    return Failed{"the database disk image is malformed (" + simplified(answer) + ")"};
}

Result<void> checkUnreadableRow(const std::vector<CellValue>& row)
{
    using Type = CellValue::Type;
    if (row.empty() || row[0].type != Type::Integer)
        return Failed{row.empty() || row[0].type == Type::Null
                          ? "a material has no ID"
                          : "a material has the ID \"" + row[0].text + "\", which is not a whole number"};
    const std::string& id = row[0].text;
    if (row.size() > 1 && row[1].type == Type::Blob)
        return Failed{"the material with ID " + id + " has binary data for a name"};
    for (std::size_t c = kDensityColumn; c < kMaterialColumnNames.size() && c - 1 < row.size(); ++c) {
        const CellValue& value = row[c - 1];
        if (value.type == Type::Text)
            return Failed{"the material with ID " + id + " holds the text \"" + value.text + "\" in the column \""
                          + kMaterialColumnNames[c] + "\", where a number belongs"};
        if (value.type == Type::Blob)
            return Failed{"the material with ID " + id + " holds binary data in the column \"" + kMaterialColumnNames[c]
                          + "\", where a number belongs"};
    }
    return {};
}

Failed repeatedId(std::int64_t id)
{
    return Failed{"two materials have the ID " + std::to_string(id)};
}

} // namespace korvane
