#include "python/Calculations.h"

#include "calc/ElasticCorrection.h"
#include "calc/ValidEnergyRange.h"
#include "cli/ImfpEvaluation.h"
#include "cli/MaterialCrossSection.h"
#include "python/SingleResults.h"

namespace korvane::python {

namespace {

ImfpForm formOf(bool relativistic)
{
    return relativistic ? ImfpForm::Relativistic : ImfpForm::NonRelativistic;
}

// tpp2m's note, as a Python warning, when an energy lies where the formula
// was not fitted.
void warnWhenOutsideValidRange(bool outside)
{
    if (outside && PyErr_WarnEx(PyExc_UserWarning, kOutsideValidEnergyRangeNote, 1) != 0)
        throw py::error_already_set();
}

const QString kNoFactor = QLatin1String(kNoCorrectionFactorNote);

// `compute` of two Single arguments, element by element; `failure` where it
// gives no value.
template <class Compute>
py::object ofTwoSingles(py::handle first, py::handle second, const std::array<const char*, 2>& names, Compute compute,
                        const QString& failure)
{
    return singleResults(Broadcast<2>({first, second}, names), [&](const std::array<double, 2>& v) -> ElementOutcome {
        QString error;
        const auto a = single(v[0], names[0], &error);
        const auto b = single(v[1], names[1], &error);
        if (!a || !b)
            return {std::nullopt, error};
        const std::optional<float> value = compute(*a, *b);
        return {value, value ? QString() : failure};
    });
}

} // namespace

py::object imfpOfValues(py::handle energy, py::handle density, py::handle mass, py::handle gap, py::handle nv,
                        bool relativistic)
{
    const Broadcast<5> inputs({energy, density, mass, gap, nv}, {"energy", "density", "mass", "gap", "nv"});
    const ImfpForm form = formOf(relativistic);
    bool outside = false;
    py::object results = singleResults(inputs, [&](const std::array<double, 5>& v) -> ElementOutcome {
        QString error;
        const auto e = single(v[0], "energy", &error);
        const auto rho = single(v[1], "density", &error);
        const auto m = single(v[2], "mass", &error);
        const auto eg = single(v[3], "gap", &error);
        const auto n = single(v[4], "nv", &error);
        if (!e || !rho || !m || !eg || !n)
            return {std::nullopt, error};
        outside = outside || outsideValidEnergyRange(*e);
        const cli::ImfpOutcome outcome = cli::evaluateImfp({{}, std::nullopt, rho, m, eg, n}, *e, form);
        return {outcome.imfp, outcome.error};
    });
    warnWhenOutsideValidRange(outside);
    return results;
}

py::object imfpOfMaterial(py::handle energy, const cli::MaterialInputs& material, bool relativistic)
{
    const Broadcast<1> inputs({energy}, {"energy"});
    const ImfpForm form = formOf(relativistic);
    bool outside = false;
    py::object results = singleResults(inputs, [&](const std::array<double, 1>& v) -> ElementOutcome {
        QString error;
        const auto e = single(v[0], "energy", &error);
        if (!e)
            return {std::nullopt, error};
        outside = outside || outsideValidEnergyRange(*e);
        const cli::ImfpOutcome outcome = cli::evaluateImfp(material, *e, form);
        return {outcome.imfp, outcome.error};
    });
    warnWhenOutsideValidRange(outside);
    return results;
}

py::object cf1(py::handle depth, py::handle imfp)
{
    return ofTwoSingles(depth, imfp, {"depth", "imfp"}, correctionFactorApprox1, kNoFactor);
}

py::object trmfp(py::handle density, py::handle mass, py::handle crossSection)
{
    return singleResults(Broadcast<3>({density, mass, crossSection}, {"density", "mass", "cross_section"}),
                         [](const std::array<double, 3>& v) -> ElementOutcome {
                             QString error;
                             const auto rho = single(v[0], "density", &error);
                             const auto m = single(v[1], "mass", &error);
                             const auto sigma = finiteDouble(v[2], "cross_section", &error);
                             if (!rho || !m || !sigma)
                                 return {std::nullopt, error};
                             // The IMFP does not enter the transport path itself.
                             const std::optional<float> path = transportMeanFreePaths(*rho, *m, *sigma, 0).trMfp;
                             return {path, path ? QString() : cli::kNoTransportPath};
                         });
}

py::object effTrmfp(py::handle trmfp, py::handle imfp)
{
    return ofTwoSingles(trmfp, imfp, {"trmfp", "imfp"}, effectiveTransportMeanFreePath, cli::kNoEffectiveTransportPath);
}

py::object cf2(py::handle depth, py::handle effTrmfp)
{
    return ofTwoSingles(depth, effTrmfp, {"depth", "eff_trmfp"}, correctionFactorApprox2, kNoFactor);
}

} // namespace korvane::python
