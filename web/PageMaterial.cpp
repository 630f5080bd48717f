#include "web/PageMaterial.h"

#include "core/NumberText.h"
#include "query/ChemicalFormula.h"
#include "query/FormulaSum.h"
#include "query/MaterialNotFound.h"
#include "query/PositiveInputs.h"
#include "query/TypedNumber.h"
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

std::optional<PageMaterial> databaseRow(const PageQuery& query, const std::string& name, const std::string& typed,
                                        const ValenceTicks& ticks, std::vector<std::string>* errors)
{
    if (query.value(name + ".found") != "1") {
        errors->push_back(noMaterial(typed, query.value("database").value_or("")));
        return std::nullopt;
    }
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

std::optional<PageMaterial> readMaterial(const PageQuery& query, const std::string& name, const ValenceTicks& ticks,
                                         std::vector<std::string>* errors)
{
    if (const std::optional<std::string> typedName = query.typed(name))
        return databaseRow(query, name, *typedName, ticks, errors);
    if (name != "material")
        return std::nullopt;
    const std::optional<std::string> formula = query.typed("formula");
    std::optional<FormulaSum> sum;
    if (formula) {
        Result<FormulaSum> summed =
            sumFormula(*formula, [&](const std::string& symbol) -> std::optional<ElementValues> {
                const std::string row = "element." + symbol + '.';
                if (query.value(row + "found") != "1")
                    return std::nullopt;
                return ElementValues{rowValence(query, row, ticks), heldValue(query, row + "mass")};
            });
        if (!summed) {
            errors->push_back(summed.error());
            return std::nullopt;
        }
        sum = std::move(*summed);
    }
    const std::string names[] = {"density", "mass", "gap", "nv"};
    std::optional<float> values[4];
    bool anyTyped = false;
    for (int i = 0; i < 4; ++i) {
        const std::optional<std::string> text = query.typed(names[i]);
        if (!text)
            continue;
        anyTyped = true;
        const Result<float> value = readTypedSingle(names[i], *text);
        if (!value) {
            errors->push_back(value.error());
            return std::nullopt;
        }
        values[i] = *value;
    }
    if (sum) {
        for (int i : {1, 3}) {
            if (values[i]) {
                errors->push_back(typedBesideFormula("--" + names[i]));
                return std::nullopt;
            }
        }
        values[1] = sum->mass;
        values[3] = sum->valenceElectrons;
    } else if (!anyTyped) {
        return std::nullopt;
    }
    const std::string refused = firstNotAboveZero(
        {{PositiveInput::Density, values[0].value_or(1)}, {PositiveInput::Mass, values[1].value_or(1)}});
    if (!refused.empty()) {
        errors->push_back(refused);
        return std::nullopt;
    }
    return PageMaterial{{values[0], values[1], values[2], values[3]}, std::nullopt, formula.value_or("")};
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
