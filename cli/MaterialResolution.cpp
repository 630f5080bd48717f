#include "cli/MaterialResolution.h"

#include "cli/MaterialCatalog.h"
#include "materials/FormulaSum.h"

namespace korvane::cli {

namespace {

ResolvedMaterials failed(const QString& message, ExitStatus status)
{
    return {{}, Failure{message, status}};
}

MaterialInputs fromRow(const Material& row, const IncludedGroups& groups)
{
    return {row.name, row.id, row.density, row.atomicWeight, row.energyGap, valenceTotal(row, groups)};
}

// Nv and M of a formula unit, summed over its elements' rows as the
// window's "Material from a formula" sums them.
ResolvedMaterials fromFormula(const FormulaMaterial& given, const MaterialCatalog& catalog,
                              const IncludedGroups& groups)
{
    const FormulaSum sum = sumFormula(
        given.formula, [&catalog](const QString& symbol) { return catalog.element(symbol); },
        [&groups](const Material& element) { return valenceTotal(element, groups); });
    switch (sum.problem) {
    case FormulaSum::Problem::None: break;
    case FormulaSum::Problem::Syntax: return failed(QStringLiteral("--formula: %1").arg(sum.error), kBadInput);
    case FormulaSum::Problem::ElementData: return failed(sum.error, kNotFound);
    case FormulaSum::Problem::UnknownElement:
    case FormulaSum::Problem::TooLarge: return failed(sum.error, kBadInput);
    }
    MaterialInputs inputs{given.formula, std::nullopt, given.density, sum.mass, given.bandGap, sum.valenceElectrons};
    return {{inputs}, std::nullopt};
}

bool needsDatabase(const MaterialRef& ref)
{
    return !std::holds_alternative<InlineMaterial>(ref);
}

} // namespace

ResolvedMaterials resolveMaterials(const Command& command)
{
    std::optional<MaterialCatalog> catalog;
    if (std::any_of(command.materials.begin(), command.materials.end(), needsDatabase)) {
        Result<MaterialCatalog> opened = MaterialCatalog::open(command.databasePath, command.whenDatabaseMissing);
        if (!opened)
            return failed(QStringLiteral("the materials database %1 cannot be opened: %2")
                              .arg(command.databasePath, opened.error()),
                          kNotFound);
        catalog = std::move(*opened);
    }
    ResolvedMaterials resolved;
    for (const MaterialRef& ref : command.materials) {
        if (const auto* given = std::get_if<InlineMaterial>(&ref)) {
            resolved.materials.push_back({QStringLiteral("(inline)"), std::nullopt, given->density, given->mass,
                                          given->bandGap, given->valenceElectrons});
        } else if (const auto* given = std::get_if<FormulaMaterial>(&ref)) {
            ResolvedMaterials one = fromFormula(*given, *catalog, command.groups);
            if (one.failure)
                return one;
            resolved.materials.push_back(one.materials.front());
        } else {
            const NamedMaterial& named = std::get<NamedMaterial>(ref);
            const QString& wanted = named.nameOrId;
            const Material* row = named.by == NamedMaterial::By::Id ? catalog->findId(wanted.toLongLong())
                : named.by == NamedMaterial::By::Name               ? catalog->findName(wanted)
                                                                    : catalog->find(wanted);
            if (!row && named.by == NamedMaterial::By::NameOrId)
                row = catalog->findName(wanted); // a name that looks like an ID no material has
            // A bare number that is one material's ID and another's name.
            if (const Material* alsoNamed = named.by == NamedMaterial::By::NameOrId && row && row->name != wanted
                    ? catalog->findName(wanted)
                    : nullptr)
                return failed(QStringLiteral("\"%1\" is ambiguous: the ID of %2 and the name of the material with "
                                             "ID %3; say --id %1 or --name %1")
                                  .arg(wanted, row->name)
                                  .arg(alsoNamed->id),
                              kBadInput);
            if (!row) {
                const QString other = catalog->nameInOtherCase(wanted);
                return failed(
                    QStringLiteral("no material \"%1\" in %2%3")
                        .arg(wanted, command.databasePath,
                             other.isEmpty() ? QString() : QStringLiteral(" (did you mean \"%1\"?)").arg(other)),
                    kNotFound);
            }
            resolved.materials.push_back(fromRow(*row, command.groups));
        }
    }
    return resolved;
}

} // namespace korvane::cli
