#include "python/Calculations.h"

#include "calc/ElasticCorrection.h"
#include "calc/ValidEnergyRange.h"
#include "lookup/MaterialImfp.h"
#include "query/Corrections.h"
#include "query/ImfpEvaluation.h"
#include "query/PositiveInputs.h"
#include "python/MaterialsTable.h"
#include "python/ScalarArguments.h"
#include "python/SingleResults.h"

namespace korvane::python {

namespace {

// tpp2m's note, as a Python warning, when an energy lies where the formula
// was not fitted.
void warnWhenOutsideValidRange(bool outside)
{
    if (outside && PyErr_WarnEx(PyExc_UserWarning, kOutsideValidEnergyRangeNote, 1) != 0)
        throw py::error_already_set();
}

const QString kNoFactor = QLatin1String(kNoCorrectionFactorNote);

// Which values an input of the elastic-scattering quantities may take.
enum class Bound { Any, ZeroOrAbove, AboveZero };

bool within(float value, Bound bound)
{
    return bound == Bound::Any || value > 0 || (bound == Bound::ZeroOrAbove && value == 0);
}

// The N inputs held as Singles; false when one is beyond the Single range.
template <std::size_t N>
bool heldAsSingles(const std::array<double, N>& values, std::array<float, N>* held)
{
    bool finite = true;
    for (std::size_t k = 0; k < N; ++k) {
        (*held)[k] = static_cast<float>(values[k]);
        finite = finite && std::isfinite((*held)[k]);
    }
    return finite;
}

// The inputs of the formula by their order in a call: energy, density, mass, gap, nv.
ImfpInputs imfpInputs(const std::array<float, 5>& v)
{
    return {v[1], v[4], v[2], v[3], v[0]};
}

// Why an element of imfp has no value, in tpp2m's words; inputs that are no
// length, density, mass or count of electrons first, in the order a user checks.
Failed imfpFailure(const std::array<double, 5>& v, ImfpForm form)
{
    const char* const names[] = {"energy", "density", "mass", "gap", "nv"};
    for (std::size_t k = 0; k < v.size(); ++k) {
        if (const Result<float> held = single(v[k], names[k]); !held)
            return held.failure();
    }
    const ImfpInputs in = imfpInputs({float(v[0]), float(v[1]), float(v[2]), float(v[3]), float(v[4])});
    // Below 0 is refused in tpp2m's words; 0 itself is the formula's failure.
    if (in.valenceElectrons < 0)
        return checkAboveZero(PositiveInput::ValenceElectrons, in.valenceElectrons).failure();
    if (in.mass < 0)
        return checkAboveZero(PositiveInput::Mass, in.mass).failure();
    return evaluateImfp(MaterialValues{in.density, in.mass, in.bandGap, in.valenceElectrons}, in.energy, form)
        .failure();
}

// The IMFP of each element of energy, density, mass, gap and nv.
py::object imfpResults(const Broadcast<5>& inputs, ImfpForm form, NoValuePolicy policy)
{
    bool outside = false;
    py::object results = arrayResults<float>(
        inputs, policy,
        [&](const std::array<double, 5>& v) -> Element<float> {
            std::array<float, 5> held;
            if (anyNan(v))
                return failed<float>(Verdict::NanIn);
            if (!heldAsSingles(v, &held))
                return failed<float>(Verdict::WrongInput);
            const ImfpInputs in = imfpInputs(held);
            if (!(in.energy > 0 && in.density > 0 && in.mass > 0 && in.valenceElectrons > 0))
                return failed<float>(Verdict::WrongInput);
            outside = outside || outsideValidEnergyRange(in.energy);
            return valueOr(imfp(form, in).length, Verdict::NoValue);
        },
        [&](const std::array<double, 5>& v) -> Result<float> { return imfpFailure(v, form); });
    warnWhenOutsideValidRange(outside);
    return results;
}

// `compute` of two Single arguments within their bounds, element by element;
// `failure` where it gives no value.
template <class Compute>
py::object ofTwoSingles(py::handle first, py::handle second, const std::array<const char*, 2>& names,
                        const std::array<Bound, 2>& bounds, const std::array<std::optional<PositiveInput>, 2>& positive,
                        Compute compute, const QString& failure, NoValuePolicy policy)
{
    return arrayResults<float>(
        Broadcast<2>({first, second}, names), policy,
        [&](const std::array<double, 2>& v) -> Element<float> {
            std::array<float, 2> held;
            if (anyNan(v))
                return failed<float>(Verdict::NanIn);
            if (!heldAsSingles(v, &held) || !within(held[0], bounds[0]) || !within(held[1], bounds[1]))
                return failed<float>(Verdict::WrongInput);
            return valueOr(compute(held[0], held[1]), Verdict::NoValue);
        },
        [&](const std::array<double, 2>& v) -> Result<float> {
            if (const Result<void> read = allRead(single(v[0], names[0]), single(v[1], names[1])); !read)
                return read.failure();
            // A quantity that exists only above 0 is refused in tpp2m's words.
            for (std::size_t k = 0; k < 2; ++k) {
                if (!positive[k])
                    continue;
                if (Result<void> above = checkAboveZero(*positive[k], static_cast<float>(v[k])); !above)
                    return above.failure();
            }
            return Failed{failure.toStdString()};
        });
}

// The IMFP at each energy of a material of the database.
py::object imfpOfMaterial(py::handle energy, const MaterialInputs& material, ImfpForm form, NoValuePolicy policy)
{
    const MaterialValues& values = material.values;
    if (!values.density || !values.mass || !values.bandGap || !values.valenceElectrons)
        throw py::value_error(evaluateImfp(values, 1, form).error()); // "no density in the database"
    const py::float_ density(*values.density), mass(*values.mass), gap(*values.bandGap), nv(*values.valenceElectrons);
    return imfpResults(Broadcast<5>({energy, density, mass, gap, nv}, {"energy", "density", "mass", "gap", "nv"}), form,
                       policy);
}

} // namespace

py::object imfp(const ImfpArguments& arguments)
{
    NamedTexts inputs;
    inputs.reserve(7);
    if (!arguments.material.is_none())
        inputs.push_back(materialText(arguments.material));
    const std::pair<py::handle, const char*> values[] = {
        {arguments.density, "density"}, {arguments.mass, "mass"}, {arguments.gap, "gap"}, {arguments.nv, "nv"}};
    for (const auto& [value, name] : values)
        if (!value.is_none())
            inputs.push_back({name, "", true});
    inputs.push_back(includeText(arguments.include));
    if (arguments.relativistic)
        inputs.push_back({"relativistic", ""});
    const Request request = requestOf(inputs, {.oneResult = true, .asker = "imfp"});
    if (request.materials.empty())
        throw py::value_error("imfp needs a material: a name, an ID, or density, mass, gap and nv");
    const ImfpForm form = formsToCompute(request.forms).front();
    if (const auto* named = std::get_if<MaterialByName>(&request.materials.front()))
        return imfpOfMaterial(arguments.energy, databaseMaterial(*named, arguments.database, request.groups), form,
                              arguments.policy);
    return imfpResults(Broadcast<5>({arguments.energy, arguments.density, arguments.mass, arguments.gap, arguments.nv},
                                    {"energy", "density", "mass", "gap", "nv"}),
                       form, arguments.policy);
}

py::object cf1(py::handle depth, py::handle imfp, const std::string& errors)
{
    return ofTwoSingles(depth, imfp, {"depth", "imfp"}, {Bound::Any, Bound::AboveZero},
                        {std::nullopt, PositiveInput::Imfp}, correctionFactorApprox1, kNoFactor, noValuePolicy(errors));
}

py::object trmfp(py::handle density, py::handle mass, py::handle crossSection, const std::string& errors)
{
    return arrayResults<float>(
        Broadcast<3>({density, mass, crossSection}, {"density", "mass", "cross_section"}), noValuePolicy(errors),
        [](const std::array<double, 3>& v) -> Element<float> {
            std::array<float, 2> held;
            if (anyNan(v))
                return failed<float>(Verdict::NanIn);
            // The cross-section is read as a Double.
            if (!heldAsSingles(std::array{v[0], v[1]}, &held) || !std::isfinite(v[2])
                || !(held[0] > 0 && held[1] > 0 && v[2] > 0))
                return failed<float>(Verdict::WrongInput);
            // The IMFP does not enter the transport path itself.
            return valueOr(transportMeanFreePaths(held[0], held[1], v[2], 0).trMfp, Verdict::NoValue);
        },
        [](const std::array<double, 3>& v) -> Result<float> {
            if (const Result<void> read =
                    allRead(single(v[0], "density"), single(v[1], "mass"), finiteDouble(v[2], "cross_section"));
                !read)
                return read.failure();
            if (Result<void> above = checkAllAboveZero({{PositiveInput::Density, static_cast<float>(v[0])},
                                                        {PositiveInput::Mass, static_cast<float>(v[1])},
                                                        {PositiveInput::CrossSection, v[2]}});
                !above)
                return above.failure();
            return Failed{kNoTransportPath, ErrorCode::NoPhysicalValue};
        });
}

py::object effTrmfp(py::handle trmfp, py::handle imfp, const std::string& errors)
{
    return ofTwoSingles(trmfp, imfp, {"trmfp", "imfp"}, {Bound::AboveZero, Bound::ZeroOrAbove},
                        {PositiveInput::TrMfp, std::nullopt}, effectiveTransportMeanFreePath,
                        QString::fromLatin1(kNoEffectiveTransportPath), noValuePolicy(errors));
}

py::object cf2(py::handle depth, py::handle effTrmfp, const std::string& errors)
{
    return ofTwoSingles(depth, effTrmfp, {"depth", "eff_trmfp"}, {Bound::Any, Bound::AboveZero},
                        {std::nullopt, PositiveInput::EffTrMfp}, correctionFactorApprox2, kNoFactor,
                        noValuePolicy(errors));
}

} // namespace korvane::python
