#pragma once

#include "materials/store/DatabaseLocation.h"
#include "materials/model/Material.h"
#include "materials/store/Sqlite.h"
#include "query/ValenceGroups.h"

#include <functional>
#include <memory>
#include <optional>

namespace korvane {

// The materials table of a database opened read-only and checked whole at
// open. Rows are read by SQL as they are asked for, never the whole table
// to find one.
class MaterialCatalog {
public:
    // Opens the database at `path`, creating it from the shipped materials
    // when the file is missing (as the window does) unless `whenMissing`
    // refuses. Fails when it cannot be opened or fails a check.
    static Result<MaterialCatalog> open(const QString& path, WhenMissing whenMissing);

    MaterialCatalog(sqlite::Connection db, QString secondColumn);

    // How many materials the table holds; counting reads no material.
    Result<qint64> count() const;
    // Every material in ID order, handed to `take` one at a time until it
    // answers false. Fails when a row cannot be read.
    Result<void> forEach(const std::function<bool(const Material&)>& take) const;

    // The first material with exactly this name, or with this ID when the
    // text is a bare decimal number; no value when there is none.
    Result<std::optional<Material>> find(const QString& nameOrId) const;
    // The material with this ID; the first with exactly this name.
    Result<std::optional<Material>> findId(qint64 id) const;
    Result<std::optional<Material>> findName(const QString& name) const;
    // The ID written as a bare decimal number ("104", not " 104", "+104" or
    // "0104"), so that a material whose name is a number is still found by name.
    static std::optional<qint64> bareId(const QString& text);
    // The element (ID below the first compound's) with this symbol.
    Result<std::optional<Material>> element(const QString& symbol) const;
    // A name that differs from `name` only in letter case, for a hint; empty if none.
    QString nameInOtherCase(const QString& name) const;

    // Changes whenever another connection has written the file.
    qint64 dataVersion() const;
    // Whether the file is in WAL mode, where commits go to a file beside it.
    bool writesAhead() const;
    // How many rows have been read into materials since the file was opened.
    qint64 rowsRead() const { return rowsRead_; }

private:
    Result<std::optional<Material>> firstRow(sqlite::Statement& select) const;

    sqlite::Connection db_;
    QString secondColumn_;
    std::unique_ptr<sqlite::Statement> dataVersion_; // prepared once: asked at every look
    mutable qint64 rowsRead_ = 0;
};

// The valence-electron total of a material with the chosen groups included:
// each group as the window shows it ("0.0") and reads it back, added in the
// window's order and held as a Single. No value when it is too large.
std::optional<float> valenceTotal(const Material& material, const ValenceTicks& groups);

} // namespace korvane
