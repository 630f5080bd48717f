#include "calc/ElasticCorrection.h"

#include "calc/CheckedMath.h"

#include <array>
#include <cstddef>

namespace korvane {

namespace {

namespace ck = korvane::checked;

// Approximation 1: CF against the reduced depth x = z / IMFP. Knots every
// 0.25 up to 7.0, then one last knot at 8.0; beyond it the curve is flat.
constexpr std::size_t kKnotCount = kApprox1KnotCount;

constexpr std::array<double, kKnotCount> kReducedDepth = {
    0.00, 0.25, 0.50, 0.75, 1.00, 1.25, 1.50, 1.75, 2.00, 2.25, 2.50, 2.75, 3.00, 3.25, 3.50,
    3.75, 4.00, 4.25, 4.50, 4.75, 5.00, 5.25, 5.50, 5.75, 6.00, 6.25, 6.50, 6.75, 7.00, 8.00,
};

constexpr std::array<double, kKnotCount> kCorrection = {
    1.098, 1.091, 1.076, 1.038, 0.977, 0.924, 0.864, 0.818, 0.750, 0.682, 0.576, 0.515, 0.424, 0.379, 0.341,
    0.280, 0.227, 0.189, 0.152, 0.121, 0.106, 0.083, 0.068, 0.061, 0.053, 0.045, 0.038, 0.030, 0.023, 0.023,
};

// Value used past the last knot.
constexpr float kCorrectionBeyondTable = 0.023f;

// Bohr radius in metres, held as a Single like every stored physical constant.
// Rounded, not the CODATA value of AtomicUnits.h: the correction factor's figures are fixed with this one.
const float kBohrRadius = ck::single(5.292E-11);
constexpr double kAvogadro = 6.023E23;
constexpr double kCm3PerM3 = 1000000.0;
constexpr double kAngstromPerM = 1E10;

// Coefficients of the approximation 2 fit.
constexpr double kQuadratic = -0.0562417;
constexpr double kLinear = 0.00698849;
constexpr double kOffset = 0.201962;
constexpr double kTailSlope = -0.157764;
constexpr double kTailOffset = 1.25132;

float approx1(float depth, float imfp)
{
    const float x = ck::single(ck::div(depth, imfp));

    for (std::size_t k = 0; k + 1 < kKnotCount; ++k) {
        const double lo = kReducedDepth[k];
        const double hi = kReducedDepth[k + 1];
        if (lo <= x && x <= hi) {
            // Slope: difference of the CF values first, then the spacing.
            const double slope = ck::div(kCorrection[k + 1] - kCorrection[k], hi - lo);
            return ck::single(kCorrection[k] + (x - lo) * slope);
        }
    }
    // Past the last knot the curve stays flat; a negative reduced depth
    // matches no segment and leaves CF at 0.
    return x > kReducedDepth[kKnotCount - 1] ? kCorrectionBeyondTable : 0.0f;
}

float approx2(float depth, float effTrMfp)
{
    const float x = ck::single(ck::div(depth, effTrMfp));
    const double xd = x;
    const double x2 = ck::pow(xd, 2);
    const double core = ck::finite(ck::finite(x2 * kQuadratic) + xd * kLinear) - kOffset;
    const double tail = xd * kTailSlope - kTailOffset;
    return ck::single(ck::finite(ck::exp(core) + ck::exp(tail)));
}

} // namespace

const std::array<double, kApprox1KnotCount>& approx1ReducedDepths()
{
    return kReducedDepth;
}

const std::array<double, kApprox1KnotCount>& approx1Factors()
{
    return kCorrection;
}

std::optional<float> correctionFactorApprox1(float depth, float imfp)
{
    try {
        return approx1(depth, imfp);
    } catch (const ck::ArithmeticError&) {
        return std::nullopt;
    }
}

TransportPaths transportMeanFreePaths(float density, float mass, double crossSection, float imfp)
{
    TransportPaths paths;
    float trMfp = 0.0f;
    try {
        const double a0Squared = ck::pow(kBohrRadius, 2);          // m^2
        const double sigma = ck::finite(crossSection * a0Squared); // m^2
        // Atoms per m^3: density in g/cm^3 to g/m^3, per mole, times Avogadro.
        const double perMole = ck::div(ck::finite(density * kCm3PerM3), mass);
        const float atoms = ck::single(ck::finite(perMole * kAvogadro));
        const double inverse = ck::div(1.0, ck::finite(atoms * sigma)); // m
        trMfp = ck::single(ck::finite(inverse * kAngstromPerM));
    } catch (const ck::ArithmeticError&) {
        return paths;
    }
    paths.trMfp = trMfp;
    paths.effTrMfp = effectiveTransportMeanFreePath(trMfp, imfp);
    return paths;
}

std::optional<float> effectiveTransportMeanFreePath(float trMfp, float imfp)
{
    try {
        // Combine transport and inelastic paths like parallel resistances.
        const double product = static_cast<double>(trMfp) * imfp;
        const double sum = static_cast<double>(trMfp) + imfp;
        return ck::single(ck::div(product, sum));
    } catch (const ck::ArithmeticError&) {
        return std::nullopt;
    }
}

std::optional<float> correctionFactorApprox2(float depth, float effTrMfp)
{
    try {
        return approx2(depth, effTrMfp);
    } catch (const ck::ArithmeticError&) {
        return std::nullopt;
    }
}

} // namespace korvane
