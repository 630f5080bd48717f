#pragma once

#include "core/Result.h"
#include "materials/model/Material.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace korvane {

// One material as a file of materials gives it: each column's text, or no
// value for an empty cell (CSV) or null (JSON), or for a column the file
// does not have.
struct FileRow {
    QString where; // "line 5" of a CSV file, "row 4" of a JSON array
    std::array<std::optional<QString>, kColumnCount> cells;
    QString problem; // what makes the row unreadable; empty when it was read
};

struct MaterialFile {
    std::vector<FileRow> rows;
    std::array<bool, kColumnCount> hasColumn{}; // the columns the file names
};

// The largest CSV record, the largest JSON file and the most materials that
// are read. Beyond them reading stops, so a hostile file costs no more
// memory than this.
inline constexpr qint64 kMaxRecordBytes = 136 * 1024;
// A row of the longest name and description fits: each character of a name
// is at most 4 bytes of UTF-8, each UTF-16 code unit of a description at most
// 3, a quote doubled is 2, and the numbers are short.
static_assert(kMaxNameLength * 4 + kMaxDescriptionLength * 3 + 1024 <= kMaxRecordBytes);
inline constexpr qint64 kMaxJsonBytes = 64 * 1024 * 1024;
inline constexpr qsizetype kMaxRows = 250000;

// Reads a file of materials as the export writes it, or as a user writes it
// by hand with the same columns: CSV (a header of column names, then one
// material per record, RFC 4180 quoting) or JSON (an array of objects whose
// members are named by the columns). The format is told by the first
// character: "[" or "{" is JSON. Numbers are texts here: they are checked later,
// with the rules every written material meets (checkMaterial). A row that
// cannot be read is kept with its problem beside the good ones; what makes
// the whole file unusable fails the reading: a file that cannot be opened
// (Storage), one beyond the limits above (OutOfRange), or text that is no
// file of materials (InvalidInput).
Result<MaterialFile> readMaterialFile(const QString& path);

} // namespace korvane
