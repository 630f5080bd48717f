#include "python/QuantifyCalculation.h"

#include "lookup/SampleQuantification.h"
#include "python/MaterialsTable.h"
#include "query/RequestReader.h"
#include "query/ValenceGroups.h"
#include "query/XraySource.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace korvane::python {

namespace {

const char* const kQuantifyDoc = R"(quantify(material, *, source=None, peaks, photon_energy=None, angle=0.0,
         source_angle=None, beta=None, transmission_exponent=0.0, layer=None,
         relativistic=False, database=None, include=("lbe", "d", "f"))

The atomic percent of each peak's element in a homogeneous sample, as tpp2m
quantify gives it: material is the matrix (a name or an ID of the
database), source an X-ray source's key ("AlKa") or photon_energy its eV,
peaks a dict of line and area ({"Cu 2p3/2": 1000.0, "O 1s": 250.0}), beta
a dict of line and asymmetry parameter, layer a contamination layer
(material, thickness in Å). x = (A / S) / sum(A / S) with S = sigma W IMFP T O:
the cross-section in barns (a doublet written as "Cu 2p" counts both
components), the angular factor at source_angle (default the magic angle,
where W = 1; beta 2 for an s level unless given), the matrix's IMFP, the
transmission E^-transmission_exponent and the layer's attenuation at angle
(degrees from the surface normal).

>>> korvane.quantify("Cu2O", source="AlKa", peaks={"Cu 2p3/2": 1000.0, "O 1s": 250.0})["atomic_percent"]
array([50.85443302, 49.14556698])

Returns a dict of NumPy arrays, one per field of tpp2m quantify (line,
element, binding_energy_eV, kinetic_energy_eV, area, cross_section_b,
asymmetry, angular_factor, imfp_A, transmission, overlayer_attenuation,
sensitivity, atomic_percent, error), one element per peak in the order
given; NaN where a factor has no value. Raises ValueError with tpp2m's words
for refused input, naming the arguments.)";

// The reader's names as the arguments spell them.
std::string argumentSpelling(std::string_view name)
{
    if (name == "peak")
        return "peaks";
    std::string spelt(name);
    std::replace(spelt.begin(), spelt.end(), '-', '_');
    return spelt;
}

std::string text(py::handle value)
{
    return py::str(value).cast<std::string>();
}

// Each "LINE=VALUE" of a dict, under the reader's name.
void addPairs(NamedTexts& inputs, const char* name, py::handle pairs)
{
    if (pairs.is_none())
        return;
    if (!py::isinstance<py::dict>(pairs))
        throw py::type_error(argumentSpelling(name) + " is a dict of line and number");
    for (const auto& [line, value] : py::reinterpret_borrow<py::dict>(pairs))
        inputs.push_back({name, text(line) + "=" + text(value)});
}

struct QuantifyArguments {
    py::handle material;
    py::handle source;
    py::handle peaks;
    py::handle photonEnergy;
    py::handle angle;
    py::handle sourceAngle;
    py::handle beta;
    py::handle transmissionExponent;
    py::handle layer;
    bool relativistic = false;
    py::handle database;
    py::handle include;
};

NamedTexts inputsOf(const QuantifyArguments& arguments)
{
    NamedTexts inputs;
    addPairs(inputs, "peak", arguments.peaks);
    addPairs(inputs, "beta", arguments.beta);
    const std::pair<const char*, py::handle> values[] = {{"source", arguments.source},
                                                         {"photon-energy", arguments.photonEnergy},
                                                         {"angle", arguments.angle},
                                                         {"source-angle", arguments.sourceAngle},
                                                         {"transmission-exponent", arguments.transmissionExponent}};
    for (const auto& [name, value] : values)
        if (!value.is_none())
            inputs.push_back({name, text(value)});
    if (!arguments.layer.is_none()) {
        const py::tuple pair = py::reinterpret_borrow<py::object>(arguments.layer).cast<py::tuple>();
        if (pair.size() != 2)
            throw py::value_error("layer is a (material, thickness) pair");
        inputs.push_back({"layer", text(pair[0]) + ":" + text(pair[1])});
    }
    if (arguments.relativistic)
        inputs.push_back({"relativistic", ""});
    return inputs;
}

template <typename Field>
py::array column(const std::vector<QuantificationRow>& rows, Field field)
{
    std::vector<double> values;
    for (const QuantificationRow& row : rows)
        values.push_back(static_cast<double>(row.*field));
    return py::array_t<double>(static_cast<py::ssize_t>(values.size()), values.data());
}

py::array texts(const std::vector<QuantificationRow>& rows, std::string QuantificationRow::*field)
{
    std::vector<std::string> values;
    for (const QuantificationRow& row : rows)
        values.push_back(row.*field);
    return py::array(py::cast(values));
}

py::dict quantifyPeaks(const QuantifyArguments& arguments)
{
    const Result<Request> request =
        readRequest(inputsOf(arguments), {.quantification = true, .asker = "quantify"}, argumentSpelling);
    if (!request)
        throw py::value_error(request.error());
    const ValenceTicks groups = includedGroups(arguments.include);
    SampleQuantification sample{.matrix = databaseMaterial(arguments.material, arguments.database, groups),
                                .form = arguments.relativistic ? ImfpForm::Relativistic : ImfpForm::NonRelativistic,
                                .photonEnergy = request->photons.photonEnergy
                                    ? *request->photons.photonEnergy
                                    : findXraySource(*request->photons.sourceKey)->photonEnergy,
                                .emissionAngle = request->angle,
                                .sourceAngle = request->sourceAngle,
                                .transmissionExponent = request->transmissionExponent,
                                .peaks = request->peaks,
                                .spelling = argumentSpelling};
    if (!request->layers.empty()) {
        const py::tuple pair = py::reinterpret_borrow<py::object>(arguments.layer).cast<py::tuple>();
        sample.layer = databaseMaterial(pair[0], arguments.database, groups);
        sample.layerThickness = request->layers.front().thickness;
    }
    const Result<std::vector<QuantificationRow>> rows = quantifySample(sample);
    if (!rows)
        throw py::value_error(rows.error());
    py::dict result;
    result["line"] = texts(*rows, &QuantificationRow::line);
    result["element"] = texts(*rows, &QuantificationRow::element);
    result["binding_energy_eV"] = column(*rows, &QuantificationRow::bindingEnergy);
    result["kinetic_energy_eV"] = column(*rows, &QuantificationRow::kineticEnergy);
    result["area"] = column(*rows, &QuantificationRow::area);
    result["cross_section_b"] = column(*rows, &QuantificationRow::crossSection);
    result["asymmetry"] = column(*rows, &QuantificationRow::asymmetry);
    result["angular_factor"] = column(*rows, &QuantificationRow::angularFactor);
    result["imfp_A"] = column(*rows, &QuantificationRow::imfp);
    result["transmission"] = column(*rows, &QuantificationRow::transmission);
    result["overlayer_attenuation"] = column(*rows, &QuantificationRow::overlayerAttenuation);
    result["sensitivity"] = column(*rows, &QuantificationRow::sensitivity);
    result["atomic_percent"] = column(*rows, &QuantificationRow::atomicPercent);
    result["error"] = texts(*rows, &QuantificationRow::error);
    return result;
}

} // namespace

void addQuantify(py::module_& module)
{
    module.def(
        "quantify",
        [](py::handle material, py::handle source, py::handle peaks, py::handle photonEnergy, py::handle angle,
           py::handle sourceAngle, py::handle beta, py::handle transmissionExponent, py::handle layer,
           bool relativistic, py::handle database, py::handle include) {
            return quantifyPeaks({material, source, peaks, photonEnergy, angle, sourceAngle, beta, transmissionExponent,
                                  layer, relativistic, database, include});
        },
        kQuantifyDoc, py::arg("material"), py::kw_only(), py::arg("source") = py::none(), py::arg("peaks"),
        py::arg("photon_energy") = py::none(), py::arg("angle") = 0.0, py::arg("source_angle") = py::none(),
        py::arg("beta") = py::none(), py::arg("transmission_exponent") = 0.0, py::arg("layer") = py::none(),
        py::arg("relativistic") = false, py::arg("database") = py::none(),
        py::arg("include") = py::cast(tickedGroupNames(kDefaultValenceTicks)).cast<py::tuple>());
}

} // namespace korvane::python
