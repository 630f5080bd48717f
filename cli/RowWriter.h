#pragma once

#include "cli/CommandLine.h"
#include "core/Result.h"
#include "core/TableWriter.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace korvane::cli {

struct Column {
    const char* key;            // CSV header and JSON member name
    QString title;              // table header
    bool numeric = false;       // right-aligned in the table
    bool hideWhenEmpty = false; // left out of the table when no row fills it
};

// One value of a row. A Single shows in the table with `decimals` digits,
// rounded like the window (or shortest when -1); CSV and JSON always carry
// its full value, the shortest text that reads back as the same Single.
struct Cell {
    enum class Kind { Empty, Text, Integer, Single };
    Kind kind = Kind::Empty;
    QString text;
    qint64 integer = 0;
    float single = 0;
    int decimals = -1;
    bool exponent = false; // full value in the shortest form, 3.21e-17 rather than 0.0000000000000000321

    static Cell empty() { return {}; }
    static Cell ofText(const QString& text) { return {Kind::Text, text}; }
    static Cell ofInteger(qint64 value) { return {Kind::Integer, {}, value}; }
    static Cell ofSingle(float value, int decimals = -1) { return {Kind::Single, {}, 0, value, decimals}; }
    static Cell ofSingleWithExponent(float value) { return {Kind::Single, {}, 0, value, -1, true}; }
    template <typename T>
    static Cell ofOptional(const std::optional<T>& value)
    {
        if (!value)
            return {};
        if constexpr (std::is_integral_v<T>)
            return ofInteger(*value);
        else
            return ofSingle(*value);
    }
};

using Row = std::vector<Cell>;

// The most rows a table holds: it keeps every row until the last to know its
// column widths. CSV and JSON have no such bound.
inline constexpr int kMaxTableRows = 100'000;

// Writes rows under fixed columns as an aligned table, CSV or JSON. CSV and
// JSON stream each row out at once; the table waits for every row to know
// its column widths. Numbers always use the full stop; control characters in
// texts are written as escapes in every format.
class RowWriter {
public:
    RowWriter(OutputFormat format, const std::vector<Column>& columns, std::FILE* out);
    // False when the row cannot be written: the output failed, or a table
    // would hold more than kMaxTableRows rows. failure() tells which.
    bool write(const Row& row);
    // Ends the output and flushes it; nothing is written after it. Fails
    // when any of the output could not be written.
    Result<void> finish();
    // Why a write was refused; empty while every write went through.
    const std::optional<Failed>& failure() const { return failure_; }

private:
    std::string_view encoded(size_t column, const QString& text);
    void writeNumber(const Cell& cell);
    // Keeps the failure when the output has failed.
    bool written(bool output);

    OutputFormat format_;
    TableWriter table_;
    // Each column's last text and its cell, kept while the text repeats from
    // row to row (the material's name, the form), the common case.
    std::vector<std::pair<QString, std::string>> lastTexts_;
    int rows_ = 0;
    std::optional<Failed> failure_;
};

// A table asked to hold more than kMaxTableRows rows (OutOfRange).
Failed tooManyTableRows();

// A failed write to the output, with the reason errno gives (Storage).
Failed outputFailure();

std::unique_ptr<RowWriter> makeRowWriter(OutputFormat format, std::vector<Column> columns, std::FILE* out);

} // namespace korvane::cli
