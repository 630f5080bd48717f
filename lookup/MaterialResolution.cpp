#include "lookup/MaterialResolution.h"

#include "lookup/MaterialCache.h"
#include "materials/model/RowFormulaSum.h"
#include "presentation/ResultText.h"
#include "query/MaterialNotFound.h"

#include <list>

namespace korvane {

namespace {

Failed unreadableDatabase(const QString& path, const QString& reason)
{
    return failed(QStringLiteral("the materials database %1 cannot be read: %2").arg(path, reason), ErrorCode::Storage);
}

MaterialInputs fromRow(const Material& row, const ValenceTicks& groups)
{
    return {row.name, row.id, {row.density, row.atomicWeight, row.energyGap, valenceTotal(row, groups)}};
}

// Nv and M of a formula unit, summed over its elements' rows as the
// window's "Material from a formula" sums them.
Result<MaterialInputs> fromFormula(const FormulaMaterial& given, MaterialCache::Lookup& lookup,
                                   const QString& databasePath, const ValenceTicks& groups)
{
    std::list<Material> elements; // the rows the sum points to
    std::optional<QString> unreadable;
    bool unknownElement = false; // a symbol no element row has, which is a typing fault
    const Result<FormulaSum> sum = sumFormula(
        given.formula,
        [&](const QString& symbol) -> const Material* {
            Result<std::optional<Material>> row = lookup.element(symbol);
            if (!row)
                unreadable = errorText(row);
            else if (!*row)
                unknownElement = true;
            if (!row || !*row)
                return nullptr;
            return &elements.emplace_back(std::move(**row));
        },
        [&groups](const Material& element) { return valenceTotal(element, groups); });
    if (unreadable)
        return unreadableDatabase(databasePath, *unreadable);
    if (!sum) {
        if (sum.code() == ErrorCode::InvalidInput) // the formula's text
            return failed(QStringLiteral("--formula: %1").arg(errorText(sum)), ErrorCode::InvalidInput);
        if (unknownElement)
            return Failed{sum.error(), ErrorCode::InvalidInput};
        return sum.failure();
    }
    return MaterialInputs{given.formula, std::nullopt, {given.density, sum->mass, given.bandGap, sum->valenceElectrons}};
}

// The database row named or numbered as asked, with a hint at a name that
// differs only in letter case when there is none. A bare number that is one
// material's ID and another's name is refused as ambiguous.
Result<MaterialInputs> fromDatabase(const NamedMaterial& named, MaterialCache::Lookup& lookup,
                                    const MaterialSource& source)
{
    const QString& wanted = named.nameOrId;
    using By = NamedMaterial::By;
    bool isId = false;
    const qint64 id = wanted.toLongLong(&isId);
    Result<std::optional<Material>> row = named.by == By::Id
        ? (isId ? lookup.findId(id) : Result(std::optional<Material>()))
        : named.by == By::Name ? lookup.findName(wanted)
                               : lookup.find(wanted);
    if (row && !*row && named.by == By::NameOrId)
        row = lookup.findName(wanted); // a name that looks like an ID no material has
    if (!row)
        return unreadableDatabase(source.databasePath, errorText(row));
    if (named.by == By::NameOrId && *row && (*row)->name != wanted) {
        const Result<std::optional<Material>> alsoNamed = lookup.findName(wanted);
        if (!alsoNamed)
            return unreadableDatabase(source.databasePath, errorText(alsoNamed));
        if (*alsoNamed)
            return failed(QStringLiteral("\"%1\" is ambiguous: the ID of %2 and the name of the material with "
                                         "ID %3; say --id %1 or --name %1")
                              .arg(wanted, (*row)->name)
                              .arg((*alsoNamed)->id),
                          ErrorCode::Ambiguous);
    }
    if (!*row) {
        const QString other = lookup.nameInOtherCase(wanted);
        return failed(QString::fromStdString(
                          noMaterial(wanted.toStdString(), source.databasePath.toStdString(), other.toStdString())),
                      ErrorCode::NotFound);
    }
    return fromRow(**row, source.groups);
}

bool needsDatabase(const MaterialRef& ref)
{
    return !std::holds_alternative<MaterialByValues>(ref);
}

} // namespace

Result<std::vector<MaterialInputs>> resolveMaterials(const std::vector<MaterialRef>& materials,
                                                     const MaterialSource& source)
{
    std::optional<Result<MaterialCache::Lookup>> lookup;
    if (std::any_of(materials.begin(), materials.end(), needsDatabase)) {
        lookup.emplace(MaterialCache::shared().open(source.databasePath, source.whenMissing));
        if (!*lookup)
            return failed(QStringLiteral("the materials database %1 cannot be opened: %2")
                              .arg(source.databasePath, errorText(*lookup)),
                          ErrorCode::NotFound);
    }
    std::vector<MaterialInputs> resolved;
    for (const MaterialRef& ref : materials) {
        if (const auto* given = std::get_if<MaterialByValues>(&ref)) {
            resolved.push_back({QStringLiteral("(inline)"), std::nullopt,
                                {given->density, given->mass, given->bandGap, given->valenceElectrons}});
            continue;
        }
        const Result<MaterialInputs> one = std::holds_alternative<FormulaMaterial>(ref)
            ? fromFormula(std::get<FormulaMaterial>(ref), **lookup, source.databasePath, source.groups)
            : fromDatabase(std::get<NamedMaterial>(ref), **lookup, source);
        if (!one)
            return one.failure();
        resolved.push_back(*one);
    }
    return resolved;
}

} // namespace korvane
