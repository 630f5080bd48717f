#include "python/SimulationCalculation.h"

#include "calc/AtomicUnits.h"
#include "calc/TransportTable.h"
#include "lookup/MaterialSimulation.h"
#include "python/MaterialsTable.h"
#include "query/ElasticEnergies.h"

#include <pybind11/numpy.h>

#include <cmath>

namespace korvane::python {

namespace {

void needElasticTableEnergy(double energy)
{
    if (!withinElasticEnergies(energy))
        throw py::value_error(QStringLiteral("the energy must be from %1 eV to %2 eV (got %3 eV)")
                                  .arg(kTableLowestEnergy)
                                  .arg(kTableHighestEnergy)
                                  .arg(energy)
                                  .toStdString());
}

template <typename Value>
py::array_t<double> array(std::size_t count, Value value)
{
    py::array_t<double> a(static_cast<py::ssize_t>(count));
    auto out = a.mutable_unchecked<1>();
    for (std::size_t i = 0; i < count; ++i)
        out(static_cast<py::ssize_t>(i)) = value(i);
    return a;
}

} // namespace

py::dict differentialCrossSection(py::handle material, double energy, py::handle database)
{
    needElasticTableEnergy(energy);
    const MaterialInputs inputs = databaseMaterial(material, database, ValenceTicks{});
    const Result<FormulaScattering> elastic = [&] {
        const py::gil_scoped_release unlocked;
        return elasticScatteringOf(inputs, static_cast<float>(energy), kDcsAngleCount);
    }();
    if (!elastic)
        throw py::value_error(elastic.error());
    const FormulaScattering& s = *elastic;
    py::dict result;
    result["angle_deg"] = array(s.angles.size(), [&s](std::size_t i) { return s.angles[i] * 180 / atomic::kPi; });
    result["dcs_cm2_sr"] =
        array(s.dcs.size(), [&s](std::size_t i) { return s.dcs[i] * atomic::kBohrRadiusSquaredCm2; });
    return result;
}

py::dict simulate(py::handle material, double energy, const SimulationRequest& request, py::handle database,
                  py::handle include)
{
    needElasticTableEnergy(energy);
    if (request.electrons < 1000)
        throw py::value_error("at least 1000 electrons are needed");
    if (request.seed < 0 || request.threads < 0)
        throw py::value_error("the seed and the number of threads must be 0 or more");
    if (!(request.probability > 0 && request.probability < 1))
        throw py::value_error("the probability must be above 0 and below 1");
    const MaterialInputs inputs = databaseMaterial(material, database, includedGroups(include));
    const SimulationSettings settings{.angle = request.angle,
                                      .emission = {request.asymmetry, request.sourceAngle},
                                      .electrons = static_cast<std::uint64_t>(request.electrons),
                                      .seed = static_cast<std::uint64_t>(request.seed),
                                      .threads = static_cast<unsigned>(request.threads),
                                      .step = request.step,
                                      .cancel = nullptr,
                                      .progress = {}};
    if (const std::string error = simulationInputError(ScatteringMedium{1}, settings); !error.empty())
        throw py::value_error(error);
    const MaterialSimulation run = [&] {
        const py::gil_scoped_release unlocked;
        return simulateMaterial(inputs, static_cast<float>(energy),
                                request.relativistic ? ImfpForm::Relativistic : ImfpForm::NonRelativistic, settings);
    }();
    if (!run.depth)
        throw py::value_error(run.depth.error());
    const SimulatedDepth& d = *run.depth;
    const Estimate med = d.meanEscapeDepth(), id = d.informationDepth(request.probability);
    py::dict result;
    result["imfp"] = static_cast<double>(*run.imfp);
    result["elastic_mfp"] = run.elasticMfp;
    result["transport_mfp"] = run.transportMfp;
    result["albedo"] = d.albedo();
    result["mean_escape_depth"] = med.value;
    result["mean_escape_depth_sd"] = med.error;
    result["information_depth"] = id.value;
    result["information_depth_sd"] = id.error;
    const std::size_t n = d.profileLength();
    const auto depth = [&d](std::size_t i) { return static_cast<double>(i + 1) * d.step(); };
    result["depth"] = array(n, depth);
    result["phi"] = array(n, [&d](std::size_t i) { return d.phi(i + 1).value; });
    result["phi_sd"] = array(n, [&d](std::size_t i) { return d.phi(i + 1).error; });
    result["cf"] = array(n, [&d](std::size_t i) { return d.correctionFactor(i + 1).value; });
    result["cf_sd"] = array(n, [&d](std::size_t i) { return d.correctionFactor(i + 1).error; });
    result["eal"] = array(n, [&d, &depth](std::size_t i) { return d.attenuationLength(depth(i)).value; });
    return result;
}

} // namespace korvane::python
