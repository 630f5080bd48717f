#include "calc/StackedTrajectories.h"

#include "calc/AtomicUnits.h"
#include "calc/CounterRandom.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <new>
#include <optional>
#include <system_error>
#include <thread>

namespace korvane {

namespace {

constexpr double kDegree = atomic::kPi / 180;
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kRouletteWeight = 0.01; // as simulate: below it a path plays Russian roulette
constexpr double kRouletteSurvival = 0.1;

struct Geometry {
    Direction start;  // the reversed path's first direction
    Direction xRays;  // the X-rays' direction of travel
    double asymmetry; // beta
};

Geometry geometryOf(const SimulationSettings& settings)
{
    const double theta = settings.angle * kDegree;
    const double alpha = (settings.emission.sourceAngle - settings.angle) * kDegree;
    return {{-std::sin(theta), 0, std::cos(theta)}, {std::sin(alpha), 0, std::cos(alpha)}, settings.emission.asymmetry};
}

double segmentWeight(const Geometry& g, const Direction& travel)
{
    if (g.asymmetry == 0)
        return 1;
    const double cosGamma = -(g.xRays[0] * travel[0] + g.xRays[1] * travel[1] + g.xRays[2] * travel[2]);
    return dipoleWeight(g.asymmetry, cosGamma);
}

// The weighted track in each layer of one batch, per electron summed.
struct LayerTracks {
    std::uint64_t electrons = 0;
    std::vector<double> track;
};

// The interfaces: layer k lies between tops[k] and tops[k + 1].
std::vector<double> interfaceDepths(std::span<const StackLayer> layers)
{
    std::vector<double> tops{0};
    for (std::size_t k = 0; k + 1 < layers.size(); ++k)
        tops.push_back(tops.back() + layers[k].thickness);
    tops.push_back(kInfinity);
    return tops;
}

void followElectron(LayerTracks& s, std::span<const StackLayer> layers, const std::vector<double>& tops,
                    const Geometry& g, CounterRandom& random)
{
    Direction d = g.start;
    double z = 0, w = 1;
    std::size_t k = 0;
    // The elastic optical depth left before the next collision.
    double optical = -std::log1p(-random.uniform());
    for (;;) {
        const ScatteringMedium& m = layers[k].medium;
        const double mu = d[2];
        const double toInterface = mu > 0 ? (tops[k + 1] - z) / mu : mu < 0 ? (tops[k] - z) / mu : kInfinity;
        const double toCollision = optical * m.elasticMfp; // infinite without elastic scattering
        const double length = std::min(toCollision, toInterface);
        const double decay = std::isinf(length) ? 0.0 : std::exp(-length / m.imfp);
        s.track[k] += w * segmentWeight(g, d) * m.imfp * (1 - decay);
        if (std::isinf(length))
            return;
        w *= decay;
        if (toInterface <= toCollision) {
            // On into the next layer with the rest of the optical depth.
            if (std::isfinite(m.elasticMfp))
                optical -= toInterface / m.elasticMfp;
            if (mu < 0) {
                if (k == 0)
                    return; // out through the surface
                z = tops[k];
                --k;
            } else {
                z = tops[k + 1];
                ++k;
            }
            continue;
        }
        z += mu * length;
        if (w < kRouletteWeight) {
            if (random.uniform() >= kRouletteSurvival)
                return;
            w /= kRouletteSurvival;
        }
        // The polar angle first, then the azimuth, as simulate draws them.
        const double cosTheta = m.angles->cosine(random.uniform());
        d = deflected(d, cosTheta, 2 * atomic::kPi * random.uniform());
        optical = -std::log1p(-random.uniform());
    }
}

} // namespace

Result<void> checkStackInputs(std::span<const StackLayer> layers, const SimulationSettings& settings)
{
    if (layers.empty())
        return Failed{"a stack needs a substrate", ErrorCode::InvalidInput};
    for (const StackLayer& layer : layers) {
        if (Result<void> checked = checkSimulationInputs(layer.medium, settings); !checked)
            return checked;
        if (&layer != &layers.back() && !(layer.thickness > 0 && std::isfinite(layer.thickness)))
            return Failed{"a layer's thickness must be above 0 \u00C5", ErrorCode::InvalidInput};
    }
    return {};
}

Result<std::vector<Estimate>> simulateStack(std::span<const StackLayer> layers, const SimulationSettings& settings)
{
    const Geometry geometry = geometryOf(settings);
    const std::vector<double> tops = interfaceDepths(layers);
    const double normalisation = std::cos(settings.angle * kDegree)
        / dipoleWeight(settings.emission.asymmetry, std::cos(settings.emission.sourceAngle * kDegree));
    std::vector<LayerTracks> batches(kSimulationBatches, LayerTracks{0, std::vector<double>(layers.size(), 0.0)});

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
    const auto work = [&] {
        try {
            for (int b = nextBatch++; b < kSimulationBatches; b = nextBatch++) {
                LayerTracks& s = batches[static_cast<std::size_t>(b)];
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
                    followElectron(s, layers, tops, geometry, random);
                }
                const std::lock_guard lock(mutex);
                ++finished;
                if (settings.progress)
                    settings.progress(static_cast<double>(finished) / kSimulationBatches);
            }
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

    // The pooled mean and the spread of the batches' means, summed in batch order.
    std::vector<Estimate> signals(layers.size());
    const double count = kSimulationBatches;
    for (std::size_t k = 0; k < layers.size(); ++k) {
        double sum = 0, mean = 0;
        for (const LayerTracks& b : batches) {
            sum += b.track[k];
            mean += normalisation * b.track[k] / static_cast<double>(b.electrons) / count;
        }
        double squares = 0;
        for (const LayerTracks& b : batches) {
            const double v = normalisation * b.track[k] / static_cast<double>(b.electrons);
            squares += (v - mean) * (v - mean);
        }
        signals[k] = {normalisation * sum / static_cast<double>(n), std::sqrt(squares / (count * (count - 1)))};
    }
    return signals;
}

} // namespace korvane
