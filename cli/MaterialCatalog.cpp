#include "cli/MaterialCatalog.h"

#include "materials/MaterialDatabase.h"
#include "materials/ValenceGroups.h"

namespace korvane::cli {

std::unique_ptr<MaterialCatalog> MaterialCatalog::open(const QString& path, QString* error)
{
    const OpenedDatabase opened = openMaterialDatabase(path, /*readOnly=*/true);
    if (!opened.store) {
        *error = opened.error;
        return nullptr;
    }
    std::vector<Material> rows;
    rows.reserve(size_t(opened.store->storedRowCount()));
    for (int i = 0; i < opened.store->storedRowCount(); ++i)
        rows.push_back(opened.store->row(i));
    return std::make_unique<MaterialCatalog>(std::move(rows));
}

const Material* MaterialCatalog::find(const QString& nameOrId) const
{
    bool isId = false;
    const int id = nameOrId.toInt(&isId);
    for (const Material& m : rows_) {
        if (isId ? m.id == id : m.name == nameOrId)
            return &m;
    }
    return nullptr;
}

const Material* MaterialCatalog::element(const QString& symbol) const
{
    for (const Material& m : rows_) {
        if (m.id < kFirstCompoundId && m.name == symbol)
            return &m;
    }
    return nullptr;
}

QString MaterialCatalog::nameInOtherCase(const QString& name) const
{
    for (const Material& m : rows_) {
        if (m.name.compare(name, Qt::CaseInsensitive) == 0)
            return m.name;
    }
    return {};
}

std::optional<float> valenceTotal(const Material& material, const IncludedGroups& groups)
{
    return ValenceGroups::shownFor(material, groups.spHbe, groups.spLbe, groups.d, groups.f).total();
}

} // namespace korvane::cli
