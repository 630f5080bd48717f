#pragma once

#include "calc/AtomicUnits.h"
#include "calc/ElasticDeflection.h"
#include "calc/TrajectorySimulation.h"

#include <cmath>

// What every reversed trajectory shares, in one material or through a stack:
// where it starts, how each segment is weighted for dipole emission, and the
// weight below which it plays Russian roulette.
namespace korvane::reversed {

inline constexpr double kDegree = atomic::kPi / 180;
inline constexpr double kRouletteWeight = 0.01; // below it a path plays Russian roulette
inline constexpr double kRouletteSurvival = 0.1;

struct Geometry {
    Direction start;  // the reversed path's first direction
    Direction xRays;  // the X-rays' direction of travel
    double asymmetry; // beta
};

inline Geometry geometryOf(const SimulationSettings& settings)
{
    const double theta = settings.angle * kDegree;
    const double alpha = (settings.emission.sourceAngle - settings.angle) * kDegree;
    // The analyser looks along (sin theta, 0, -cos theta) out of the surface;
    // the source lies at alpha from the normal on the other side.
    return {{-std::sin(theta), 0, std::cos(theta)}, {std::sin(alpha), 0, std::cos(alpha)}, settings.emission.asymmetry};
}

// The dipole weight of a segment travelled along `travel`: W of the emission
// direction, its opposite.
inline double segmentWeight(const Geometry& g, const Direction& travel)
{
    if (g.asymmetry == 0)
        return 1;
    const double cosGamma = -(g.xRays[0] * travel[0] + g.xRays[1] * travel[1] + g.xRays[2] * travel[2]);
    return dipoleWeight(g.asymmetry, cosGamma);
}

// cos(angle) / W(psi): what turns the scores per electron into phi.
inline double signalNormalisation(const SimulationSettings& settings)
{
    return std::cos(settings.angle * kDegree)
        / dipoleWeight(settings.emission.asymmetry, std::cos(settings.emission.sourceAngle * kDegree));
}

} // namespace korvane::reversed
