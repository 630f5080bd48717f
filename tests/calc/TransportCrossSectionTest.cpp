#include "calc/AtomPotential.h"
#include "calc/AtomicUnits.h"
#include "calc/DiracPhaseShifts.h"
#include "calc/ElasticScattering.h"
#include "calc/TransportCrossSection.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace korvane;

constexpr double kC = atomic::kSpeedOfLight;
constexpr double kPi = atomic::kPi;

// |f|^2 + |g|^2 at one angle.
double differentialCrossSection(const PhaseShifts& s, double theta)
{
    return differentialCrossSections(s, {theta}).front();
}

// 2 pi Int (1 - cos theta) dsigma/dOmega sin theta dtheta by Simpson's rule:
// in ln theta up to 0.1 rad, where the forward peak lies, in theta beyond.
double integratedTransportCrossSection(const PhaseShifts& s)
{
    const auto integrand = [&s](double theta) {
        return (1 - std::cos(theta)) * differentialCrossSection(s, theta) * std::sin(theta);
    };
    const auto simpson = [](auto&& g, double a, double b, int n) {
        const double h = (b - a) / n;
        double sum = g(a) + g(b);
        for (int i = 1; i < n; ++i)
            sum += (i % 2 ? 4 : 2) * g(a + i * h);
        return sum * h / 3;
    };
    const double forward =
        simpson([&](double t) { return integrand(std::exp(t)) * std::exp(t); }, std::log(1e-9), std::log(0.1), 4000);
    const double rest = simpson(integrand, 0.1, kPi, 8000);
    return 2 * kPi * (forward + rest);
}

TEST(TransportCrossSection, ClosedSumAgreesWithTheIntegratedAngularDistribution)
{
    for (const auto& [z, energy] : {std::pair{79, 100.0}, {29, 1000.0}, {6, 10000.0}}) {
        const PhaseShifts s = atomPhaseShifts(z, energy);
        EXPECT_NEAR(integratedTransportCrossSection(s) / transportCrossSection(s), 1.0, 1e-8)
            << "Z = " << z << ", " << energy << " eV";
    }
}

// First Born approximation for V = -Z sum A_i exp(-alpha_i r) / r, with the
// relativistic mass factor gamma and the spin factor 1 - beta^2 sin^2(theta/2):
// |f|^2 = (2 gamma Z sum A_i / (alpha_i^2 + 2 k^2 mu))^2 (1 - beta^2 mu / 2),
// mu = 1 - cos theta, integrated over mu from 0 to 2 in closed form.
double bornTransportCrossSection(int z, double energyEv)
{
    const double energy = energyEv / atomic::kHartreeEv;
    const double k = relativisticWaveNumber(energy);
    const double gamma = 1 + energy / (kC * kC);
    const double beta2 = 1 - 1 / (gamma * gamma);
    const ScreeningFunction& sf = screeningFunction(z);
    const double b = 2 * k * k;
    // Int mu / ((a_i + b mu)(a_j + b mu)) and Int mu^2 / (...) over [0, 2].
    const auto firstMoment = [b](double ai, double aj) {
        if (ai == aj)
            return (std::log1p(2 * b / ai) + ai / (ai + 2 * b) - 1) / (b * b);
        return (ai * std::log1p(2 * b / ai) - aj * std::log1p(2 * b / aj)) / (b * b * (ai - aj));
    };
    const auto secondMoment = [b](double ai, double aj) {
        if (ai == aj)
            return (2 - 2 * ai / b * std::log1p(2 * b / ai) + ai * ai / b * (1 / ai - 1 / (ai + 2 * b))) / (b * b);
        const double ci = ai / (b * (ai - aj)), cj = -aj / (b * (ai - aj));
        return 2 / (b * b) - (ci * ai * std::log1p(2 * b / ai) + cj * aj * std::log1p(2 * b / aj)) / (b * b);
    };
    double sum = 0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const double ai = sf.decay[i] * sf.decay[i], aj = sf.decay[j] * sf.decay[j];
            sum += sf.amplitude[i] * sf.amplitude[j] * (firstMoment(ai, aj) - beta2 / 2 * secondMoment(ai, aj));
        }
    return 2 * kPi * std::pow(2 * gamma * z, 2) * sum;
}

TEST(TransportCrossSection, FirstBornApproximationForHydrogenAndHeliumAt30keV)
{
    for (int z : {1, 2}) {
        const double born = bornTransportCrossSection(z, 30000);
        const double waves = atomTransportCrossSection(z, 30000);
        EXPECT_NEAR(waves / born, 1.0, 0.01) << "Z = " << z;
    }
}

// Halving the step changes no result by more than 2e-5, from the lightest
// atom at the highest energy, where sigma_1 rests on the smallest phase
// differences, to the heaviest at the lowest.
TEST(TransportCrossSection, ConvergedInTheRadialStep)
{
    for (const auto& [z, energy] : {std::pair{1, 30000.0}, {79, 30000.0}, {79, 50.0}, {103, 50.0}}) {
        const double standard = atomTransportCrossSection(z, energy);
        const double halved = atomTransportCrossSection(z, energy, {0.03});
        EXPECT_NEAR(standard / halved, 1.0, 2e-5) << "Z = " << z << ", " << energy << " eV";
    }
}

TEST(TransportCrossSection, EveryElementAtTheLowestEnergyAndRefusals)
{
    double previous = 0;
    for (int z = 1; z <= kLastElement; ++z) {
        const double sigma = atomTransportCrossSection(z, 50);
        EXPECT_TRUE(std::isfinite(sigma) && sigma > 0.5 && sigma < 50) << "Z = " << z;
        EXPECT_NE(sigma, previous);
        previous = sigma;
    }
    EXPECT_THROW(atomTransportCrossSection(0, 100), std::out_of_range);
    EXPECT_THROW(atomTransportCrossSection(104, 100), std::out_of_range);
    EXPECT_THROW(atomTransportCrossSection(6, 0), std::invalid_argument);
    EXPECT_THROW(atomTransportCrossSection(6, NAN), std::invalid_argument);
}

} // namespace
