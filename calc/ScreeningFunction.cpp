#include "calc/ScreeningFunction.h"

#include "calc/TextTable.h"

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

// Rows indexed by Z - 1.
// A3 = 1 - A1 - A2 in double precision, 0 when it is below 1e-15 in size, as
// the table's header defines it.
std::vector<ScreeningRow> readTable()
{
    std::vector<ScreeningRow> rows;
    texttable::forEachRow(screeningTableText(), [&](const std::vector<std::string_view>& f, std::string_view) {
        if (f.size() != 7)
            throw std::logic_error("screening table: a row without seven fields");
        auto number = [](std::string_view field) { return texttable::number(field, "screening table"); };
        ScreeningRow row;
        row.function.atomicNumber = static_cast<int>(number(f[0]));
        row.symbol = std::string(f[1]);
        const double a1 = number(f[2]);
        const double a2 = number(f[3]);
        double a3 = 1.0 - a1 - a2;
        if (std::fabs(a3) < 1e-15)
            a3 = 0.0;
        row.function.amplitude = {a1, a2, a3};
        row.function.decay = {number(f[4]), number(f[5]), number(f[6])};
        if (row.function.atomicNumber != static_cast<int>(rows.size()) + 1)
            throw std::logic_error("screening table: rows out of order");
        rows.push_back(row);
    });
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
