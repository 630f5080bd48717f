#include "calc/AngleResolvedThickness.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace korvane {

namespace {

// ln q(d) at one angle and its slope in d; both lengths along the normal.
struct LogRatio {
    double overlayer; // IMFP_oo cos θ
    double crossing;  // IMFP_os cos θ
    double target;    // ln(R / R∞)

    double residual(double d) const { return std::log(-std::expm1(-d / overlayer)) + d / crossing - target; }
    double slope(double d) const { return 1.0 / (overlayer * std::expm1(d / overlayer)) + 1.0 / crossing; }
};

// Half the slope of the sum of squares, Σ r_i(d) r_i'(d).
double halfSlope(const std::vector<LogRatio>& terms, double d)
{
    double sum = 0;
    for (const LogRatio& term : terms)
        sum += term.residual(d) * term.slope(d);
    return sum;
}

double sumOfSquares(const std::vector<LogRatio>& terms, double d)
{
    double sum = 0;
    for (const LogRatio& term : terms)
        sum += term.residual(d) * term.residual(d);
    return sum;
}

// The zero of the slope between `low` (slope below 0) and `high` (above 0), by bisection.
double slopeZero(const std::vector<LogRatio>& terms, double low, double high)
{
    for (int step = 0; step < 200 && high - low > 1e-15 * high; ++step) {
        const double middle = 0.5 * (low + high);
        (halfSlope(terms, middle) < 0 ? low : high) = middle;
    }
    return 0.5 * (low + high);
}

} // namespace

Result<AngleResolvedFit> angleResolvedThickness(double imfpOverlayer, double imfpSubstrateInOverlayer,
                                                std::span<const AngleRatio> measured, double bulkRatio)
{
    const std::vector<PathLengths> lengths(measured.size(), {imfpOverlayer, imfpSubstrateInOverlayer});
    return angleResolvedThickness(lengths, measured, bulkRatio);
}

Result<AngleResolvedFit> angleResolvedThickness(std::span<const PathLengths> lengths,
                                                std::span<const AngleRatio> measured, double bulkRatio)
{
    if (measured.empty())
        return Failed{"no angle to fit", ErrorCode::InvalidInput};
    if (lengths.size() != measured.size())
        return Failed{"one pair of lengths per angle is needed", ErrorCode::InvalidInput};
    // Every residual grows with d, so the minimum lies between the thinnest
    // and the thickest of the angles' own solutions.
    std::vector<LogRatio> terms;
    double low = std::numeric_limits<double>::infinity(), high = 0;
    for (std::size_t i = 0; i < measured.size(); ++i) {
        const AngleRatio& at = measured[i];
        const Overlayer overlayer{lengths[i].overlayer, lengths[i].crossing, at.angle};
        const Result<double> own = overlayerThickness(overlayer, at.ratio, bulkRatio);
        if (!own)
            return own.failure();
        low = std::min(low, *own);
        high = std::max(high, *own);
        const double cosine = std::cos(at.angle * std::numbers::pi / 180.0);
        terms.push_back({lengths[i].overlayer * cosine, lengths[i].crossing * cosine, std::log(at.ratio / bulkRatio)});
    }
    // The slope may change sign more than once between them: each change
    // from falling to rising is a minimum, and the lowest wins.
    double thickness = low;
    if (high > low) {
        constexpr int kPieces = 64;
        double best = std::numeric_limits<double>::infinity();
        double previous = low;
        for (int i = 1; i <= kPieces; ++i) {
            const double next = i == kPieces ? high : low + (high - low) * i / kPieces;
            if (halfSlope(terms, previous) < 0 && halfSlope(terms, next) >= 0) {
                const double d = slopeZero(terms, previous, next);
                if (const double sum = sumOfSquares(terms, d); sum < best) {
                    best = sum;
                    thickness = d;
                }
            }
            previous = next;
        }
    }
    AngleResolvedFit fit{thickness, {}, std::sqrt(sumOfSquares(terms, thickness) / double(terms.size()))};
    for (std::size_t i = 0; i < measured.size(); ++i) {
        const Result<double> predicted =
            overlayerRatio({lengths[i].overlayer, lengths[i].crossing, measured[i].angle}, thickness, bulkRatio);
        if (!predicted)
            return predicted.failure();
        fit.predicted.push_back(*predicted);
    }
    return fit;
}

} // namespace korvane
