#include "web/PageMaterial.h"

#include "core/NumberText.h"
#include "query/ChemicalFormula.h"
#include "query/FormulaSum.h"
#include "query/MaterialNotFound.h"
#include "query/PositiveInputs.h"
#include "query/ValenceGroups.h"

#include <limits>

namespace korvane::page {

namespace {

// A row's number as the script writes SQLite's value ("2.65", "Infinity"),
// held as the desktop's store holds it: a Single, infinite beyond its range,
// so that the formula, not the database, is said to fail.
std::optional<float> heldValue(const PageQuery& query, const std::string& name)
{
    const std::optional<std::string> text = query.typed(name);
    if (!text)
        return std::nullopt;
    if (*text == "Infinity" || *text == "-Infinity")
        return (*text)[0] == '-' ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
    const std::optional<double> value = numbers::readDouble(*text);
    return value ? std::optional<float>(static_cast<float>(*value)) : std::nullopt;
}

// A valence group's text as the window's field shows the stored value
// ("10.0"), which Nv is summed from.
std::string groupText(const PageQuery& query, const std::string& name)
{
    const std::optional<float> value = heldValue(query, name);
    return value ? valenceGroupText(*value) : std::string();
}

// Nv of a row handed over under `row` ("material.", "element.Si."), the
// ticked groups summed.
std::optional<float> rowValence(const PageQuery& query, const std::string& row, const ValenceTicks& ticks)
{
    const ValenceGroupTexts groups{groupText(query, row + "hbe"), groupText(query, row + "lbe"),
                                   groupText(query, row + "d"), groupText(query, row + "f")};
    return valenceTotal(groups, ticks);
}

Result<PageMaterial> databaseRow(const PageQuery& query, const std::string& name, const std::string& typed,
                                 const ValenceTicks& ticks)
{
    if (query.value(name + ".found") != "1")
        return Failed{noMaterial(typed, query.value("database").value_or("")), ErrorCode::NotFound};
    const std::string row = name + '.';
    PageMaterial material{{heldValue(query, row + "density"), heldValue(query, row + "mass"),
                           heldValue(query, row + "gap"), rowValence(query, row, ticks)},
                          std::nullopt,
                          query.value(row + "name").value_or("")};
    if (const std::optional<double> id = numbers::readDouble(query.value(row + "id").value_or("")))
        material.id = std::int64_t(*id);
    return material;
}

} // namespace

Result<std::optional<PageMaterial>> readMaterial(const PageQuery& query, const std::string& name,
                                                 const ValenceTicks& ticks)
{
    const std::optional<std::string> typedName = query.typed(name);
    if (!typedName)
        return std::optional<PageMaterial>();
    Result<PageMaterial> row = databaseRow(query, name, *typedName, ticks);
    if (!row)
        return row.failure();
    return std::optional<PageMaterial>(std::move(*row));
}

Result<PageMaterial> rowOfName(const PageQuery& query, const std::string& typed, const ValenceTicks& ticks)
{
    return databaseRow(query, "row." + typed, typed, ticks);
}

Result<PageMaterial> requestedMaterial(const PageQuery& query, const RequestedMaterial& material,
                                       const ValenceTicks& ticks)
{
    if (const auto* named = std::get_if<MaterialByName>(&material))
        return databaseRow(query, "material", named->text, ticks);
    if (const auto* values = std::get_if<MaterialByValues>(&material))
        return PageMaterial{{values->density, values->mass, values->bandGap, values->valenceElectrons}, std::nullopt, ""};
    const auto& formula = std::get<MaterialByFormula>(material);
    Result<FormulaSum> sum = sumFormula(formula.formula, [&](const std::string& symbol) -> std::optional<ElementValues> {
        const std::string row = "element." + symbol + '.';
        if (query.value(row + "found") != "1")
            return std::nullopt;
        return ElementValues{rowValence(query, row, ticks), heldValue(query, row + "mass")};
    });
    if (!sum)
        return sum.failure();
    if (const Result<void> above = checkAboveZero(PositiveInput::Mass, sum->mass); !above)
        return above.failure();
    return PageMaterial{{formula.density, sum->mass, formula.bandGap, sum->valenceElectrons}, std::nullopt,
                        formula.formula};
}

std::vector<std::string> formulaSymbols(const std::string& formula)
{
    const Result<std::vector<ElementCount>> parsed = parseChemicalFormula(formula);
    std::vector<std::string> symbols;
    if (parsed)
        for (const ElementCount& element : *parsed)
            symbols.push_back(element.symbol);
    return symbols;
}

} // namespace korvane::page
