#include "python/TransportCalculation.h"

#include "calc/ScreeningFunction.h"
#include "cli/MaterialCrossSection.h"
#include "materials/ChemicalFormula.h"
#include "python/MaterialsTable.h"
#include "python/SingleResults.h"

#include <functional>

namespace korvane::python {

namespace {

// S of one formula unit at an energy: an element symbol and a chemical
// formula are read as they are written; any other text and an ID name a
// material of the database.
std::function<TransportCrossSection(double)> crossSectionSource(py::handle given, py::handle database)
{
    if (py::isinstance<py::str>(given)) {
        const QString text = QString::fromStdString(given.cast<std::string>());
        if (const int z = atomicNumberOf(text.toStdString()))
            return [z](double energy) { return elementTransportCrossSection(z, energy); };
        if (parseChemicalFormula(text).error.isEmpty())
            return [text](double energy) { return formulaTransportCrossSection(text, energy); };
    } else if (!py::isinstance<py::int_>(given)) {
        throw py::type_error("material_or_formula must be an element symbol, a chemical formula, a name or an ID");
    }
    const cli::MaterialInputs material = databaseMaterial(given, database, cli::IncludedGroups{});
    return [material](double energy) { return cli::crossSectionOf(material, energy); };
}

} // namespace

py::object transportCrossSection(py::handle materialOrFormula, py::handle energy, py::handle database)
{
    const std::function<TransportCrossSection(double)> crossSection = crossSectionSource(materialOrFormula, database);
    return doubleResults(Broadcast<1>({energy}, {"energy"}), [&](const std::array<double, 1>& v) -> DoubleOutcome {
        QString error;
        // tpp2m holds each energy as a Single.
        const auto e = single(v[0], "energy", &error);
        if (!e)
            return {std::nullopt, error};
        const TransportCrossSection s = crossSection(*e);
        return {s.a0Squared, s.error};
    });
}

} // namespace korvane::python
