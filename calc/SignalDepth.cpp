#include "calc/SignalDepth.h"

#include "calc/AdaptiveQuadrature.h"
#include "calc/BracketedNewton.h"
#include "calc/ElasticCorrection.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace korvane {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Coefficients of the approximation 2 formula, in double precision.
constexpr double kQuadratic = -0.0562417;
constexpr double kLinear = 0.00698849;
constexpr double kOffset = -0.201962;
constexpr double kTailSlope = -0.157764;
constexpr double kTailOffset = -1.25132;

// Approximation 2 is integrated numerically to this relative error, far
// below the 1e-6 that the shown depths need.
constexpr double kQuadratureTolerance = 1e-11;
// phi falls at least as fast as exp(-z / L); past this many L its remaining
// integral is below exp(-60) of the whole.
constexpr double kNegligibleDepth = 60.0;

// The integrals of phi and of z * phi over a range of depths.
struct Moments {
    double signal = 0;   // integral of phi
    double weighted = 0; // integral of z * phi

    Moments& operator+=(const Moments& other)
    {
        signal += other.signal;
        weighted += other.weighted;
        return *this;
    }
};

// L = IMFP cos(angle): the attenuation length along the normal.
double attenuationLength(const DepthModel& model)
{
    return model.imfp * std::cos(model.angle * std::numbers::pi / 180.0);
}

double approx1Factor(double reducedDepth)
{
    const auto& x = approx1ReducedDepths();
    const auto& cf = approx1Factors();
    for (std::size_t k = 0; k + 1 < kApprox1KnotCount; ++k) {
        if (reducedDepth <= x[k + 1])
            return cf[k] + (reducedDepth - x[k]) * (cf[k + 1] - cf[k]) / (x[k + 1] - x[k]);
    }
    return cf.back(); // flat past the last knot
}

double approx2Factor(double reducedDepth)
{
    const double y = reducedDepth;
    return std::exp(kQuadratic * y * y + kLinear * y + kOffset) + std::exp(kTailSlope * y + kTailOffset);
}

// The integrals of (c + s u) exp(-(a + u) / L) and of (a + u) times it over
// 0 <= u <= h, in closed form; h may be infinite when s is 0.
Moments linearSegment(double a, double h, double c, double s, double length)
{
    const double t = h / length;
    // u^n exp(-u / L) integrated from 0 to h is L^(n+1) rest_n, for n = 0, 1, 2.
    double rest0 = 1, rest1 = 1, rest2 = 2;
    if (!std::isinf(t)) {
        const double e = std::exp(-t);
        rest0 = -std::expm1(-t);
        rest1 = rest0 - t * e;
        rest2 = 2.0 * rest1 - t * t * e;
    }
    const double m0 = length * rest0;
    const double m1 = length * length * rest1;
    const double m2 = length * length * length * rest2;
    const double start = std::exp(-a / length);
    return {start * (c * m0 + s * m1), start * (a * c * m0 + (c + a * s) * m1 + s * m2)};
}

// Approximation 1 is linear between knots and flat past the last, so phi
// integrates segment by segment in closed form.
Moments approx1Moments(const DepthModel& model, double length, double from, double to)
{
    const auto& x = approx1ReducedDepths();
    const auto& cf = approx1Factors();
    Moments sum;
    const auto add = [&](double a, double b, double c, double slope) {
        const double low = std::max(a, from);
        const double high = std::min(b, to);
        if (high > low)
            sum += linearSegment(low, high - low, c + (low - a) * slope, slope, length);
    };
    for (std::size_t k = 0; k + 1 < kApprox1KnotCount; ++k) {
        const double a = x[k] * model.imfp;
        const double b = x[k + 1] * model.imfp;
        add(a, b, cf[k], (cf[k + 1] - cf[k]) / (b - a));
    }
    add(x.back() * model.imfp, kInfinity, cf.back(), 0.0);
    return sum;
}

// The integrals wanted from a range of depths: z * phi costs a second
// quadrature under approximation 2, and only the mean escape depth needs it.
enum class Wanted { Signal, SignalAndWeighted };

// Approximation 2 by adaptive quadrature over panels that double in width
// from the shorter of the two length scales, so that neither is stepped over.
Moments approx2Moments(const DepthModel& model, double length, double from, double to, Wanted wanted)
{
    const double end = std::min(to, from + kNegligibleDepth * length);
    const double scale = std::min(model.effTrMfp, length);
    // Lower bounds of both integrals from `from` on (the second exponential
    // of CF alone) set the absolute tolerances, so that the tail beneath a
    // deep `from`, a tiny part of the whole, keeps its own digits.
    const double rate = -kTailSlope / model.effTrMfp + 1.0 / length;
    const double floor = std::exp(kTailOffset - rate * from) / rate;
    const auto phi = [&](double z) { return depthDistribution(model, z); };
    const auto zPhi = [&](double z) { return z * depthDistribution(model, z); };

    Moments sum;
    int panels = 0;
    for (double a = 0, width = scale / 8.0; a < end; a += width, width *= 2.0)
        ++panels;
    for (double a = 0, width = scale / 8.0; a < end; a += width, width *= 2.0) {
        const double low = std::max(a, from);
        const double high = std::min(a + width, end);
        if (high <= low)
            continue;
        sum.signal += integrateAdaptively(phi, low, high, kQuadratureTolerance * floor / panels);
        if (wanted == Wanted::SignalAndWeighted)
            sum.weighted += integrateAdaptively(zPhi, low, high, kQuadratureTolerance * floor / rate / panels);
    }
    return sum;
}

// The integrals of phi over the depths from `from` to `to` (Å, may be infinite);
// the weighted one only when wanted.
Moments moments(const DepthModel& model, double from, double to, Wanted wanted = Wanted::Signal)
{
    const double length = attenuationLength(model);
    switch (model.correction) {
    case DepthCorrection::Approx1: return approx1Moments(model, length, from, to);
    case DepthCorrection::Approx2: return approx2Moments(model, length, from, to, wanted);
    case DepthCorrection::None: break;
    }
    return linearSegment(from, to - from, 1.0, 0.0, length);
}

bool positive(double value)
{
    return std::isfinite(value) && value > 0;
}

} // namespace

Result<double> heldResult(double value)
{
    if (!(std::abs(value) <= std::numeric_limits<float>::max()))
        return Failed{"the result is too large to be held", ErrorCode::OutOfRange};
    return value;
}

Result<void> checkAngle(double angle)
{
    if (!(angle >= 0 && angle < 90))
        return Failed{"the angle must be at least 0\u00B0 and below 90\u00B0", ErrorCode::InvalidInput};
    return {};
}

Result<void> checkProbability(double probability)
{
    if (!(probability > 0 && probability < 1))
        return Failed{"the probability P must be above 0 and below 1", ErrorCode::InvalidInput};
    return {};
}

Result<void> checkDepthModel(const DepthModel& model)
{
    if (!positive(model.imfp))
        return Failed{"the IMFP must be above 0 \u00C5", ErrorCode::InvalidInput};
    if (Result<void> angle = checkAngle(model.angle); !angle)
        return angle;
    if (model.correction != DepthCorrection::None && model.angle > kMaxCorrectedAngle)
        return Failed{"the elastic-scattering corrections hold only up to 30\u00B0 from the surface normal",
                      ErrorCode::InvalidInput};
    if (model.correction == DepthCorrection::Approx2 && !positive(model.effTrMfp))
        return Failed{"the EffTrMFP must be above 0 \u00C5", ErrorCode::InvalidInput};
    return {};
}

double depthDistribution(const DepthModel& model, double depth)
{
    if (depth < 0)
        return 0.0;
    double factor = 1.0;
    if (model.correction == DepthCorrection::Approx1)
        factor = approx1Factor(depth / model.imfp);
    else if (model.correction == DepthCorrection::Approx2)
        factor = approx2Factor(depth / model.effTrMfp);
    return factor * std::exp(-depth / attenuationLength(model));
}

Result<double> wholeSignal(const DepthModel& model)
{
    if (Result<void> usable = checkDepthModel(model); !usable)
        return usable.failure();
    return moments(model, 0, kInfinity).signal;
}

Result<double> signalFraction(const DepthModel& model, double thickness)
{
    if (Result<void> usable = checkDepthModel(model); !usable)
        return usable.failure();
    if (!(thickness >= 0))
        return Failed{"the thickness must be 0 \u00C5 or more", ErrorCode::InvalidInput};
    return moments(model, 0, thickness).signal / moments(model, 0, kInfinity).signal;
}

Result<double> informationDepth(const DepthModel& model, double probability)
{
    if (Result<void> usable = checkDepthModel(model); !usable)
        return usable.failure();
    if (Result<void> usable = checkProbability(probability); !usable)
        return usable.failure();
    // For P above one half the signal from below the depth is matched, so
    // that a P close to 1 keeps its digits.
    const double whole = moments(model, 0, kInfinity).signal;
    const bool fromBelow = probability > 0.5;
    const double target = (fromBelow ? 1.0 - probability : probability) * whole;
    const auto excess = [&](double depth) {
        return fromBelow ? target - moments(model, depth, kInfinity).signal : moments(model, 0, depth).signal - target;
    };

    // Bracket the depth, then Newton's method (the slope of the integral is
    // phi itself), falling back to halving when a step leaves the bracket.
    double low = 0, high = attenuationLength(model);
    while (excess(high) < 0) {
        low = high;
        high *= 2.0;
    }
    const double depth = bracketedNewton(
        excess, [&](double x) { return depthDistribution(model, x); }, low, high, 0.5 * (low + high), 1e-14);
    return heldResult(depth);
}

Result<double> meanEscapeDepth(const DepthModel& model)
{
    if (Result<void> usable = checkDepthModel(model); !usable)
        return usable.failure();
    const Moments whole = moments(model, 0, kInfinity, Wanted::SignalAndWeighted);
    return heldResult(whole.weighted / whole.signal);
}

} // namespace korvane
