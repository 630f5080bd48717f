#include "materials/model/MaterialTransport.h"

#include "query/CompositionTransport.h"

namespace korvane {

namespace {

Result<TransportCrossSection> withQtSource(const Result<CrossSectionValue>& s)
{
    if (!s)
        return s.failure();
    return TransportCrossSection{s->a0Squared, QString::fromStdString(s->source)};
}

} // namespace

Result<TransportCrossSection> elementTransportCrossSection(int atomicNumber, double energyEv)
{
    return withQtSource(elementCrossSection(atomicNumber, energyEv));
}

Result<TransportCrossSection> formulaTransportCrossSection(const QString& formula, double energyEv)
{
    return withQtSource(formulaCrossSection(formula.toStdString(), energyEv));
}

Result<TransportCrossSection> materialTransportCrossSection(const Material& material, double energyEv)
{
    return withQtSource(rowCrossSection(material.id, material.name.toStdString(), energyEv));
}

Result<std::vector<FormulaAtom>> materialAtoms(const Material& material)
{
    return rowAtoms(material.id, material.name.toStdString());
}

} // namespace korvane
