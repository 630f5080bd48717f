#include "calc/SimulatedDepth.h"

#include "core/NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvane {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kProfileEnd = 1e-4; // of phi at the surface

} // namespace

// The bins summed from the deepest up, so that a small tail keeps its digits;
// the vector of the bins is reused.
SimulatedDepth::Tails SimulatedDepth::tailsOf(BatchScores scores, std::size_t count)
{
    Tails t{scores.electrons, scores.total, scores.depthMoment, std::move(scores.bins)};
    std::vector<double>& bins = t.below;
    double binned = 0;
    for (const double b : bins)
        binned += b;
    const std::size_t used = bins.size();
    bins.resize(std::min(used, count) + 1);
    double below = std::max(0.0, t.total - binned); // below the last bin, or too faint to bin
    bins[used] = below;
    for (std::size_t k = used; k-- > 1;) {
        below += bins[k];
        bins[k] = below;
    }
    bins[0] = t.total;
    return t;
}

SimulatedDepth::SimulatedDepth(SimulationScores scores) : scores_(std::move(scores))
{
    std::vector<double> pooledBins;
    for (const BatchScores& b : scores_.batches) {
        pooled_.electrons += b.electrons;
        pooled_.total += b.total;
        pooled_.depthMoment += b.depthMoment;
        if (b.bins.size() > pooledBins.size())
            pooledBins.resize(b.bins.size(), 0.0);
        for (std::size_t i = 0; i < b.bins.size(); ++i)
            pooledBins[i] += b.bins[i];
    }
    pooled_ = tailsOf({pooled_.electrons, pooled_.total, pooled_.depthMoment, std::move(pooledBins)}, scores_.binCount);
    batches_.reserve(scores_.batches.size());
    for (BatchScores& b : scores_.batches)
        batches_.push_back(tailsOf(std::move(b), scores_.binCount));
    scores_.batches.clear();

    // Bin 0 is half a step wide and holds the surface.
    const std::size_t bins = pooled_.below.size() - 1;
    if (bins == 0)
        return;
    const double surface = scores_.normalisation * (pooled_.below[0] - pooled_.below[1])
        / (static_cast<double>(pooled_.electrons) * scores_.binWidth / 2);
    std::size_t i = 1;
    while (i < bins && phiOf(pooled_, i) >= kProfileEnd * surface)
        ++i;
    profileLength_ = i - 1;
}

Estimate SimulatedDepth::estimate(const std::function<double(const Tails&)>& quantity) const
{
    Estimate e{quantity(pooled_), 0};
    const double count = static_cast<double>(batches_.size());
    double mean = 0;
    std::vector<double> values;
    values.reserve(batches_.size());
    for (const Tails& b : batches_) {
        values.push_back(quantity(b));
        mean += values.back() / count;
    }
    double squares = 0;
    for (const double v : values)
        squares += (v - mean) * (v - mean);
    e.error = std::sqrt(squares / (count * (count - 1)));
    return e;
}

Estimate SimulatedDepth::total() const
{
    return estimate(
        [this](const Tails& s) { return scores_.normalisation * s.total / static_cast<double>(s.electrons); });
}

Estimate SimulatedDepth::meanEscapeDepth() const
{
    return estimate([](const Tails& s) { return s.depthMoment / s.total; });
}

// Int_d^inf of the scores: exact at the bin boundaries 0, h/2, 3h/2, ...;
// between them ln of it is taken linear in depth, as for an exponential.
double SimulatedDepth::tailAt(const Tails& s, double depth) const
{
    const double h = scores_.binWidth;
    const std::size_t bins = s.below.size() - 1;
    const auto upper = [h](std::size_t k) { return (static_cast<double>(k) + 0.5) * h; };
    // The bin whose boundaries (before, after] hold the depth.
    std::size_t k = depth <= upper(0) ? 0 : static_cast<std::size_t>(std::min(std::ceil(depth / h - 0.5), 1e18));
    while (k > 0 && depth <= upper(k - 1))
        --k;
    while (k < bins && depth > upper(k))
        ++k;
    if (k >= bins)
        return kNaN;
    const double before = k == 0 ? 0.0 : upper(k - 1), after = upper(k);
    const double tailBefore = s.below[k], tailAfter = s.below[k + 1];
    if (!(tailAfter > 0) || !(tailBefore > 0))
        return kNaN;
    const double f = (depth - before) / (after - before);
    return tailBefore * std::exp(f * std::log(tailAfter / tailBefore));
}

double SimulatedDepth::informationDepthOf(const Tails& s, double probability) const
{
    const double h = scores_.binWidth;
    const double target = (1 - probability) * s.total;
    // The first bin whose lower boundary has no more than the target below it.
    const auto first =
        std::partition_point(s.below.begin() + 1, s.below.end(), [target](double t) { return t > target; });
    if (first == s.below.end())
        return kNaN;
    const std::size_t k = static_cast<std::size_t>(first - s.below.begin()) - 1;
    const double tailBefore = s.below[k], tailAfter = s.below[k + 1];
    if (!(tailAfter > 0))
        return kNaN;
    const double before = k == 0 ? 0.0 : (static_cast<double>(k) - 0.5) * h;
    const double after = (static_cast<double>(k) + 0.5) * h;
    return before + (after - before) * std::log(tailBefore / target) / std::log(tailBefore / tailAfter);
}

Estimate SimulatedDepth::informationDepth(double probability) const
{
    return estimate([this, probability](const Tails& s) { return informationDepthOf(s, probability); });
}

Result<void> SimulatedDepth::checkInformationDepth(double probability) const
{
    const Estimate id = informationDepth(probability);
    if (std::isnan(id.value)) {
        if (pooled_.below.back() > (1 - probability) * pooled_.total)
            return Failed{"the information depth at this probability lies below " + numbers::shortest15(kScoredDepth)
                          + " IMFP, the deepest the simulation scores"};
        return Failed{"no electron reached the information depth at this probability: more electrons are needed"};
    }
    if (std::isnan(id.error))
        return Failed{"too few electrons reached the information depth at this probability to give its standard "
                      "error: more electrons are needed"};
    return {};
}

Estimate SimulatedDepth::attenuationLength(double thickness) const
{
    if (!(thickness > 0))
        return {kNaN, kNaN};
    return estimate([this, thickness](const Tails& s) {
        return thickness / (scores_.cosine * std::log(s.total / tailAt(s, thickness)));
    });
}

double SimulatedDepth::phiOf(const Tails& s, std::size_t i) const
{
    const double a = scores_.binWidth / (2 * scores_.imfpCosine);
    const double binned = i + 1 < s.below.size() ? s.below[i] - s.below[i + 1] : 0.0;
    return scores_.normalisation * binned / (static_cast<double>(s.electrons) * scores_.binWidth) * a / std::sinh(a);
}

Estimate SimulatedDepth::phi(std::size_t i) const
{
    return estimate([this, i](const Tails& s) { return phiOf(s, i); });
}

Estimate SimulatedDepth::correctionFactor(std::size_t i) const
{
    const double growth = std::exp(static_cast<double>(i) * scores_.binWidth / scores_.imfpCosine);
    const Estimate p = phi(i);
    return {p.value * growth, p.error * growth};
}

std::vector<ProfileDepth> SimulatedDepth::profile() const
{
    std::vector<ProfileDepth> rows;
    rows.reserve(profileLength_);
    for (std::size_t i = 1; i <= profileLength_; ++i) {
        const double z = static_cast<double>(i) * scores_.binWidth;
        const double growth = std::exp(z / scores_.imfpCosine);
        const Estimate p = phi(i);
        rows.push_back({z,
                        p,
                        {p.value * growth, p.error * growth},
                        z / (scores_.cosine * std::log(pooled_.total / tailAt(pooled_, z)))});
    }
    return rows;
}

} // namespace korvane
