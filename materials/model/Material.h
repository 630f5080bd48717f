#pragma once

#include "query/ElementRows.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

namespace korvane {

// One row of the materials table tblIMFPdata. Numeric columns hold Singles;
// an empty (null) column is std::nullopt, a null name a null QString.
struct Material {
    qint64 id = 0;
    QString description; // second column: a longer name; no calculation uses it
    QString name;
    std::optional<float> density;      // g/cm3
    std::optional<float> atomicWeight; // g/mol
    std::optional<float> energyGap;    // eV, at 300 K
    std::optional<float> valenceSpHbe; // s+p electrons, higher binding energy
    std::optional<float> valenceSpLbe; // s+p electrons, lower binding energy
    std::optional<float> valenceD;
    std::optional<float> valenceF; // for a compound: its whole valence total

    bool operator==(const Material&) const = default;
};

// Column indexes in table order; ID is the first column and Name the third.
enum class Column : int {
    Id = 0,
    Description = 1,
    Name = 2,
    Density = 3,
    AtomicWeight = 4,
    EnergyGap = 5,
    ValenceSpHbe = 6,
    ValenceSpLbe = 7,
    ValenceD = 8,
    ValenceF = 9,
};

inline constexpr int kColumnCount = 10;

// The longest name, in characters (Unicode code points: an emoji is one),
// and the longest description, in UTF-16 code units (QString's length), that
// a saved material, the import and the export's files all hold whole.
inline constexpr qsizetype kMaxNameLength = 255;
inline constexpr qsizetype kMaxDescriptionLength = 32767;

// The characters of a text: a surrogate pair counts once.
qsizetype characterCount(const QString& text);
// Half of a surrogate pair without its other half, which is no character
// and which SQLite's UTF-8 could only hold as "?".
bool hasLoneSurrogate(const QString& text);

// Materials with an ID below this are the chemical elements.
inline constexpr qint64 kFirstCompoundId = kFirstCompoundRow;

// The ID a new material gets after the largest ID in use (0 for none): the
// next one, and never an element's; none when the largest is the last ID.
constexpr std::optional<qint64> idAfter(qint64 largest)
{
    if (largest == std::numeric_limits<qint64>::max())
        return std::nullopt;
    return std::max(kFirstCompoundId, largest + 1);
}

// The numeric column at `column`, or nullptr for ID, Description and Name.
std::optional<float>* numericField(Material& material, Column column);
const std::optional<float>* numericField(const Material& material, Column column);

} // namespace korvane
