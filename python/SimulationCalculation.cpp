#include "python/SimulationCalculation.h"

#include "python/Interruptible.h"

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

// The simulation, ended by Ctrl+C.
MaterialSimulation simulateUntilInterrupted(const MaterialInputs& inputs, float energy, ImfpForm form,
                                            SimulationSettings settings)
{
    std::atomic<bool> cancel{false};
    settings.cancel = &cancel;
    return runUntilInterrupted(cancel, [&] { return simulateMaterial(inputs, energy, form, settings); });
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
    if (!(request.probability > 0 && request.probability < 1))
        throw py::value_error("the probability must be above 0 and below 1");
    const MaterialInputs inputs = databaseMaterial(material, database, includedGroups(include));
    const SimulationSettings settings{.angle = request.angle,
                                      .emission = {request.asymmetry, request.sourceAngle},
                                      .electrons = request.electrons,
                                      .seed = request.seed,
                                      .threads = request.threads,
                                      .step = request.step,
                                      .cancel = nullptr,
                                      .progress = {}};
    if (const Result<void> usable = checkSimulationInputs(ScatteringMedium{1}, settings); !usable)
        throw py::value_error(usable.error());
    if (const Result<void> step = checkProfileStep(request.angle, request.step); !step)
        throw py::value_error(step.error());
    const MaterialSimulation run =
        simulateUntilInterrupted(inputs, static_cast<float>(energy),
                                 request.relativistic ? ImfpForm::Relativistic : ImfpForm::NonRelativistic, settings);
    if (!run.depth && run.depth.code() == ErrorCode::OutOfRange) {
        PyErr_SetString(PyExc_MemoryError, run.depth.error().c_str());
        throw py::error_already_set();
    }
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
    const std::vector<ProfileDepth> profile = d.profile();
    const std::size_t n = profile.size();
    result["depth"] = array(n, [&profile](std::size_t i) { return profile[i].depth; });
    result["phi"] = array(n, [&profile](std::size_t i) { return profile[i].phi.value; });
    result["phi_sd"] = array(n, [&profile](std::size_t i) { return profile[i].phi.error; });
    result["cf"] = array(n, [&profile](std::size_t i) { return profile[i].correctionFactor.value; });
    result["cf_sd"] = array(n, [&profile](std::size_t i) { return profile[i].correctionFactor.error; });
    result["eal"] = array(n, [&profile](std::size_t i) { return profile[i].attenuationLength; });
    return result;
}

} // namespace korvane::python
