#include "python/TransportCalculation.h"

#include "calc/ScreeningFunction.h"
#include "calc/TransportTable.h"
#include "cli/MaterialCrossSection.h"
#include "materials/ChemicalFormula.h"
#include "python/MaterialsTable.h"

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

// Energies of the table: outside them S is no number, but the energy is.
bool inTable(float energy)
{
    return energy >= kTableLowestEnergy && energy <= kTableHighestEnergy;
}

} // namespace

py::object transportCrossSection(py::handle materialOrFormula, py::handle energy, py::handle database,
                                 NoValuePolicy policy)
{
    const std::function<TransportCrossSection(double)> crossSection = crossSectionSource(materialOrFormula, database);
    return arrayResults<double>(
        Broadcast<1>({energy}, {"energy"}), policy,
        [&](const std::array<double, 1>& v) -> Element<double> {
            // tpp2m holds each energy as a Single.
            const float e = static_cast<float>(v[0]);
            if (std::isnan(e))
                return failed<double>(Verdict::NanIn);
            if (!std::isfinite(e) || !(e > 0))
                return failed<double>(Verdict::WrongInput);
            if (!inTable(e))
                return failed<double>(Verdict::NoValue);
            // In the table, only a material without S has none.
            return valueOr(crossSection(e).a0Squared, Verdict::WrongInput);
        },
        [&](const std::array<double, 1>& v) {
            QString error;
            const auto e = single(v[0], "energy", &error);
            if (!e)
                return DoubleOutcome{std::nullopt, error};
            if (!(*e > 0))
                return DoubleOutcome{std::nullopt, QStringLiteral("energy must be above 0 eV")};
            const TransportCrossSection s = crossSection(*e);
            return DoubleOutcome{s.a0Squared, s.error};
        });
}

} // namespace korvane::python
