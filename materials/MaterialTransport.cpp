#include "materials/MaterialTransport.h"

#include "calc/AtomicUnits.h"
#include "calc/ScreeningFunction.h"
#include "calc/TransportTable.h"
#include "materials/ChemicalFormula.h"

namespace korvane {

namespace {

TransportCrossSection failure(const QString& error)
{
    return {std::nullopt, error, QString()};
}

// sigma_1 of one atom from the table, or why there is none.
TransportCrossSection atomValue(int atomicNumber, double energyEv)
{
    if (!(energyEv >= kTableLowestEnergy && energyEv <= kTableHighestEnergy))
        return failure(QStringLiteral("no transport cross-section outside %1 eV to %2 eV")
                           .arg(kTableLowestEnergy)
                           .arg(kTableHighestEnergy));
    return {shippedTransportTable().crossSection(atomicNumber, energyEv), QString(), QString()};
}

// The atoms of a parsed formula, or the symbol that names no element.
MaterialAtoms atomsOf(const ChemicalFormula& parsed)
{
    MaterialAtoms result;
    for (const ElementCount& element : parsed.elements) {
        const int z = atomicNumberOf(element.symbol.toStdString());
        if (z == 0)
            return {{}, QStringLiteral("no element has the symbol %1").arg(element.symbol)};
        result.atoms.push_back({z, element.count});
    }
    return result;
}

const QString kNotAFormula = QStringLiteral("neither an element nor a chemical formula: %1");

// S of a formula unit: n_i sigma_i summed over its atoms.
TransportCrossSection parsedFormulaCrossSection(const ChemicalFormula& parsed, const QString& formula, double energyEv)
{
    const MaterialAtoms atoms = atomsOf(parsed);
    if (!atoms.error.isEmpty())
        return failure(atoms.error);
    double sum = 0;
    for (const FormulaAtom& atom : atoms.atoms) {
        const TransportCrossSection value = atomValue(atom.atomicNumber, energyEv);
        if (!value.a0Squared)
            return value;
        sum += atom.count * *value.a0Squared;
    }
    return {sum, QString(), QStringLiteral("formula %1").arg(formula.trimmed())};
}

} // namespace

double bohrRadiusSquaredCm2()
{
    return atomic::kBohrRadiusSquaredCm2;
}

TransportCrossSection elementTransportCrossSection(int atomicNumber, double energyEv)
{
    if (atomicNumber < 1 || atomicNumber > kLastElement)
        return failure(QStringLiteral("no element has the atomic number %1").arg(atomicNumber));
    TransportCrossSection s = atomValue(atomicNumber, energyEv);
    if (s.a0Squared)
        s.source = QStringLiteral("%1 (Z = %2)")
                       .arg(QString::fromUtf8(elementSymbol(atomicNumber).data(),
                                              static_cast<qsizetype>(elementSymbol(atomicNumber).size())))
                       .arg(atomicNumber);
    return s;
}

TransportCrossSection formulaTransportCrossSection(const QString& formula, double energyEv)
{
    const ChemicalFormula parsed = parseChemicalFormula(formula);
    if (!parsed.error.isEmpty())
        return failure(QStringLiteral("not a chemical formula: %1").arg(parsed.error));
    return parsedFormulaCrossSection(parsed, formula, energyEv);
}

TransportCrossSection materialTransportCrossSection(const Material& material, double energyEv)
{
    if (material.id >= 1 && material.id < kFirstCompoundId)
        return elementTransportCrossSection(material.id, energyEv);
    const ChemicalFormula parsed = parseChemicalFormula(material.name);
    if (!parsed.error.isEmpty())
        return failure(kNotAFormula.arg(material.name));
    return parsedFormulaCrossSection(parsed, material.name, energyEv);
}

MaterialAtoms materialAtoms(const Material& material)
{
    if (material.id >= 1 && material.id < kFirstCompoundId)
        return {{{static_cast<int>(material.id), 1}}, {}};
    const ChemicalFormula parsed = parseChemicalFormula(material.name);
    if (!parsed.error.isEmpty())
        return {{}, kNotAFormula.arg(material.name)};
    return atomsOf(parsed);
}

} // namespace korvane
