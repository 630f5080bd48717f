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

// A depth computed, or why not: wrong input when calc refuses the inputs,
// else no value (a result too large to be held).
Element<double> verdictOf(const Result<double>& value)
{
    if (value)
        return {*value, Verdict::Value};
    return failed<double>(value.code() == ErrorCode::InvalidInput ? Verdict::WrongInput : Verdict::NoValue);
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
    // Each element's model, or why there is none.
    const auto modelOf = [&](const std::array<double, 4>& v) -> Result<DepthModel> {
        const Result<float> lambda = single(v[0], "imfp");
        const Result<double> theta = finiteDouble(v[1], "angle");
        const Result<float> path = single(v[2], "eff_trmfp");
        if (const Result<void> read = allRead(lambda, theta, path, finiteDouble(v[3], extraName)); !read)
            return read.failure();
        return DepthModel{correction, *lambda, *theta, *path};
    };
    return arrayResults<double>(
        inputs, choice.policy,
        [&](const std::array<double, 4>& v) -> Element<double> {
            if (anyNan(v))
                return failed<double>(Verdict::NanIn);
            const Result<DepthModel> model = modelOf(v);
            if (!model)
                return failed<double>(Verdict::WrongInput);
            return verdictOf(compute(*model, v[3]));
        },
        [&](const std::array<double, 4>& v) -> Result<double> {
            const Result<DepthModel> model = modelOf(v);
            if (!model)
                return model.failure();
            return compute(*model, v[3]);
        },
        kCostlyElementsPerSignalCheck);
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
                              py::handle bulkRatio, py::handle angle, NoValuePolicy policy)
{
    const Broadcast<5> inputs({imfpOverlayer, imfpSubstrateInOverlayer, ratio, bulkRatio, angle},
                              {"imfp_overlayer", "imfp_substrate_in_overlayer", "ratio", "bulk_ratio", "angle"});
    // Each element's overlayer and ratios, or why there are none.
    const auto read = [](const std::array<double, 5>& v) -> Result<Overlayer> {
        const Result<float> own = single(v[0], "imfp_overlayer");
        const Result<float> crossing = single(v[1], "imfp_substrate_in_overlayer");
        const Result<double> theta = finiteDouble(v[4], "angle");
        if (const Result<void> all =
                allRead(own, crossing, finiteDouble(v[2], "ratio"), finiteDouble(v[3], "bulk_ratio"), theta);
            !all)
            return all.failure();
        return Overlayer{*own, *crossing, *theta};
    };
    return arrayResults<double>(
        inputs, policy,
        [&](const std::array<double, 5>& v) -> Element<double> {
            if (anyNan(v))
                return failed<double>(Verdict::NanIn);
            const Result<Overlayer> overlayer = read(v);
            if (!overlayer)
                return failed<double>(Verdict::WrongInput);
            return verdictOf(korvane::overlayerThickness(*overlayer, v[2], v[3]));
        },
        [&](const std::array<double, 5>& v) -> Result<double> {
            const Result<Overlayer> overlayer = read(v);
            if (!overlayer)
                return overlayer.failure();
            return korvane::overlayerThickness(*overlayer, v[2], v[3]);
        },
        kCostlyElementsPerSignalCheck);
}

} // namespace korvane::python
