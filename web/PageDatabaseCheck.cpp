#include "web/PageDatabaseCheck.h"

#include "query/MaterialTableRules.h"

#include <cstdlib>
#include <vector>

namespace korvane::page {

namespace {

PageResults cannotOpen(const std::string& fileName, const std::string& reason)
{
    return {{}, {"the materials database " + fileName + " cannot be opened: " + reason}, {}};
}

std::vector<TableColumnInfo> columns(const PageQuery& facts)
{
    std::vector<TableColumnInfo> info;
    for (int i = 0;; ++i) {
        const std::string name = "column." + std::to_string(i);
        const std::optional<std::string> column = facts.value(name);
        if (!column)
            return info;
        info.push_back({*column, facts.value(name + ".key").value_or("0") != "0"});
    }
}

CellValue::Type cellType(const std::string& type)
{
    using Type = CellValue::Type;
    return type == "integer" ? Type::Integer
        : type == "real"     ? Type::Real
        : type == "text"     ? Type::Text
        : type == "blob"     ? Type::Blob
                             : Type::Null;
}

// The row as the statement gives it: the ID, the name, the numeric columns,
// then the ID's type and text in SQLite's words, which stand for the ID
// itself, since the script's numbers do not tell an ID of 3.0 from 3.
std::vector<CellValue> unreadableRow(const PageQuery& facts, const std::string& prefix)
{
    std::vector<CellValue> row;
    for (int i = 0;; ++i) {
        const std::string name = prefix + std::to_string(i);
        const std::optional<std::string> type = facts.value(name + ".type");
        if (!type)
            break;
        row.push_back({cellType(*type), facts.value(name).value_or("")});
    }
    if (row.size() == kMaterialColumnNames.size() + 1) {
        row.front() = {cellType(row[row.size() - 2].text), row.back().text};
        row.resize(row.size() - 2);
    }
    return row;
}

} // namespace

PageResults checkDatabase(const PageQuery& facts, const std::string& fileName)
{
    if (const Result<void> type = checkMaterialTableType(facts.value("table-type").value_or("")); !type)
        return cannotOpen(fileName, type.error());
    const Result<MaterialColumns> checked = checkMaterialColumns(columns(facts));
    if (!checked)
        return cannotOpen(fileName, checked.error());
    Result<void> check = checkQuickCheck(facts.value("quick-check").value_or(""));
    // A table keyed by "ID" holds only whole IDs, so its IDs are not looked at.
    const std::string row = checked->idIsKey ? "keyed-row." : "row.";
    if (check && facts.value(row + "0.type"))
        check = checkUnreadableRow(unreadableRow(facts, row));
    if (const std::optional<std::string> id = facts.value("repeated-id"); check && id && !checked->idIsKey)
        check = repeatedId(std::strtoll(id->c_str(), nullptr, 10));
    if (!check)
        return cannotOpen(fileName, check.error());
    return {};
}

PageResults unusableDatabase(const std::string& fileName, const std::string& sqliteWords)
{
    return cannotOpen(fileName, sqliteWords.empty() ? "it is not a materials database" : sqliteWords);
}

} // namespace korvane::page
