#include "calc/SimulatedDepth.h"

#include <cmath>
#include <limits>

namespace korvane {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kProfileEnd = 1e-4; // of phi at the surface

} // namespace

SimulatedDepth::SimulatedDepth(SimulationScores scores) : scores_(std::move(scores))
{
    for (const BatchScores& b : scores_.batches) {
        pooled_.electrons += b.electrons;
        pooled_.total += b.total;
        pooled_.depthMoment += b.depthMoment;
        if (b.bins.size() > pooled_.bins.size())
            pooled_.bins.resize(b.bins.size(), 0.0);
        for (std::size_t i = 0; i < b.bins.size(); ++i)
            pooled_.bins[i] += b.bins[i];
    }
}

Estimate SimulatedDepth::estimate(const std::function<double(const BatchScores&)>& quantity) const
{
    Estimate e{quantity(pooled_), 0};
    const double count = static_cast<double>(scores_.batches.size());
    double mean = 0;
    std::vector<double> values;
    for (const BatchScores& b : scores_.batches) {
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
        [this](const BatchScores& s) { return scores_.normalisation * s.total / static_cast<double>(s.electrons); });
}

Estimate SimulatedDepth::meanEscapeDepth() const
{
    return estimate([](const BatchScores& s) { return s.depthMoment / s.total; });
}

// Int_d^inf of the scores: exact at the bin boundaries 0, h/2, 3h/2, ...;
// between them ln of it is taken linear in depth, as for an exponential.
double SimulatedDepth::tailAt(const BatchScores& s, double depth) const
{
    const double h = scores_.binWidth;
    double before = 0, tailBefore = s.total;
    for (std::size_t k = 0; k < s.bins.size(); ++k) {
        const double after = (static_cast<double>(k) + 0.5) * h;
        const double tailAfter = tailBefore - s.bins[k];
        if (depth <= after) {
            if (!(tailAfter > 0) || !(tailBefore > 0))
                return kNaN;
            const double f = (depth - before) / (after - before);
            return tailBefore * std::exp(f * std::log(tailAfter / tailBefore));
        }
        before = after;
        tailBefore = tailAfter;
    }
    return kNaN;
}

Estimate SimulatedDepth::informationDepth(double probability) const
{
    return estimate([this, probability](const BatchScores& s) {
        const double h = scores_.binWidth;
        const double target = (1 - probability) * s.total;
        double before = 0, tailBefore = s.total;
        for (std::size_t k = 0; k < s.bins.size(); ++k) {
            const double after = (static_cast<double>(k) + 0.5) * h;
            const double tailAfter = tailBefore - s.bins[k];
            if (tailAfter <= target) {
                if (!(tailAfter > 0))
                    return kNaN;
                return before + (after - before) * std::log(tailBefore / target) / std::log(tailBefore / tailAfter);
            }
            before = after;
            tailBefore = tailAfter;
        }
        return kNaN;
    });
}

Estimate SimulatedDepth::attenuationLength(double thickness) const
{
    if (!(thickness > 0))
        return {kNaN, kNaN};
    return estimate([this, thickness](const BatchScores& s) {
        return thickness / (scores_.cosine * std::log(s.total / tailAt(s, thickness)));
    });
}

double SimulatedDepth::phiOf(const BatchScores& s, std::size_t i) const
{
    const double a = scores_.binWidth / (2 * scores_.imfpCosine);
    const double binned = i < s.bins.size() ? s.bins[i] : 0.0;
    return scores_.normalisation * binned / (static_cast<double>(s.electrons) * scores_.binWidth) * a / std::sinh(a);
}

Estimate SimulatedDepth::phi(std::size_t i) const
{
    return estimate([this, i](const BatchScores& s) { return phiOf(s, i); });
}

Estimate SimulatedDepth::correctionFactor(std::size_t i) const
{
    const double growth = std::exp(static_cast<double>(i) * scores_.binWidth / scores_.imfpCosine);
    const Estimate p = phi(i);
    return {p.value * growth, p.error * growth};
}

std::size_t SimulatedDepth::profileLength() const
{
    if (pooled_.bins.empty())
        return 0;
    // Bin 0 is half a step wide and holds the surface.
    const double surface =
        scores_.normalisation * pooled_.bins[0] / (static_cast<double>(pooled_.electrons) * scores_.binWidth / 2);
    std::size_t i = 1;
    while (i < pooled_.bins.size() && phiOf(pooled_, i) >= kProfileEnd * surface)
        ++i;
    return i - 1;
}

} // namespace korvane
