#include "cli/TransportReport.h"

#include "calc/ScreeningFunction.h"
#include "cli/RowWriter.h"
#include "lookup/MaterialSimulation.h"
#include "presentation/ResultText.h"
#include "query/ChemicalFormula.h"

namespace korvane::cli {

namespace {

std::vector<Column> transportColumns()
{
    return {
        {"material", QStringLiteral("Material")},
        {"id", QStringLiteral("ID"), true},
        {"energy_eV", QStringLiteral("Energy (eV)"), true},
        {"transport_cross_section_a0sq", QStringLiteral("S (a0\u00B2)"), true},
        {"transport_cross_section_cm2", QStringLiteral("S (cm\u00B2)"), true},
        {"elastic_cross_section_cm2", QStringLiteral("\u03C3el (cm\u00B2)"), true},
        {"error", QStringLiteral("Error"), false, true},
    };
}

// sigma_el of one formula unit in cm^2.
double elasticCrossSectionCm2(const std::vector<FormulaAtom>& atoms, float energy)
{
    constexpr std::size_t kNoAngles = 2; // the total needs no angular table
    return formulaScattering(atoms, energy, kNoAngles).elastic * bohrRadiusSquaredCm2();
}

// The row of S at an energy; `atoms`, read as S was, are read only when S has a value.
Row transportRow(const QString& name, std::optional<int> id, float energy, const Result<TransportCrossSection>& s,
                 const Result<std::vector<FormulaAtom>>& atoms)
{
    Row row{Cell::ofText(name), Cell::ofOptional(id), Cell::ofSingle(energy)};
    if (!s || !atoms) {
        row.insert(row.end(), 3, Cell::empty());
        row.push_back(Cell::ofText(!s ? errorText(s) : errorText(atoms)));
        return row;
    }
    const auto single = [](double v) { return Cell::ofSingleWithExponent(static_cast<float>(v)); };
    row.push_back(single(s->a0Squared));
    row.push_back(single(s->a0Squared * bohrRadiusSquaredCm2()));
    row.push_back(single(elasticCrossSectionCm2(*atoms, energy)));
    row.push_back(Cell::empty());
    return row;
}

// Whether a typed formula can be used; refused in the words of the other
// commands.
Result<void> checkTypedFormula(const QString& formula)
{
    const Result<std::vector<ElementCount>> parsed = parseChemicalFormula(formula.toStdString());
    if (!parsed)
        return failed(QStringLiteral("--formula: %1").arg(QString::fromStdString(parsed.error())),
                      ErrorCode::InvalidInput);
    for (const ElementCount& element : *parsed)
        if (atomicNumberOf(element.symbol) == 0)
            return failed(QStringLiteral("unknown element \"%1\" in the formula \"%2\"")
                              .arg(QString::fromStdString(element.symbol), formula),
                          ErrorCode::InvalidInput);
    return {};
}

} // namespace

Result<std::vector<MaterialInputs>> resolveTransportMaterials(const Command& command)
{
    std::vector<MaterialRef> named = command.materials;
    std::erase_if(named, [](const MaterialRef& ref) { return !std::holds_alternative<NamedMaterial>(ref); });
    Result<std::vector<MaterialInputs>> resolved =
        resolveMaterials(named, {command.databasePath, command.whenDatabaseMissing, command.request.groups});
    if (!resolved)
        return resolved;
    for (const MaterialRef& ref : command.materials) {
        const auto* given = std::get_if<FormulaMaterial>(&ref);
        if (!given)
            continue;
        // A typed formula is refused as every command refuses it, not given a row.
        if (const Result<void> usable = checkTypedFormula(given->formula); !usable)
            return usable.failure();
        resolved->push_back({given->formula, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt});
    }
    return resolved;
}

Result<void> writeTransportReport(const Command& command, const std::vector<MaterialInputs>& materials, std::FILE* out)
{
    const std::unique_ptr<RowWriter> writer = makeRowWriter(command.format, transportColumns(), out);
    for (const MaterialInputs& material : materials) {
        const Result<std::vector<FormulaAtom>> atoms = atomsOf(material);
        for (const float energy : command.request.energies)
            if (!writer->write(
                    transportRow(material.name, material.id, energy, crossSectionOf(material, energy), atoms)))
                return *writer->failure();
    }
    for (const QString& symbol : command.elementSymbols) {
        const int z = atomicNumberOf(symbol.toStdString());
        for (const float energy : command.request.energies) {
            const Result<TransportCrossSection> s = z
                ? elementTransportCrossSection(z, energy)
                : failed(QStringLiteral("no element has the symbol %1").arg(symbol), ErrorCode::NotFound);
            if (!writer->write(transportRow(symbol, z ? std::optional<int>(z) : std::nullopt, energy, s,
                                            std::vector<FormulaAtom>{{z, 1}})))
                return *writer->failure();
        }
    }
    return writer->finish();
}

} // namespace korvane::cli
