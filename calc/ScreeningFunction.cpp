#include "calc/ScreeningFunction.h"

#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

namespace korvane {

namespace {

struct ScreeningRow {
    ScreeningFunction function;
    std::string symbol;
};

double readNumber(std::string_view field)
{
    double value = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (ec != std::errc() || end != field.data() + field.size())
        throw std::logic_error("screening table: not a number: " + std::string(field));
    return value;
}

std::vector<std::string_view> splitTabs(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string_view::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

// Rows indexed by Z - 1. Comment lines start with '#', the header with "Z".
// A3 = 1 - A1 - A2 in double precision, 0 when it is below 1e-15 in size, as
// the table's header defines it.
std::vector<ScreeningRow> readTable()
{
    std::vector<ScreeningRow> rows;
    std::string_view text = screeningTableText();
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#' || line.front() == 'Z')
            continue;
        const std::vector<std::string_view> f = splitTabs(line);
        if (f.size() != 7)
            throw std::logic_error("screening table: a row without seven fields");
        ScreeningRow row;
        row.function.atomicNumber = static_cast<int>(readNumber(f[0]));
        row.symbol = std::string(f[1]);
        const double a1 = readNumber(f[2]);
        const double a2 = readNumber(f[3]);
        double a3 = 1.0 - a1 - a2;
        if (std::fabs(a3) < 1e-15)
            a3 = 0.0;
        row.function.amplitude = {a1, a2, a3};
        row.function.decay = {readNumber(f[4]), readNumber(f[5]), readNumber(f[6])};
        if (row.function.atomicNumber != static_cast<int>(rows.size()) + 1)
            throw std::logic_error("screening table: rows out of order");
        rows.push_back(row);
    }
    if (rows.size() != kLastElement)
        throw std::logic_error("screening table: not 103 elements");
    return rows;
}

const std::vector<ScreeningRow>& table()
{
    static const std::vector<ScreeningRow> rows = readTable();
    return rows;
}

const ScreeningRow& row(int atomicNumber)
{
    if (atomicNumber < 1 || atomicNumber > kLastElement)
        throw std::out_of_range("no screening function for Z = " + std::to_string(atomicNumber));
    return table()[static_cast<std::size_t>(atomicNumber - 1)];
}

} // namespace

const ScreeningFunction& screeningFunction(int atomicNumber)
{
    return row(atomicNumber).function;
}

std::string_view elementSymbol(int atomicNumber)
{
    return row(atomicNumber).symbol;
}

int atomicNumberOf(std::string_view symbol)
{
    for (const ScreeningRow& r : table())
        if (r.symbol == symbol)
            return r.function.atomicNumber;
    return 0;
}

} // namespace korvane
