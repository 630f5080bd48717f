#include "python/TransportCalculation.h"

#include "calc/ScreeningFunction.h"
#include "calc/TransportTable.h"
#include "query/ChemicalFormula.h"
#include "query/ElasticEnergies.h"
#include "lookup/MaterialCrossSection.h"
#include "materials/model/Material.h"
#include "python/MaterialsTable.h"
#include "python/NumpyScalars.h"

#include <functional>
#include <vector>

namespace korvane::python {

namespace {

// One atom of a formula unit: its atomic number and how many a unit holds.
struct AtomCount {
    int atomicNumber = 0;
    double count = 0;
};

// The atoms whose sigma_1 sum to S, and S at an energy with tpp2m's words
// for a failure.
struct CrossSectionSource {
    std::vector<AtomCount> atoms;
    std::function<Result<TransportCrossSection>(double)> withWords;
};

std::vector<AtomCount> atomsOf(const QString& formula)
{
    std::vector<AtomCount> atoms;
    const Result<std::vector<ElementCount>> elements = parseChemicalFormula(formula.toStdString());
    if (elements)
        for (const ElementCount& element : *elements)
            atoms.push_back({atomicNumberOf(element.symbol), element.count});
    return atoms;
}

// S of one formula unit: an element symbol and a chemical formula are read
// as they are written; any other text and an ID name a material of the
// database, an element row by its ID and any other by its name as a formula.
CrossSectionSource crossSectionSource(py::handle given, py::handle database)
{
    if (py::isinstance<py::str>(given)) {
        const QString text = QString::fromStdString(given.cast<std::string>());
        if (const int z = atomicNumberOf(text.toStdString()))
            return {{{z, 1}}, [z](double energy) { return elementTransportCrossSection(z, energy); }};
        if (parseChemicalFormula(text.toStdString()))
            return {atomsOf(text), [text](double energy) { return formulaTransportCrossSection(text, energy); }};
    } else if (!isWholeNumberObject(given)) {
        throw py::type_error("material_or_formula must be an element symbol, a chemical formula, a name or an ID");
    }
    const MaterialInputs material = databaseMaterial(given, database, ValenceTicks{});
    const auto withWords = [material](double energy) { return crossSectionOf(material, energy); };
    const qint64 id = material.id.value_or(0);
    if (id >= 1 && id < kFirstCompoundId)
        return {{{int(id), 1}}, withWords};
    return {atomsOf(material.name), withWords};
}

// Energies of the table: outside them S is no number, but the energy is.
bool inTable(float energy)
{
    return withinElasticEnergies(energy);
}

// S at an energy of the table: n_i sigma_i summed over the atoms, in their
// order, as tpp2m sums them.
std::optional<double> sumOver(const std::vector<AtomCount>& atoms, double energy)
{
    const TransportTable& table = shippedTransportTable();
    double sum = 0;
    for (const AtomCount& atom : atoms) {
        const std::optional<double> sigma = table.crossSection(atom.atomicNumber, energy);
        if (!sigma)
            return std::nullopt;
        sum += atom.count * *sigma;
    }
    return sum;
}

} // namespace

py::object transportCrossSection(py::handle materialOrFormula, py::handle energy, py::handle database,
                                 NoValuePolicy policy)
{
    const CrossSectionSource source = crossSectionSource(materialOrFormula, database);
    // A material or formula without S (an unknown symbol, a name that is no
    // formula) is wrong input for every energy: refused before any.
    if (const Result<TransportCrossSection> probe = source.withWords(kTableLowestEnergy); !probe)
        throw py::value_error(probe.error());
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
            return valueOr(sumOver(source.atoms, e), Verdict::NoValue);
        },
        [&](const std::array<double, 1>& v) -> Result<double> {
            const Result<float> e = single(v[0], "energy");
            if (!e)
                return e.failure();
            if (!(*e > 0))
                return Failed{"energy must be above 0 eV", ErrorCode::InvalidInput};
            const Result<TransportCrossSection> s = source.withWords(*e);
            if (!s)
                return s.failure();
            return s->a0Squared;
        });
}

} // namespace korvane::python
