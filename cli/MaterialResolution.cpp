#include "cli/MaterialResolution.h"

#include "calc/CheckedMath.h"
#include "cli/MaterialCatalog.h"
#include "materials/ChemicalFormula.h"

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

// Nv and M of a formula unit, summed over its elements' rows: the sum the
// worked examples of adding a compound do by hand.
ResolvedMaterials fromFormula(const FormulaMaterial& given, const MaterialCatalog& catalog,
                              const IncludedGroups& groups)
{
    const ChemicalFormula formula = parseChemicalFormula(given.formula);
    if (!formula.error.isEmpty())
        return failed(QStringLiteral("--formula: %1").arg(formula.error), kBadInput);
    double valence = 0;
    double mass = 0;
    for (const ElementCount& part : formula.elements) {
        const Material* element = catalog.element(part.symbol);
        if (!element)
            return failed(QStringLiteral("unknown element \"%1\" in the formula \"%2\"").arg(part.symbol, given.formula),
                          kBadInput);
        const std::optional<float> nv = valenceTotal(*element, groups);
        if (!element->atomicWeight || !nv)
            return failed(QStringLiteral("the element %1 has no %2 in the database")
                              .arg(part.symbol, nv ? u"atomic weight" : u"usable valence electrons"),
                          kNotFound);
        valence += part.count * double(*nv);
        mass += part.count * double(*element->atomicWeight);
    }
    try {
        MaterialInputs inputs{given.formula, std::nullopt, given.density, checked::single(mass), given.bandGap,
                              checked::single(valence)};
        return {{inputs}, std::nullopt};
    } catch (const checked::ArithmeticError&) {
        return failed(QStringLiteral("the formula \"%1\" is too large").arg(given.formula), kBadInput);
    }
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
            const QString& wanted = std::get<NamedMaterial>(ref).nameOrId;
            const Material* row = catalog->find(wanted);
            if (!row) {
                const QString other = catalog->nameInOtherCase(wanted);
                return failed(QStringLiteral("no material \"%1\" in %2%3")
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
