#include "calc/StackedTrajectories.h"

#include "calc/ReversedPath.h"
#include "calc/SimulationBatches.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvane {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

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
                    const reversed::Geometry& g, CounterRandom& random)
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
        s.track[k] += w * reversed::segmentWeight(g, d) * m.imfp * (1 - decay);
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
        if (w < reversed::kRouletteWeight) {
            if (random.uniform() >= reversed::kRouletteSurvival)
                return;
            w /= reversed::kRouletteSurvival;
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
    const reversed::Geometry geometry = reversed::geometryOf(settings);
    const std::vector<double> tops = interfaceDepths(layers);
    const double normalisation = reversed::signalNormalisation(settings);
    std::vector<LayerTracks> batches(kSimulationBatches, LayerTracks{0, std::vector<double>(layers.size(), 0.0)});
    for (int b = 0; b < kSimulationBatches; ++b)
        batches[static_cast<std::size_t>(b)].electrons = electronsOfBatch(settings.electrons, b);
    const Result<void> run = runSimulationBatches(settings, [&](int b, CounterRandom& random) {
        followElectron(batches[static_cast<std::size_t>(b)], layers, tops, geometry, random);
    });
    if (!run)
        return run.failure();
    const std::uint64_t n = settings.electrons;

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
