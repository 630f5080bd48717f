#include "calc/TrajectorySimulation.h"

#include "calc/AtomicUnits.h"
#include "calc/CounterRandom.h"
#include "calc/SignalDepth.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <thread>

namespace korvane {

namespace {

constexpr double kDegree = atomic::kPi / 180;
constexpr double kRouletteWeight = 0.01; // below it a path plays Russian roulette
constexpr double kRouletteSurvival = 0.1;
constexpr double kBinnedWeight = 1e-12; // the bins take no track of smaller weight

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

// Scores a straight path from depth z0 along the depth cosine mu, of length
// `length` (may be infinite), on which the weight falls from w0 as
// exp(-t / imfp).
void scoreSegment(BatchScores& s, double h, double imfp, double z0, double mu, double length, double w0)
{
    const double decay = std::isinf(length) ? 0.0 : std::exp(-length / imfp);
    const double mass = w0 * imfp * (1 - decay);
    s.total += mass;
    // Int w0 exp(-t/imfp) (z0 + mu t) dt over [0, length].
    const double tailMoment = std::isinf(length) ? imfp * imfp : imfp * imfp * (1 - decay) - imfp * length * decay;
    s.depthMoment += w0 * (z0 * imfp * (1 - decay) + mu * tailMoment);

    const auto binOf = [h](double z) { return static_cast<std::size_t>(std::max(0.0, std::floor(z / h + 0.5))); };
    std::size_t bin = binOf(z0);
    const auto add = [&s](std::size_t i, double v) {
        if (i >= s.bins.size())
            s.bins.resize(std::max(i + 1, s.bins.size() * 2), 0.0);
        s.bins[i] += v;
    };
    if (std::fabs(mu) < 1e-12) {
        add(bin, mass);
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
        if (wNext < kBinnedWeight || (mu < 0 && bin == 0))
            return;
        weight = wNext;
        bin = mu > 0 ? bin + 1 : bin - 1;
        tNext += (mu < 0 && bin == 0 ? tStep / 2 : tStep);
        wNext = weight * (mu < 0 && bin == 0 ? std::exp(-tStep / (2 * imfp)) : stepDecay);
    }
}

void followElectron(BatchScores& s, const ScatteringMedium& m, const Geometry& g, double h, CounterRandom& random)
{
    Direction d = g.start;
    double z = 0, w = 1;
    for (;;) {
        const double free = std::isinf(m.elasticMfp) ? m.elasticMfp : -m.elasticMfp * std::log1p(-random.uniform());
        const double mu = d[2];
        const double exit = mu < 0 ? -z / mu : std::numeric_limits<double>::infinity();
        const double length = std::min(free, exit);
        scoreSegment(s, h, m.imfp, z, mu, length, w * segmentWeight(g, d));
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

} // namespace

double dipoleWeight(double asymmetry, double cosGamma)
{
    return 1 - asymmetry / 4 * (3 * cosGamma * cosGamma - 1);
}

std::string simulationInputError(const ScatteringMedium& medium, const SimulationSettings& settings)
{
    if (std::string angle = angleError(settings.angle); !angle.empty())
        return angle;
    if (!(settings.emission.asymmetry >= -1 && settings.emission.asymmetry <= 2))
        return "the asymmetry parameter must be from -1 to 2";
    const double alpha = settings.emission.sourceAngle - settings.angle;
    if (!(std::fabs(alpha) < 90))
        return "the X-ray source must lie above the surface: the source angle less the emission angle must be "
               "between -90 and 90 degrees";
    if (!(dipoleWeight(settings.emission.asymmetry, std::cos(settings.emission.sourceAngle * kDegree)) > 0))
        return "no photoelectrons leave towards the analyser at this source angle and asymmetry";
    if (settings.electrons < 1000)
        return "at least 1000 electrons are needed";
    if (!(settings.step > 0 && settings.step <= 1))
        return "the depth step must be above 0 and at most 1";
    if (!(medium.imfp > 0 && std::isfinite(medium.imfp)))
        return "the IMFP must be above 0";
    if (!(medium.elasticMfp > 0) || (std::isfinite(medium.elasticMfp) && medium.angles == nullptr))
        return "the elastic mean free path must be above 0, with its angular distribution";
    return {};
}

SimulationScores simulateTrajectories(const ScatteringMedium& medium, const SimulationSettings& settings)
{
    const Geometry geometry = geometryOf(settings);
    const double cosine = std::cos(settings.angle * kDegree);
    SimulationScores result;
    result.cosine = cosine;
    result.imfpCosine = medium.imfp * cosine;
    result.binWidth = settings.step * result.imfpCosine;
    result.normalisation =
        cosine / dipoleWeight(settings.emission.asymmetry, std::cos(settings.emission.sourceAngle * kDegree));
    result.albedo = medium.imfp / (medium.imfp + medium.transportMfp);
    result.batches.resize(kSimulationBatches);

    const std::uint64_t n = settings.electrons;
    std::atomic<int> nextBatch{0};
    std::atomic<bool> stopped{false};
    std::mutex progressMutex;
    int finished = 0;
    const auto work = [&] {
        for (int b = nextBatch++; b < kSimulationBatches; b = nextBatch++) {
            BatchScores& s = result.batches[static_cast<std::size_t>(b)];
            const std::uint64_t first = n * static_cast<std::uint64_t>(b) / kSimulationBatches;
            const std::uint64_t last = n * static_cast<std::uint64_t>(b + 1) / kSimulationBatches;
            s.electrons = last - first;
            for (std::uint64_t i = first; i < last; ++i) {
                if ((i & 1023) == 0 && settings.cancel && settings.cancel->load(std::memory_order_relaxed)) {
                    stopped = true;
                    return;
                }
                CounterRandom random(settings.seed, i);
                followElectron(s, medium, geometry, result.binWidth, random);
            }
            const std::lock_guard lock(progressMutex);
            ++finished;
            if (settings.progress)
                settings.progress(static_cast<double>(finished) / kSimulationBatches);
        }
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const unsigned threads = std::min<unsigned>(settings.threads == 0 ? cores : settings.threads, kSimulationBatches);
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread& t : pool)
        t.join();
    result.cancelled = stopped;
    return result;
}

} // namespace korvane
