#pragma once

#include "materials/store/MaterialDatabase.h"

#include <QString>

#include <cstdio>

namespace korvane {

enum class ExchangeFormat { Csv, Json };

// Writes the materials of the database at `path` to `out`: those added by
// users (ID from the first compound's on), or every one with `all`, in ID
// order. Every column as it is stored: whole numbers as they are, other
// numbers as the shortest text that reads back as the same Double, texts
// byte for byte, an empty (null) column as an empty CSV cell or JSON null
// (an empty text is "" in both), so that an import gives back the same rows.
// Fails, with the reason, when the database cannot be read or `out` cannot
// be written.
Result<void> exportMaterials(const QString& path, bool all, ExchangeFormat format, std::FILE* out,
                             WhenMissing whenMissing = WhenMissing::Refuse);

} // namespace korvane
