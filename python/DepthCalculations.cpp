#include "python/DepthCalculations.h"

#include "calc/OverlayerThickness.h"
#include "calc/SignalDepth.h"
#include "python/SingleResults.h"

namespace korvane::python {

namespace {

DepthCorrection correctionOf(const DepthModelChoice& model)
{
    const bool cf2 = model.correction == "cf2";
    if (cf2 && model.effTrmfp.is_none())
        throw py::value_error("correction=\"cf2\" needs eff_trmfp");
    if (!cf2 && !model.effTrmfp.is_none())
        throw py::value_error("eff_trmfp is used only with correction=\"cf2\"");
    if (model.correction == "none")
        return DepthCorrection::None;
    if (model.correction == "cf1")
        return DepthCorrection::Approx1;
    if (cf2)
        return DepthCorrection::Approx2;
    throw py::value_error("unknown correction \"" + model.correction + "\" (choose from none, cf1, cf2)");
}

DoubleOutcome outcomeOf(const DepthValue& value)
{
    return {value.value, QString::fromStdString(value.error)};
}

// `compute(model, extra)` for every element of imfp, angle, EffTrMFP and one
// more input, `extra`.
template <typename Compute>
py::object depthResults(py::handle imfp, py::handle angle, const DepthModelChoice& choice, py::handle extra,
                        const char* extraName, Compute&& compute)
{
    const DepthCorrection correction = correctionOf(choice);
    const py::object effTrmfp =
        choice.effTrmfp.is_none() ? py::object(py::float_(0.0)) : py::reinterpret_borrow<py::object>(choice.effTrmfp);
    const Broadcast<4> inputs({imfp, angle, effTrmfp, extra}, {"imfp", "angle", "eff_trmfp", extraName});
    return doubleResults(inputs, [&](const std::array<double, 4>& v) -> DoubleOutcome {
        QString error;
        const auto lambda = single(v[0], "imfp", &error);
        const auto theta = finiteDouble(v[1], "angle", &error);
        const auto path = single(v[2], "eff_trmfp", &error);
        const auto more = finiteDouble(v[3], extraName, &error);
        if (!lambda || !theta || !path || !more)
            return {std::nullopt, error};
        return outcomeOf(compute(DepthModel{correction, *lambda, *theta, *path}, *more));
    });
}

} // namespace

py::object informationDepth(py::handle imfp, py::handle probability, py::handle angle, const DepthModelChoice& model)
{
    return depthResults(imfp, angle, model, probability, "probability",
                        [](const DepthModel& m, double p) { return korvane::informationDepth(m, p); });
}

py::object meanEscapeDepth(py::handle imfp, py::handle angle, const DepthModelChoice& model)
{
    return depthResults(imfp, angle, model, py::float_(0.0), "",
                        [](const DepthModel& m, double) { return korvane::meanEscapeDepth(m); });
}

py::object signalFraction(py::handle thickness, py::handle imfp, py::handle angle, const DepthModelChoice& model)
{
    return depthResults(imfp, angle, model, thickness, "thickness",
                        [](const DepthModel& m, double d) { return korvane::signalFraction(m, d); });
}

py::object overlayerThickness(py::handle imfpOverlayer, py::handle imfpSubstrateInOverlayer, py::handle ratio,
                              py::handle bulkRatio, py::handle angle)
{
    const Broadcast<5> inputs({imfpOverlayer, imfpSubstrateInOverlayer, ratio, bulkRatio, angle},
                              {"imfp_overlayer", "imfp_substrate_in_overlayer", "ratio", "bulk_ratio", "angle"});
    return doubleResults(inputs, [](const std::array<double, 5>& v) -> DoubleOutcome {
        QString error;
        const auto own = single(v[0], "imfp_overlayer", &error);
        const auto crossing = single(v[1], "imfp_substrate_in_overlayer", &error);
        const auto ratio = finiteDouble(v[2], "ratio", &error);
        const auto bulk = finiteDouble(v[3], "bulk_ratio", &error);
        const auto theta = finiteDouble(v[4], "angle", &error);
        if (!own || !crossing || !ratio || !bulk || !theta)
            return {std::nullopt, error};
        return outcomeOf(korvane::overlayerThickness({*own, *crossing, *theta}, *ratio, *bulk));
    });
}

} // namespace korvane::python
