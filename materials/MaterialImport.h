#pragma once

#include "materials/MaterialDatabase.h"
#include "materials/MaterialFileReader.h"

#include <QStringList>

namespace korvane {

struct ImportResult {
    // One entry per bad row, "line 5 ("SiO2"): density must be numeric"; when
    // there is any, nothing was written.
    QStringList badRows;
    QString error; // the database could not be opened or written; nothing was written
    int added = 0;
    int replaced = 0;
    int elementsLeftOut = 0; // rows with an ID below the first compound's
};

// Adds the materials of a file to the database at `path`, in one
// transaction. Every row is checked first, with the rules of the window's
// Save; one bad row means nothing is written. A name already in the table
// is refused, unless `replace` is given, when that material takes the
// file's values and keeps its ID. Rows with an ID below the first
// compound's are elements and are left out; the database gives the new
// materials their IDs. While another copy of the program is writing, the
// import waits for it as Save does.
ImportResult importMaterials(const QString& path, const MaterialFile& file, bool replace,
                             WhenMissing whenMissing = WhenMissing::Refuse);

} // namespace korvane
