#pragma once

#include "materials/store/DatabaseLocation.h"
#include "materials/store/MaterialStore.h"
#include "presentation/ResultText.h"
#include "materials/store/Sqlite.h"

#include <memory>

namespace korvane {

// The store over an opened database, or what is wrong with the file.
using OpenedDatabase = Result<std::unique_ptr<MaterialStore>>;

// Opens the materials database at `path`. A missing file is first created
// from the shipped materials (unless `whenMissing` refuses); an existing file
// is never overwritten, and a file that is not a usable materials database
// (damaged ones included) is left untouched: it is checked read-only before
// it is opened for writing.
// With `readOnly`, the store can browse and find but every write fails.
OpenedDatabase openMaterialDatabase(const QString& path, bool readOnly = false,
                                    WhenMissing whenMissing = WhenMissing::Create);

// A database file that passed every check of opening, with a connection to
// it: read-only, or writable with durable commits.
struct CheckedDatabase {
    sqlite::Connection connection;
    QString secondColumn; // the table's second column, by the name the file gives it
};

// Opens and checks the file as `openMaterialDatabase` does, for export and
// import, which read or write it in one transaction without the store.
Result<CheckedDatabase> openCheckedDatabase(const QString& path, bool readOnly, WhenMissing whenMissing);

// Writes a new database file with the given rows. The file appears whole or
// not at all, and never replaces an existing one.
Result<void> createMaterialDatabase(const QString& path, const std::vector<Material>& rows);

} // namespace korvane
