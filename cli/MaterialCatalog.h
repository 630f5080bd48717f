#pragma once

#include "cli/CommandLine.h"
#include "materials/Material.h"

#include <optional>
#include <vector>

namespace korvane::cli {

// The materials table, read once from a database opened read-only.
class MaterialCatalog {
public:
    // Opens the database at `path`, creating it from the shipped materials
    // when the file is missing (as the window does) unless `whenMissing`
    // refuses. Fails when it cannot be opened or a row cannot be read.
    static Result<MaterialCatalog> open(const QString& path, WhenMissing whenMissing);

    explicit MaterialCatalog(std::vector<Material> rows) : rows_(std::move(rows)) {}

    // Every material in ID order.
    const std::vector<Material>& rows() const { return rows_; }

    // The first material with exactly this name, or with this ID when the
    // text is a bare decimal number; null when there is none.
    const Material* find(const QString& nameOrId) const;

    // The material with this ID, or the first with exactly this name; null when there is none.
    const Material* findId(qint64 id) const;
    const Material* findName(const QString& name) const;

    // The element (ID below the first compound's) with this symbol, or null.
    const Material* element(const QString& symbol) const;

    // A name that differs from `name` only in letter case, for a hint; empty if none.
    QString nameInOtherCase(const QString& name) const;

private:
    std::vector<Material> rows_;
};

// The valence-electron total of a material with the chosen groups included:
// each group as the window shows it ("0.0") and reads it back, added in the
// window's order and held as a Single. No value when it is too large.
std::optional<float> valenceTotal(const Material& material, const IncludedGroups& groups);

} // namespace korvane::cli
