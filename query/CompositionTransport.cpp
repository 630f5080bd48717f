#include "query/CompositionTransport.h"

#include "calc/AtomicUnits.h"
#include "calc/ScreeningFunction.h"
#include "calc/TransportTable.h"
#include "core/NumberText.h"
#include "query/ChemicalFormula.h"
#include "query/ElasticEnergies.h"

namespace korvane {

namespace {

bool isElementRow(std::int64_t id)
{
    return id >= 1 && id < kFirstCompoundRow;
}

// sigma_1 of one atom from the table, or why there is none.
Result<double> atomValue(int atomicNumber, double energyEv)
{
    if (!withinElasticEnergies(energyEv))
        return Failed{"no transport cross-section outside " + numbers::shortest15(kTableLowestEnergy) + " eV to "
                          + numbers::shortest15(kTableHighestEnergy) + " eV",
                      ErrorCode::OutOfRange};
    return *shippedTransportTable().crossSection(atomicNumber, energyEv);
}

// The atoms of a parsed formula, or the symbol that names no element.
Result<std::vector<FormulaAtom>> atomsOf(const std::vector<ElementCount>& elements)
{
    std::vector<FormulaAtom> atoms;
    for (const ElementCount& element : elements) {
        const int z = atomicNumberOf(element.symbol);
        if (z == 0)
            return Failed{"no element has the symbol " + element.symbol, ErrorCode::NotFound};
        atoms.push_back({z, element.count});
    }
    return atoms;
}

Failed notAFormula(const std::string& name)
{
    return {"neither an element nor a chemical formula: " + name, ErrorCode::InvalidInput};
}

// S of a formula unit: n_i sigma_i summed over its atoms.
Result<CrossSectionValue> parsedFormulaCrossSection(const std::vector<ElementCount>& elements,
                                                    const std::string& formula, double energyEv)
{
    const Result<std::vector<FormulaAtom>> atoms = atomsOf(elements);
    if (!atoms)
        return atoms.failure();
    double sum = 0;
    for (const FormulaAtom& atom : *atoms) {
        const Result<double> value = atomValue(atom.atomicNumber, energyEv);
        if (!value)
            return value.failure();
        sum += atom.count * *value;
    }
    return CrossSectionValue{sum, "formula " + formula};
}

} // namespace

double bohrRadiusSquaredCm2()
{
    return atomic::kBohrRadiusSquaredCm2;
}

Result<CrossSectionValue> elementCrossSection(int atomicNumber, double energyEv)
{
    if (atomicNumber < 1 || atomicNumber > kLastElement)
        return Failed{"no element has the atomic number " + std::to_string(atomicNumber), ErrorCode::NotFound};
    const Result<double> value = atomValue(atomicNumber, energyEv);
    if (!value)
        return value.failure();
    return CrossSectionValue{*value, std::string(elementSymbol(atomicNumber)) + " (Z = "
                                         + std::to_string(atomicNumber) + ")"};
}

Result<CrossSectionValue> formulaCrossSection(const std::string& formula, double energyEv)
{
    const Result<std::vector<ElementCount>> parsed = parseChemicalFormula(formula);
    if (!parsed)
        return Failed{"not a chemical formula: " + parsed.error(), ErrorCode::InvalidInput};
    return parsedFormulaCrossSection(*parsed, formula, energyEv);
}

Result<CrossSectionValue> rowCrossSection(std::int64_t id, const std::string& name, double energyEv)
{
    if (isElementRow(id))
        return elementCrossSection(int(id), energyEv);
    const Result<std::vector<ElementCount>> parsed = parseChemicalFormula(name);
    if (!parsed)
        return notAFormula(name);
    return parsedFormulaCrossSection(*parsed, name, energyEv);
}

Result<std::vector<FormulaAtom>> rowAtoms(std::int64_t id, const std::string& name)
{
    if (isElementRow(id))
        return std::vector<FormulaAtom>{{int(id), 1}};
    const Result<std::vector<ElementCount>> parsed = parseChemicalFormula(name);
    if (!parsed)
        return notAFormula(name);
    return atomsOf(*parsed);
}

} // namespace korvane
