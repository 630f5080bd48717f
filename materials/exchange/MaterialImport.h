#pragma once

#include "materials/store/MaterialDatabase.h"
#include "materials/exchange/MaterialFileReader.h"

#include <QStringList>

namespace korvane {

struct ImportResult {
    // One entry per bad row, "line 5 ("SiO2"): density must be numeric"; when
    // there is any, nothing was written.
    QStringList badRows;
    int added = 0;
    int replaced = 0;
    int elementsLeftOut = 0; // rows of an element's name with an ID below the first compound's
    int alreadyThere = 0;    // rows the same as a stored one in every column but the ID
};

// Adds the materials of a file to the database at `path`, in one
// transaction. Every row is checked first, with the rules every saved
// material meets; one bad row means nothing is written. A name already in the table
// is refused, unless `replace` is given, when that material takes the
// file's values and keeps its ID; a row the same as a stored one in every
// column the file has but the ID is already there and is not written. Rows
// with an element's name and an ID below the first compound's are elements
// and are left out; any other row is a user's, whatever its ID: the database
// gives the new materials their IDs. A name longer than kMaxNameLength, a
// description longer than kMaxDescriptionLength and a number too small for a
// Single are refused, never cut. While another copy of the program is writing, the
// import waits for it as Save does. It fails, and writes nothing, when the
// database cannot be opened or written.
Result<ImportResult> importMaterials(const QString& path, const MaterialFile& file, bool replace,
                                     WhenMissing whenMissing = WhenMissing::Refuse);

} // namespace korvane
