#include "calc/DiracPhaseShifts.h"

#include "calc/AtomicUnits.h"
#include "calc/RiccatiBessel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace korvane {

namespace {

constexpr double kC = atomic::kSpeedOfLight;
constexpr double kC2 = kC * kC;
constexpr double kBarrierDepth = 12;       // e-folds of decay inside the barrier
constexpr double kRelativePhaseCut = 1e-5; // of the largest phase: a quiet wave

// The coefficients of the radial equations at one radius.
struct Node {
    double inverseR;
    double upper; // (E - V + 2c^2) / c
    double lower; // (E - V) / c
};

// A radial grid whose step follows the local wave: about stepPhase radians
// of the local wave, or of ln r near the nucleus, per step. Nodes hold the
// grid points at even and the step midpoints at odd indices.
struct RadialGrid {
    std::vector<double> r;                // grid points r_0 < ... < r_n = R
    std::vector<double> localWaveSquared; // k(r)^2 at the grid points
    std::vector<Node> nodes;              // 2n + 1 entries
};

double localWaveSquared(double energy, double v)
{
    return (energy - v) * (energy - v + 2 * kC2) / kC2;
}

Node nodeAt(const CentralPotential& potential, double energy, double r)
{
    const double v = potential.energy(r);
    return {1 / r, (energy - v + 2 * kC2) / kC, (energy - v) / kC};
}

// The radius beyond which the potential turns no phase: the phase it could
// still add, about (E + 2c^2) / (c^2 k) times the integral of |V| (taken as
// twice |V| at the radius), is below 1e-8.
double matchingRadius(const CentralPotential& potential, double energy, double k)
{
    const double weight = 2 * (energy + 2 * kC2) / (kC2 * k);
    double r = 1;
    while (r < 200 && weight * std::fabs(potential.energy(r)) > 1e-8)
        r += 0.25;
    return r;
}

RadialGrid makeGrid(const CentralPotential& potential, double energy, double k, double stepPhase)
{
    const double rMax = matchingRadius(potential, energy, k);
    RadialGrid g;
    double r = 1e-6 / potential.chargeAtOrigin;
    for (;;) {
        const double k2 = localWaveSquared(energy, potential.energy(r));
        g.r.push_back(r);
        g.localWaveSquared.push_back(k2);
        if (r >= rMax)
            break;
        const double step = stepPhase / (1 / r + std::sqrt(k2));
        r = std::min(r + step, rMax);
    }
    g.nodes.reserve(2 * g.r.size() - 1);
    for (std::size_t i = 0; i < g.r.size(); ++i) {
        g.nodes.push_back(nodeAt(potential, energy, g.r[i]));
        if (i + 1 < g.r.size())
            g.nodes.push_back(nodeAt(potential, energy, 0.5 * (g.r[i] + g.r[i + 1])));
    }
    return g;
}

struct Spinor {
    double p, q;
};

// Integrates the two waves of one l, kappa = -(l+1) and kappa = l, outward
// together from grid point `start` to the end; they share the grid's
// coefficients, and the pair fills a vector register.
std::array<Spinor, 2> integratePair(const RadialGrid& g, std::array<double, 2> kappa, std::size_t start,
                                    std::array<Spinor, 2> y0)
{
    double p[2] = {y0[0].p, y0[1].p}, q[2] = {y0[0].q, y0[1].q};
    const std::size_t last = g.r.size() - 1;
    for (std::size_t i = start; i < last; ++i) {
        const double h = g.r[i + 1] - g.r[i];
        const Node& n0 = g.nodes[2 * i];
        const Node& nm = g.nodes[2 * i + 1];
        const Node& n1 = g.nodes[2 * i + 2];
        double k1p[2], k1q[2], k2p[2], k2q[2], k3p[2], k3q[2], k4p[2], k4q[2];
        for (int s = 0; s < 2; ++s) {
            k1p[s] = -kappa[s] * n0.inverseR * p[s] + n0.upper * q[s];
            k1q[s] = -n0.lower * p[s] + kappa[s] * n0.inverseR * q[s];
            const double p2 = p[s] + 0.5 * h * k1p[s], q2 = q[s] + 0.5 * h * k1q[s];
            k2p[s] = -kappa[s] * nm.inverseR * p2 + nm.upper * q2;
            k2q[s] = -nm.lower * p2 + kappa[s] * nm.inverseR * q2;
            const double p3 = p[s] + 0.5 * h * k2p[s], q3 = q[s] + 0.5 * h * k2q[s];
            k3p[s] = -kappa[s] * nm.inverseR * p3 + nm.upper * q3;
            k3q[s] = -nm.lower * p3 + kappa[s] * nm.inverseR * q3;
            const double p4 = p[s] + h * k3p[s], q4 = q[s] + h * k3q[s];
            k4p[s] = -kappa[s] * n1.inverseR * p4 + n1.upper * q4;
            k4q[s] = -n1.lower * p4 + kappa[s] * n1.inverseR * q4;
            p[s] += h / 6 * (k1p[s] + 2 * k2p[s] + 2 * k3p[s] + k4p[s]);
            q[s] += h / 6 * (k1q[s] + 2 * k2q[s] + 2 * k3q[s] + k4q[s]);
        }
        // The waves grow through the barrier; keep them inside the range.
        if (std::fabs(p[0]) + std::fabs(q[0]) + std::fabs(p[1]) + std::fabs(q[1]) > 1e200) {
            for (int s = 0; s < 2; ++s) {
                p[s] *= 1e-200;
                q[s] *= 1e-200;
            }
        }
    }
    return {Spinor{p[0], q[0]}, Spinor{p[1], q[1]}};
}

// The regular solution where the integration starts. At the first grid
// point the screened nucleus acts as a bare Coulomb charge Z0, so
// P = r^gamma, Q = r^gamma (gamma + kappa) c / Z0 with
// gamma = sqrt(kappa^2 - (Z0/c)^2). Inside a barrier the wave grows outward
// with P'/P = sqrt((l+1/2)^2/r^2 - k(r)^2); any admixture of the other
// solution has died out by the turning point.
Spinor startingValue(const RadialGrid& g, double kappa, double z0, std::size_t start, double l)
{
    if (start == 0) {
        const double gamma = std::sqrt(kappa * kappa - z0 * z0 / kC2);
        return {1, (gamma + kappa) * kC / z0};
    }
    const double r = g.r[start];
    const double growth = std::sqrt(std::max(0.0, (l + 0.5) * (l + 0.5) / (r * r) - g.localWaveSquared[start]));
    return {1, (growth + kappa / r) / g.nodes[2 * start].upper};
}

double foldedPhase(double numerator, double denominator)
{
    double delta = std::atan2(numerator, denominator);
    if (delta > atomic::kPi / 2)
        delta -= atomic::kPi;
    else if (delta <= -atomic::kPi / 2)
        delta += atomic::kPi;
    return delta;
}

// Matches (P, Q) at R to cos(d) u - sin(d) w, u and w the free regular and
// irregular solutions: P = jhat_l, Q = s f jhat_lbar with f = c k / (E + 2c^2),
// lbar = l + 1 and s = -1 for kappa < 0, lbar = l - 1 and s = +1 for kappa > 0.
double matchedPhase(const RiccatiBessel& free, int l, double kappa, double f, Spinor y)
{
    const std::size_t li = static_cast<std::size_t>(l);
    const std::size_t lbar = kappa < 0 ? li + 1 : li - 1;
    const double sf = kappa < 0 ? -f : f;
    const double numerator = y.q * free.regular[li] - sf * y.p * free.regular[lbar];
    const double denominator = y.q * free.irregular[li] - sf * y.p * free.irregular[lbar];
    return foldedPhase(numerator, denominator);
}

} // namespace

double relativisticWaveNumber(double kineticEnergy)
{
    return std::sqrt(kineticEnergy * (kineticEnergy + 2 * kC2)) / kC;
}

PhaseShifts diracPhaseShifts(const CentralPotential& potential, double kineticEnergy,
                             const PartialWaveSettings& settings)
{
    if (!(kineticEnergy > 0) || !(potential.chargeAtOrigin > 0))
        throw std::invalid_argument("phase shifts need E > 0 and a charge at the origin");
    const double k = relativisticWaveNumber(kineticEnergy);
    const RadialGrid g = makeGrid(potential, kineticEnergy, k, settings.stepPhase);
    const std::size_t n = g.r.size();
    const double rMax = g.r.back();
    // No wave with l + 1/2 above k(R) R reaches the grid.
    const int lLast = static_cast<int>(std::sqrt(g.localWaveSquared.back()) * rMax) + 1;
    const RiccatiBessel free = riccatiBessel(k * rMax, lLast + 1);
    const double f = kC * k / (kineticEnergy + 2 * kC2);

    PhaseShifts result;
    result.waveNumber = k;
    double largest = 0;
    int quietWaves = 0;
    std::size_t turning = 0;
    for (int l = 0; l <= lLast; ++l) {
        const double barrier = (l + 0.5) * (l + 0.5);
        while (turning < n && barrier > g.localWaveSquared[turning] * g.r[turning] * g.r[turning])
            ++turning;
        if (turning == n)
            break;
        std::size_t start = turning;
        double decay = 0;
        while (start > 0 && decay < kBarrierDepth) {
            --start;
            const double r = g.r[start];
            decay += std::sqrt(std::max(0.0, barrier / (r * r) - g.localWaveSquared[start])) * (g.r[start + 1] - r);
        }

        // l = 0 has no kappa = l wave; its lane repeats kappa = -1.
        const std::array<double, 2> kappa = {-(l + 1.0), l == 0 ? -1.0 : l};
        const double z0 = potential.chargeAtOrigin;
        const std::array<Spinor, 2> end = integratePair(
            g, kappa, start, {startingValue(g, kappa[0], z0, start, l), startingValue(g, kappa[1], z0, start, l)});
        const double up = matchedPhase(free, l, kappa[0], f, end[0]);
        const double down = l == 0 ? 0.0 : matchedPhase(free, l, kappa[1], f, end[1]);
        result.spinUp.push_back(up);
        result.spinDown.push_back(down);

        const double size = std::max(std::fabs(up), std::fabs(down));
        largest = std::max(largest, size);
        quietWaves = (start > 0 && size < kRelativePhaseCut * largest) ? quietWaves + 1 : 0;
        if (quietWaves == 3)
            break;
    }
    return result;
}

} // namespace korvane
