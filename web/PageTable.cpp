#include "web/PageTable.h"

#include "core/NumberText.h"
#include "core/TableWriter.h"
#include "core/TextEscapes.h"

namespace korvane::page {

TableCell TableCell::ofSingle(float value, int decimals)
{
    const std::string full = numbers::shortestFixed(value);
    return {Kind::Number, decimals < 0 ? full : numbers::fixed(value, decimals), full};
}

TableCell TableCell::ofSingleWithExponent(float value)
{
    const std::string full = numbers::shortest(value);
    return {Kind::Number, full, full};
}

TableCell TableCell::ofInteger(long long value)
{
    return {Kind::Number, std::to_string(value), std::to_string(value)};
}

std::string tableJson(const PageTable& table)
{
    const auto list = [](std::string& json, const std::vector<std::string>& texts) {
        json += '[';
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (i)
                json += ',';
            text::appendJsonString(json, texts[i]);
        }
        json += ']';
    };
    std::string json = "{\"columns\":";
    list(json, table.columns);
    json += ",\"rows\":[";
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        json += r ? ",[" : "[";
        for (std::size_t c = 0; c < table.rows[r].size(); ++c) {
            const TableCell& cell = table.rows[r][c];
            if (c)
                json += ',';
            if (cell.kind == TableCell::Kind::Empty) {
                json += "null";
                continue;
            }
            json += "{\"text\":";
            text::appendJsonString(json, cell.text);
            json += ",\"value\":";
            text::appendJsonString(json, cell.value);
            json += '}';
        }
        json += ']';
    }
    json += "],\"errors\":";
    list(json, table.errors);
    json += ",\"notes\":";
    list(json, table.notes);
    return json + '}';
}

std::string tableCsv(const PageTable& table)
{
    std::vector<TableColumn> columns;
    for (const std::string& name : table.columns)
        columns.push_back({name});
    TableWriter csv(TableFormat::Csv, columns);
    for (const std::vector<TableCell>& row : table.rows) {
        for (const TableCell& cell : row) {
            if (cell.kind == TableCell::Kind::Empty)
                csv.empty();
            else if (cell.kind == TableCell::Kind::Text)
                csv.text(cell.value);
            else
                csv.number(cell.value);
        }
        csv.endRow(); // in memory: nothing to fail
    }
    return csv.finishedText();
}

} // namespace korvane::page
