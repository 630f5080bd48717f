#pragma once

#include "support/TestMaterials.h"

#include <limits>

namespace korvane::test {

// More materials than tpp2m's table holds (100000 rows).
constexpr int kLargeRows = 100'001;
constexpr qint64 kLastId = std::numeric_limits<qint64>::max();

// The fixture's materials and kLargeRows more, "N0" to "N100000" from ID 1000
// on, and "Last" with the largest ID, written in one transaction.
inline const FixtureDatabase& largeDatabase()
{
    static const FixtureDatabase database([] {
        std::vector<Material> rows = fixtureMaterials();
        rows.reserve(rows.size() + kLargeRows);
        for (int i = 0; i < kLargeRows; ++i) {
            rows.push_back(material(1000 + i, "", 2.5f, 40.0f + float(i % 97), 1.5f, {}, {}, {}, 16));
            rows.back().name = QStringLiteral("N%1").arg(i);
        }
        rows.push_back(material(kLastId, "Last", 1, 2, 3, {}, {}, {}, 4));
        return rows;
    }());
    return database;
}

} // namespace korvane::test
