#include "calc/TrajectorySimulation.h"

#include "calc/AtomicUnits.h"
#include "calc/CounterRandom.h"
#include "calc/SignalDepth.h"
#include "core/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <new>
#include <optional>
#include <system_error>
#include <thread>

namespace korvane {

namespace {

constexpr double kDegree = atomic::kPi / 180;
constexpr double kRouletteWeight = 0.01; // below it a path plays Russian roulette
constexpr double kRouletteSurvival = 0.1;
constexpr double kBinnedWeight = 1e-12;     // the bins take no track of smaller weight
constexpr double kFaintDipoleWeight = 0.01; // of the mean emission: below it phi and CF get a note

struct Geometry {
    Direction start;  // the reversed path's first direction
    Direction xRays;  // the X-rays' direction of travel
    double asymmetry; // beta
};

Geometry geometryOf(const SimulationSettings& settings)
{
    const double theta = settings.angle * kDegree;
    const double alpha = (settings.emission.sourceAngle - settings.angle) * kDegree;
    // The analyser looks along (sin theta, 0, -cos theta) out of the surface;
    // the source lies at alpha from the normal on the other side.
    return {{-std::sin(theta), 0, std::cos(theta)}, {std::sin(alpha), 0, std::cos(alpha)}, settings.emission.asymmetry};
}

double segmentWeight(const Geometry& g, const Direction& travel)
{
    if (g.asymmetry == 0)
        return 1;
    const double cosGamma = -(g.xRays[0] * travel[0] + g.xRays[1] * travel[1] + g.xRays[2] * travel[2]);
    return dipoleWeight(g.asymmetry, cosGamma);
}

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

void followElectron(BatchScores& s, const ScatteringMedium& m, const Geometry& g, const DepthBins& bins,
                    CounterRandom& random)
{
    Direction d = g.start;
    double z = 0, w = 1;
    for (;;) {
        const double free = std::isinf(m.elasticMfp) ? m.elasticMfp : -m.elasticMfp * std::log1p(-random.uniform());
        const double mu = d[2];
        const double exit = mu < 0 ? -z / mu : std::numeric_limits<double>::infinity();
        const double length = std::min(free, exit);
        scoreSegment(s, bins, m.imfp, z, mu, length, w * segmentWeight(g, d));
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
    const Geometry geometry = geometryOf(settings);
    const double cosine = std::cos(settings.angle * kDegree);
    const DepthBins bins = depthBins(medium.imfp, settings);
    SimulationScores result;
    result.cosine = cosine;
    result.imfpCosine = medium.imfp * cosine;
    result.binWidth = bins.width;
    result.binCount = bins.count;
    result.normalisation =
        cosine / dipoleWeight(settings.emission.asymmetry, std::cos(settings.emission.sourceAngle * kDegree));
    result.albedo = medium.imfp / (medium.imfp + medium.transportMfp);
    result.batches.resize(kSimulationBatches);

    const std::uint64_t n = settings.electrons;
    std::atomic<int> nextBatch{0};
    std::atomic<bool> stopped{false};
    std::mutex mutex; // over `finished`, `failure` and the progress calls
    int finished = 0;
    std::optional<Failed> failure;
    const auto fail = [&](Failed why) {
        const std::lock_guard lock(mutex);
        if (!failure)
            failure = std::move(why);
        stopped = true;
    };
    const auto batches = [&] {
        for (int b = nextBatch++; b < kSimulationBatches; b = nextBatch++) {
            BatchScores& s = result.batches[static_cast<std::size_t>(b)];
            const std::uint64_t first = n * static_cast<std::uint64_t>(b) / kSimulationBatches;
            const std::uint64_t last = n * static_cast<std::uint64_t>(b + 1) / kSimulationBatches;
            s.electrons = last - first;
            for (std::uint64_t i = first; i < last; ++i) {
                if (stopped.load(std::memory_order_relaxed)
                    || (settings.cancel && settings.cancel->load(std::memory_order_relaxed))) {
                    stopped = true;
                    return;
                }
                CounterRandom random(settings.seed, i);
                followElectron(s, medium, geometry, bins, random);
            }
            const std::lock_guard lock(mutex);
            ++finished;
            if (settings.progress)
                settings.progress(static_cast<double>(finished) / kSimulationBatches);
        }
    };
    // A thread that fails stops the others; its exception never leaves it.
    const auto work = [&] {
        try {
            batches();
        } catch (const std::bad_alloc&) {
            fail({kSimulationOutOfMemory, ErrorCode::OutOfRange});
        } catch (const std::exception& e) {
            fail({std::string("the simulation failed: ") + e.what()});
        } catch (...) {
            fail({"the simulation failed"});
        }
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const unsigned threads = std::min<unsigned>(settings.threads == 0 ? cores : settings.threads, kSimulationBatches);
    std::vector<std::thread> pool;
    pool.reserve(threads);
    try {
        for (unsigned t = 1; t < threads; ++t)
            pool.emplace_back(work);
    } catch (const std::system_error&) {
        // Fewer threads than asked: the batches, and so the numbers, are the same.
    }
    work();
    for (std::thread& t : pool)
        t.join();
    if (failure)
        return *failure;
    if (stopped)
        return Failed{"the simulation was cancelled"};
    return result;
}

} // namespace korvane
