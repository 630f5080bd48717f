#include "calc/OverlayerThickness.h"

#include "calc/BracketedNewton.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace korvane {

namespace {

bool positive(double value)
{
    return std::isfinite(value) && value > 0;
}

// The two attenuation lengths along the normal.
struct Lengths {
    double overlayer; // of the overlayer's own electrons
    double crossing;  // of the substrate's electrons crossing the overlayer
};

Lengths lengths(const Overlayer& overlayer)
{
    const double cosine = std::cos(overlayer.angle * std::numbers::pi / 180.0);
    return {overlayer.imfpOverlayer * cosine, overlayer.imfpSubstrateInOverlayer * cosine};
}

// log q(d) - log q: increasing and concave in d, from -inf at 0 to +inf.
double logExcess(const Lengths& l, double d, double logTarget)
{
    return std::log(-std::expm1(-d / l.overlayer)) + d / l.crossing - logTarget;
}

double logSlope(const Lengths& l, double d)
{
    return 1.0 / (l.overlayer * std::expm1(d / l.overlayer)) + 1.0 / l.crossing;
}

} // namespace

Result<void> checkRatios(double ratio, double bulkRatio)
{
    if (!positive(ratio))
        return Failed{"the ratio R must be above 0", ErrorCode::InvalidInput};
    if (!positive(bulkRatio))
        return Failed{"the bulk ratio R\u221E must be above 0", ErrorCode::InvalidInput};
    // Two ratios above 0 are refused only when their quotient leaves the Doubles.
    if (!positive(ratio / bulkRatio))
        return Failed{"the ratio R / R\u221E is out of range", ErrorCode::OutOfRange};
    return {};
}

Result<void> checkOverlayer(const Overlayer& overlayer)
{
    if (!positive(overlayer.imfpOverlayer))
        return Failed{"the IMFP of the overlayer at the overlayer energy must be above 0 \u00C5",
                      ErrorCode::InvalidInput};
    if (!positive(overlayer.imfpSubstrateInOverlayer))
        return Failed{"the IMFP of the overlayer at the substrate energy must be above 0 \u00C5",
                      ErrorCode::InvalidInput};
    return checkAngle(overlayer.angle);
}

Result<double> overlayerThickness(const Overlayer& overlayer, double ratio, double bulkRatio)
{
    if (Result<void> usable = checkOverlayer(overlayer); !usable)
        return usable.failure();
    if (Result<void> usable = checkRatios(ratio, bulkRatio); !usable)
        return usable.failure();
    const double target = ratio / bulkRatio;

    const Lengths l = lengths(overlayer);
    if (l.overlayer == l.crossing) // one energy: the closed form
        return heldResult(l.overlayer * std::log1p(target));

    // Bracket d, then Newton's method on log q(d), halving whenever a step
    // would leave the bracket.
    const double logTarget = std::log(target);
    double low = 0, high = std::min(l.overlayer, l.crossing) * std::log1p(target);
    while (logExcess(l, high, logTarget) < 0) {
        low = high;
        high *= 2.0;
    }
    const double d = bracketedNewton([&](double x) { return logExcess(l, x, logTarget); },
                                     [&](double x) { return logSlope(l, x); }, low, high, high, 1e-15);
    return heldResult(d);
}

Result<double> overlayerRatio(const Overlayer& overlayer, double thickness, double bulkRatio)
{
    if (Result<void> usable = checkOverlayer(overlayer); !usable)
        return usable.failure();
    if (!(thickness >= 0) || !std::isfinite(thickness))
        return Failed{"the thickness must be 0 \u00C5 or more", ErrorCode::InvalidInput};
    if (!positive(bulkRatio))
        return Failed{"the bulk ratio R\u221E must be above 0", ErrorCode::InvalidInput};
    const Lengths l = lengths(overlayer);
    const double ratio = bulkRatio * -std::expm1(-thickness / l.overlayer) * std::exp(thickness / l.crossing);
    return heldResult(ratio);
}

} // namespace korvane
