#include "calc/ImfpCalculator.h"

#include "calc/CheckedMath.h"

#include <cfloat>

namespace korvane {

namespace {

namespace ck = checked;

constexpr double kPlasmonFactor = 28.8;
constexpr double kElementaryCharge = 1.6e-19;                          // J per eV
constexpr double kSpeedOfLight = 3e8;                                  // m/s
constexpr double kSpeedOfLightSquared = kSpeedOfLight * kSpeedOfLight; // exact: 9e16
constexpr float kTwiceElectronMass = 1.822e-30f;
constexpr double kElectronMass = static_cast<double>(9.11e-31f);

// The terms of the formula that both forms share.
struct Terms {
    float ep; // free-electron plasmon energy, eV
    float beta;
    float gamma;
    float c;
    float d;
};

Terms commonTerms(const ImfpInputs& in)
{
    const double rho = in.density;
    const double nv = in.valenceElectrons;
    const double m = in.mass;

    // rho*Nv/M enters twice, under the root of Ep and as U; it is the same
    // Double both times.
    const double densityRatio = ck::div(ck::finite(rho * nv), m);
    const float ep = ck::single(kPlasmonFactor * ck::sqrt(densityRatio));
    const float u = ck::single(densityRatio);
    const float s = ck::single(ck::sqrt(ck::finite(ck::squareOfSingle(ep) + ck::squareOfSingle(in.bandGap))));
    const float beta = ck::single(ck::finite(0.069 * ck::pow(rho, 0.1) + (ck::div(0.944, s) - 0.1)));
    const float gamma = ck::single(ck::div(0.191, ck::sqrt(rho)));
    const float c = ck::single(1.97 - 0.91 * double(u));
    const float d = ck::single(ck::finite(53.4 - 20.8 * double(u)));
    return {ep, beta, gamma, c, d};
}

// The formula's value is no length: zero or negative, or beyond a Single.
struct NotPhysical {};

// B = D/E^2 + (beta*L - C/E), held as Single.
float bracket(const Terms& t, float e, double l)
{
    return ck::single(ck::finite(ck::div(t.d, ck::squareOfSingle(e)) + ck::finite(t.beta * l - ck::div(t.c, e))));
}

// lambda = numerator / (Ep^2 * B), held as Single. Ep = 0 (no valence
// electrons) fails as a division by zero; otherwise a bracket that is not
// positive, or a quotient too large for a Single, gives no physical length.
float length(double numerator, float ep, float b)
{
    if (ep == 0)
        throw ck::ArithmeticError("division by zero");
    if (!(b > 0))
        throw NotPhysical{};
    const double lambda = numerator / ck::finite(ck::squareOfSingle(ep) * b);
    if (!(lambda > 0) || !(lambda <= FLT_MAX))
        throw NotPhysical{};
    return ck::single(lambda);
}

// The input that makes the arithmetic fail, in the order a user checks them.
ImfpInputFault inputFault(const ImfpInputs& in)
{
    if (!(in.energy > 0))
        return ImfpInputFault::Energy;
    if (in.valenceElectrons == 0)
        return ImfpInputFault::ValenceElectrons;
    if (in.mass == 0)
        return ImfpInputFault::Mass;
    if (!(in.density > 0))
        return ImfpInputFault::Density;
    return ImfpInputFault::Other;
}

// Runs one form of the formula and says why it gives no value, if it does not.
template <typename Formula>
ImfpResult evaluate(const ImfpInputs& in, Formula formula)
{
    try {
        return {formula(), ImfpFailure::Arithmetic};
    } catch (const ck::ArithmeticError&) {
        return {std::nullopt, ImfpFailure::Arithmetic, inputFault(in)};
    } catch (const NotPhysical&) {
        return {std::nullopt, ImfpFailure::NotPhysical};
    }
}

} // namespace

ImfpResult imfpNonRelativistic(const ImfpInputs& in)
{
    return evaluate(in, [&in] {
        const Terms t = commonTerms(in);
        const double e = in.energy;
        const double l = ck::log(e * double(t.gamma));
        const float b = bracket(t, in.energy, l);
        return length(e, t.ep, b);
    });
}

ImfpResult imfpRelativistic(const ImfpInputs& in)
{
    return evaluate(in, [&in] {
        const Terms t = commonTerms(in);
        const double e = in.energy;
        const float ej = ck::single(e * kElementaryCharge);
        const double c2 = kSpeedOfLightSquared;
        const float a = ck::single(ck::div(ej, c2 * double(kTwiceElectronMass)) + 1.0);
        const double denominator = ck::pow(ck::div(ej, c2 * kElectronMass) + 1.0, 2);
        const float alpha = ck::single(ck::div(a, denominator));
        const double l = ck::log(ck::finite(double(t.gamma) * double(alpha)) * e);
        const float b = bracket(t, in.energy, l);
        return length(e * double(alpha), t.ep, b);
    });
}

ImfpResult imfp(ImfpForm form, const ImfpInputs& in)
{
    return form == ImfpForm::NonRelativistic ? imfpNonRelativistic(in) : imfpRelativistic(in);
}

} // namespace korvane
