#include "calc/TrajectorySimulation.h"

#include "calc/ReversedPath.h"
#include "calc/SimulationBatches.h"
#include "calc/SignalDepth.h"
#include "core/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace korvane {

namespace {

using reversed::kDegree;
using reversed::kRouletteSurvival;
using reversed::kRouletteWeight;
constexpr double kBinnedWeight = 1e-12;     // the bins take no track of smaller weight
constexpr double kFaintDipoleWeight = 0.01; // of the mean emission: below it phi and CF get a note

// The depth bins of one simulation: bin 0 is [0, h/2), bin i >= 1 is
// [(i - 1/2) h, (i + 1/2) h), and there are `count` of them.
struct DepthBins {
    double width = 0;
    std::size_t count = 0;
};

// Adds to the bins the weighted track of a straight path from depth z0 along
// the depth cosine mu, of length `length` (may be infinite), on which the
// weight falls from w0 as exp(-t / imfp). Track below the last bin is left
// out; a path rising from there is binned from where it enters.
void binSegment(std::vector<double>& bins, const DepthBins& d, double imfp, double z0, double mu, double length,
                double w0)
{
    const double h = d.width;
    const double bottom = (static_cast<double>(d.count) - 0.5) * h; // the last bin's lower boundary
    std::size_t bin = d.count - 1;
    if (z0 < bottom) {
        bin = std::min(bin, static_cast<std::size_t>(std::max(0.0, std::floor(z0 / h + 0.5))));
    } else {
        if (!(mu < -1e-12))
            return;
        const double t = (z0 - bottom) / -mu;
        if (t >= length)
            return;
        w0 *= std::exp(-t / imfp);
        length -= t;
        z0 = bottom;
    }
    const double decay = std::isinf(length) ? 0.0 : std::exp(-length / imfp);
    const auto add = [&bins, &d](std::size_t i, double v) {
        if (i >= bins.size())
            bins.resize(std::min(std::max(i + 1, bins.size() * 2), d.count), 0.0);
        bins[i] += v;
    };
    if (std::fabs(mu) < 1e-12) {
        add(bin, w0 * imfp * (1 - decay));
        return;
    }
    // Walk the bins the path crosses; the weight at successive boundaries
    // falls by a constant factor.
    const double boundary =
        mu > 0 ? (static_cast<double>(bin) + 0.5) * h : (bin == 0 ? 0.0 : (static_cast<double>(bin) - 0.5) * h);
    double weight = w0;
    double tNext = (boundary - z0) / mu;
    double wNext = w0 * std::exp(-tNext / imfp);
    const double tStep = h / std::fabs(mu);
    const double stepDecay = std::exp(-tStep / imfp);
    for (;;) {
        if (tNext >= length) {
            add(bin, imfp * (weight - w0 * decay));
            return;
        }
        add(bin, imfp * (weight - wNext));
        if (wNext < kBinnedWeight || (mu < 0 && bin == 0) || (mu > 0 && bin + 1 == d.count))
            return;
        weight = wNext;
        bin = mu > 0 ? bin + 1 : bin - 1;
        tNext += (mu < 0 && bin == 0 ? tStep / 2 : tStep);
        wNext = weight * (mu < 0 && bin == 0 ? std::exp(-tStep / (2 * imfp)) : stepDecay);
    }
}

// Scores a straight path from depth z0 along the depth cosine mu, of length
// `length` (may be infinite), on which the weight falls from w0 as
// exp(-t / imfp).
void scoreSegment(BatchScores& s, const DepthBins& d, double imfp, double z0, double mu, double length, double w0)
{
    const double decay = std::isinf(length) ? 0.0 : std::exp(-length / imfp);
    s.total += w0 * imfp * (1 - decay);
    // Int w0 exp(-t/imfp) (z0 + mu t) dt over [0, length].
    const double tailMoment = std::isinf(length) ? imfp * imfp : imfp * imfp * (1 - decay) - imfp * length * decay;
    s.depthMoment += w0 * (z0 * imfp * (1 - decay) + mu * tailMoment);
    binSegment(s.bins, d, imfp, z0, mu, length, w0);
}

void followElectron(BatchScores& s, const ScatteringMedium& m, const reversed::Geometry& g, const DepthBins& bins,
                    CounterRandom& random)
{
    Direction d = g.start;
    double z = 0, w = 1;
    for (;;) {
        const double free = std::isinf(m.elasticMfp) ? m.elasticMfp : -m.elasticMfp * std::log1p(-random.uniform());
        const double mu = d[2];
        const double exit = mu < 0 ? -z / mu : std::numeric_limits<double>::infinity();
        const double length = std::min(free, exit);
        scoreSegment(s, bins, m.imfp, z, mu, length, w * reversed::segmentWeight(g, d));
        if (free >= exit || std::isinf(free))
            return;
        z += mu * free;
        w *= std::exp(-free / m.imfp);
        if (w < kRouletteWeight) {
            if (random.uniform() >= kRouletteSurvival)
                return;
            w /= kRouletteSurvival;
        }
        const double cosTheta = m.angles->cosine(random.uniform());
        d = deflected(d, cosTheta, 2 * atomic::kPi * random.uniform());
    }
}

// The finest step (a fraction of imfp cos(angle)) whose bins down to
// kScoredDepth IMFPs are at most kMostProfileDepths.
double finestStep(double angle)
{
    return kScoredDepth / (static_cast<double>(kMostProfileDepths) * std::cos(angle * kDegree));
}

DepthBins depthBins(double imfp, const SimulationSettings& settings)
{
    const double step = std::max(settings.step, finestStep(settings.angle));
    const double cosine = std::cos(settings.angle * kDegree);
    const double count = std::ceil(kScoredDepth / (step * cosine) + 0.5);
    return {step * imfp * cosine, std::min(static_cast<std::size_t>(count), kMostProfileDepths + 1)};
}

// A positive number with `digits` significant digits, rounded up or down.
std::string rounded(double value, int digits, bool up)
{
    const double unit = std::pow(10.0, std::floor(std::log10(value)) - digits + 1);
    char text[32];
    for (double v = value;;) {
        std::snprintf(text, sizeof text, "%.*g", digits, v);
        const double shown = numbers::readDouble(text).value_or(value);
        if (up ? shown >= value : shown <= value)
            return text;
        v = shown + (up ? unit : -unit);
    }
}

} // namespace

double dipoleWeight(double asymmetry, double cosGamma)
{
    return 1 - asymmetry / 4 * (3 * cosGamma * cosGamma - 1);
}

std::string dipoleWeightNote(const Emission& emission)
{
    const double w = dipoleWeight(emission.asymmetry, std::cos(emission.sourceAngle * kDegree));
    if (emission.asymmetry == 0 || !(w < kFaintDipoleWeight))
        return {};
    return "the dipole weight towards the analyser is only " + rounded(w, 2, false)
        + " at this source angle and asymmetry (it vanishes at a source angle of 0\u00B0 for an asymmetry of 2): "
          "\u03C6 and CF are divided by it";
}

Result<void> checkProfileStep(double angle, double step)
{
    const double finest = finestStep(angle);
    if (step >= finest)
        return {};
    const std::string limit = "a profile has at most " + std::to_string(kMostProfileDepths) + " depths, down to "
        + numbers::shortest15(kScoredDepth) + " IMFP: at this angle ";
    if (finest <= 1)
        return Failed{limit + "the step must be at least " + rounded(finest, 2, true), ErrorCode::InvalidInput};
    const double steepest = std::acos(kScoredDepth / static_cast<double>(kMostProfileDepths)) / kDegree;
    return Failed{limit + "even a step of 1 gives more; a profile needs an angle of at most "
                      + rounded(steepest, 6, false) + "\u00B0",
                  ErrorCode::InvalidInput};
}

Result<void> checkSimulationInputs(const ScatteringMedium& medium, const SimulationSettings& settings)
{
    if (Result<void> angle = checkAngle(settings.angle); !angle)
        return angle;
    if (!(settings.emission.asymmetry >= -1 && settings.emission.asymmetry <= 2))
        return Failed{"the asymmetry parameter must be from -1 to 2", ErrorCode::InvalidInput};
    const double alpha = settings.emission.sourceAngle - settings.angle;
    if (!(std::fabs(alpha) < 90))
        return Failed{"the X-ray source must lie above the surface: the source angle less the emission angle must be "
                      "between -90 and 90 degrees",
                      ErrorCode::InvalidInput};
    if (!(dipoleWeight(settings.emission.asymmetry, std::cos(settings.emission.sourceAngle * kDegree)) > 0))
        return Failed{"no photoelectrons leave towards the analyser at this source angle and asymmetry",
                      ErrorCode::InvalidInput};
    if (settings.electrons < 1000)
        return Failed{"at least 1000 electrons are needed", ErrorCode::InvalidInput};
    if (!(settings.step > 0 && settings.step <= 1))
        return Failed{"the depth step must be above 0 and at most 1", ErrorCode::InvalidInput};
    if (!(medium.imfp > 0 && std::isfinite(medium.imfp)))
        return Failed{"the IMFP must be above 0", ErrorCode::InvalidInput};
    if (!(medium.elasticMfp > 0) || (std::isfinite(medium.elasticMfp) && medium.angles == nullptr))
        return Failed{"the elastic mean free path must be above 0, with its angular distribution",
                      ErrorCode::InvalidInput};
    return {};
}

Result<SimulationScores> simulateTrajectories(const ScatteringMedium& medium, const SimulationSettings& settings)
{
    const reversed::Geometry geometry = reversed::geometryOf(settings);
    const double cosine = std::cos(settings.angle * kDegree);
    const DepthBins bins = depthBins(medium.imfp, settings);
    SimulationScores result;
    result.cosine = cosine;
    result.imfpCosine = medium.imfp * cosine;
    result.binWidth = bins.width;
    result.binCount = bins.count;
    result.normalisation = reversed::signalNormalisation(settings);
    result.albedo = medium.imfp / (medium.imfp + medium.transportMfp);
    result.batches.resize(kSimulationBatches);
    for (int b = 0; b < kSimulationBatches; ++b)
        result.batches[static_cast<std::size_t>(b)].electrons = electronsOfBatch(settings.electrons, b);
    const Result<void> run = runSimulationBatches(settings, [&](int b, CounterRandom& random) {
        followElectron(result.batches[static_cast<std::size_t>(b)], medium, geometry, bins, random);
    });
    if (!run)
        return run.failure();
    return result;
}

} // namespace korvane
