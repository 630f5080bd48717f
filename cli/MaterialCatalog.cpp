#include "cli/MaterialCatalog.h"

#include "materials/MaterialDatabase.h"
#include "materials/ValenceGroups.h"

#include <algorithm>

namespace korvane::cli {

namespace {

// The ID written as a bare decimal number ("104", not " 104", "+104" or
// "0104"), so that a material whose name is a number is still found by name.
std::optional<qint64> bareId(const QString& text)
{
    if (text.isEmpty() || (text.size() > 1 && text[0] == u'0'))
        return std::nullopt;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    bool ok = false;
    const qint64 id = text.toLongLong(&ok);
    return ok ? std::optional<qint64>(id) : std::nullopt;
}

} // namespace

Result<MaterialCatalog> MaterialCatalog::open(const QString& path, WhenMissing whenMissing)
{
    const OpenedDatabase opened = openMaterialDatabase(path, /*readOnly=*/true, whenMissing);
    if (!opened)
        return Failed{opened.error()};
    const MaterialStore& store = **opened;
    std::vector<Material> rows;
    rows.reserve(size_t(store.storedRowCount()));
    for (int i = 0; i < store.storedRowCount(); ++i) {
        std::optional<Material> row = store.readRow(i);
        if (!row)
            return Failed{QStringLiteral("the material in row %1 cannot be read").arg(i + 1)};
        rows.push_back(std::move(*row));
    }
    return MaterialCatalog(std::move(rows));
}

const Material* MaterialCatalog::find(const QString& nameOrId) const
{
    const std::optional<qint64> id = bareId(nameOrId);
    return id ? findId(*id) : findName(nameOrId);
}

const Material* MaterialCatalog::findId(qint64 id) const
{
    const auto found = std::find_if(rows_.begin(), rows_.end(), [id](const Material& m) { return m.id == id; });
    return found == rows_.end() ? nullptr : &*found;
}

const Material* MaterialCatalog::findName(const QString& name) const
{
    const auto found = std::find_if(rows_.begin(), rows_.end(), [&](const Material& m) { return m.name == name; });
    return found == rows_.end() ? nullptr : &*found;
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
