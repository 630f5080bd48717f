#include "materials/model/MaterialTransport.h"

#include "query/CompositionTransport.h"

namespace korvane {

namespace {

TransportCrossSection fromResult(const Result<CrossSectionValue>& s)
{
    if (!s)
        return {std::nullopt, QString::fromStdString(s.error()), QString()};
    return {s->a0Squared, QString(), QString::fromStdString(s->source)};
}

} // namespace

TransportCrossSection elementTransportCrossSection(int atomicNumber, double energyEv)
{
    return fromResult(elementCrossSection(atomicNumber, energyEv));
}

TransportCrossSection formulaTransportCrossSection(const QString& formula, double energyEv)
{
    return fromResult(formulaCrossSection(formula.toStdString(), energyEv));
}

TransportCrossSection materialTransportCrossSection(const Material& material, double energyEv)
{
    return fromResult(rowCrossSection(material.id, material.name.toStdString(), energyEv));
}

MaterialAtoms materialAtoms(const Material& material)
{
    Result<std::vector<FormulaAtom>> atoms = rowAtoms(material.id, material.name.toStdString());
    if (!atoms)
        return {{}, QString::fromStdString(atoms.error())};
    return {std::move(*atoms), {}};
}

} // namespace korvane
