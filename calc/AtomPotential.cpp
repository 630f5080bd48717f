#include "calc/AtomPotential.h"

#include "calc/AtomicUnits.h"

#include <cmath>

namespace korvane {

AtomPotential::AtomPotential(const ScreeningFunction& screening, double kineticEnergy)
    : screening_(screening), energy_(kineticEnergy)
{
}

double AtomPotential::electrostatic(double r) const
{
    double phi = 0;
    for (int i = 0; i < 3; ++i)
        phi += screening_.amplitude[i] * std::exp(-screening_.decay[i] * r);
    return -screening_.atomicNumber * phi / r;
}

double AtomPotential::electronDensity(double r) const
{
    double curvature = 0; // phi''(r)
    for (int i = 0; i < 3; ++i) {
        const double a = screening_.decay[i];
        curvature += screening_.amplitude[i] * a * a * std::exp(-a * r);
    }
    return screening_.atomicNumber * curvature / (4 * atomic::kPi * r);
}

double AtomPotential::exchange(double r) const
{
    // Written as -2 pi rho / (d + sqrt(d^2 + 4 pi rho)), which equals the
    // formula above without its cancellation where the density is small.
    const double d = energy_ - electrostatic(r);
    const double fourPiRho = 4 * atomic::kPi * electronDensity(r);
    return -0.5 * fourPiRho / (d + std::sqrt(d * d + fourPiRho));
}

} // namespace korvane
