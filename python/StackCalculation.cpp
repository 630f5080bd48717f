#include "python/StackCalculation.h"

#include "python/Interruptible.h"

#include "calc/StackedSignal.h"
#include "lookup/LayerImfps.h"
#include "lookup/StackSimulation.h"
#include "python/MaterialsTable.h"
#include "python/ScalarArguments.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cmath>

namespace korvane::python {

namespace {

std::string text(py::handle value)
{
    return py::str(value).cast<std::string>();
}

// The values of a number or of a sequence of numbers, as texts joined by commas.
std::string listText(py::handle values)
{
    if (!py::isinstance<py::sequence>(values) || py::isinstance<py::str>(values))
        return text(values);
    std::string joined;
    for (py::handle value : py::reinterpret_borrow<py::sequence>(values))
        joined += (joined.empty() ? "" : ",") + text(value);
    return joined;
}

template <typename T>
py::array_t<T> array(const std::vector<T>& values)
{
    return py::array_t<T>(static_cast<py::ssize_t>(values.size()), values.data());
}

py::array texts(const std::vector<std::string>& values)
{
    return py::array(py::cast(values));
}

// The signals of one energy and angle: the straight line, or the simulation,
// ended by Ctrl+C.
Result<std::vector<Estimate>> layerSignals(const Request& request, const std::vector<MaterialInputs>& materials,
                                           const std::vector<double>& thicknesses, const LayerImfps& imfps,
                                           float energy, double angle)
{
    if (request.model != "mc") {
        std::vector<Estimate> found;
        for (const double value : straightLineSignals(imfps.values, thicknesses, angle))
            found.push_back({value, 0});
        return found;
    }
    std::atomic<bool> cancel{false};
    SimulationSettings settings = simulationSettings(request, angle);
    settings.cancel = &cancel;
    return runUntilInterrupted(cancel, [&] {
        return simulateMaterialStack(materials, thicknesses, imfps.values, energy, settings);
    });
}

} // namespace

py::dict stack(const StackArguments& arguments)
{
    NamedTexts inputs;
    std::vector<py::handle> materials;
    for (py::handle layer : py::reinterpret_borrow<py::sequence>(arguments.layers)) {
        const py::tuple pair = py::reinterpret_borrow<py::object>(layer).cast<py::tuple>();
        if (pair.size() != 2)
            throw py::value_error("layers holds (material, thickness) pairs");
        materials.push_back(pair[0]);
        inputs.push_back({"layer", text(pair[0]) + ":" + text(pair[1])});
    }
    if (!arguments.substrate.is_none()) {
        inputs.push_back({"substrate", text(arguments.substrate)});
        materials.push_back(arguments.substrate);
    }
    inputs.push_back({"energy", listText(arguments.energy)});
    inputs.push_back({"angle", listText(arguments.angle)});
    inputs.push_back({"model", arguments.model});
    const std::pair<const char*, py::handle> simulation[] = {{"electrons", arguments.electrons},
                                                             {"seed", arguments.seed},
                                                             {"threads", arguments.threads},
                                                             {"asymmetry", arguments.asymmetry},
                                                             {"source-angle", arguments.sourceAngle}};
    for (const auto& [name, value] : simulation)
        if (!value.is_none())
            inputs.push_back({name, text(value)});
    if (arguments.relativistic)
        inputs.push_back({"relativistic", ""});
    const Request request = requestOf(inputs, {.stack = true, .asker = "stack"});

    const ValenceTicks groups = includedGroups(arguments.include);
    std::vector<MaterialInputs> resolved;
    for (py::handle material : materials)
        resolved.push_back(databaseMaterial(material, arguments.database, groups));
    const ImfpForm form = arguments.relativistic ? ImfpForm::Relativistic : ImfpForm::NonRelativistic;
    std::vector<double> thicknesses;
    for (const RequestedLayer& layer : request.layers)
        thicknesses.push_back(layer.thickness);

    std::vector<std::int64_t> layer;
    std::vector<std::string> name, forms, model, error;
    std::vector<double> thickness, energy, angle, imfp, signal, signalSd;
    for (const float e : request.energies) {
        const LayerImfps imfps = layerImfps(resolved, e, form);
        for (const double a : request.angles) {
            const Result<std::vector<Estimate>> found = imfps.error.isEmpty()
                ? layerSignals(request, resolved, thicknesses, imfps, e, a)
                : Result<std::vector<Estimate>>(Failed{imfps.error.toStdString()});
            for (std::size_t k = 0; k < resolved.size(); ++k) {
                layer.push_back(std::int64_t(k + 1));
                name.push_back(resolved[k].name.toStdString());
                thickness.push_back(k < thicknesses.size() ? thicknesses[k] : NAN);
                energy.push_back(e);
                forms.push_back(formName(form));
                angle.push_back(a);
                model.push_back(request.model);
                imfp.push_back(imfps.each[k] ? double(*imfps.each[k]) : NAN);
                signal.push_back(found ? (*found)[k].value : NAN);
                signalSd.push_back(found ? (*found)[k].error : NAN);
                error.push_back(found ? std::string() : found.error());
            }
        }
    }
    py::dict result;
    result["layer"] = array(layer);
    result["material"] = texts(name);
    result["thickness_A"] = array(thickness);
    result["energy_eV"] = array(energy);
    result["form"] = texts(forms);
    result["angle_deg"] = array(angle);
    result["model"] = texts(model);
    result["imfp_A"] = array(imfp);
    result["signal_A"] = array(signal);
    result["signal_sd_A"] = array(signalSd);
    result["error"] = texts(error);
    return result;
}

} // namespace korvane::python
