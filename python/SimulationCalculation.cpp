#include "python/SimulationCalculation.h"

#include "python/Interruptible.h"

#include "calc/AtomicUnits.h"
#include "calc/TransportTable.h"
#include "lookup/MaterialSimulation.h"
#include "python/MaterialsTable.h"
#include "python/ScalarArguments.h"

#include <pybind11/numpy.h>

#include <cmath>

namespace korvane::python {

namespace {

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
    if (const Result<void> within = checkElasticEnergy("dcs", energy); !within)
        throw py::value_error(within.error());
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

py::dict simulate(const SimulateArguments& arguments)
{
    NamedTexts inputs = {materialText(arguments.material),
                         {"energy", numberText(arguments.energy, "energy")},
                         includeText(arguments.include),
                         {"angle", numberText(arguments.angle, "angle")},
                         {"probability", numberText(arguments.probability, "probability")},
                         {"electrons", wholeNumberText(arguments.electrons, "electrons")},
                         {"seed", wholeNumberText(arguments.seed, "seed")},
                         {"asymmetry", numberText(arguments.asymmetry, "asymmetry")},
                         {"source-angle", numberText(arguments.sourceAngle, "source_angle")},
                         {"profile", ""},
                         {"step", numberText(arguments.step, "step")}};
    if (!arguments.threads.is_none())
        inputs.push_back({"threads", wholeNumberText(arguments.threads, "threads")});
    if (arguments.relativistic)
        inputs.push_back({"relativistic", ""});
    const Request request = requestOf(inputs, {.simulation = true, .asker = "simulate"});
    const MaterialInputs inputsOfMaterial =
        databaseMaterial(std::get<MaterialByName>(request.materials.front()), arguments.database, request.groups);
    const MaterialSimulation run = simulateUntilInterrupted(inputsOfMaterial, request.energies.front(),
                                                            formsToCompute(request.forms).front(),
                                                            simulationSettings(request, request.angle));
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
