#pragma once

#include "calc/ScreeningFunction.h"

// The potential energy of an electron of kinetic energy E near a free neutral
// atom, in hartree and bohr: the electrostatic energy of a point nucleus
// screened by the atom's electrons, V_st(r) = -Z phi(r) / r, plus the
// Furness-McCarthy exchange energy
//     V_ex(r) = 1/2 [ (E - V_st) - sqrt((E - V_st)^2 + 4 pi rho(r)) ],
// where rho is the electron density that Poisson's equation gives for phi.
namespace korvane {

class AtomPotential {
public:
    AtomPotential(const ScreeningFunction& screening, double kineticEnergy);

    double electrostatic(double r) const;
    // Electrons per bohr^3: rho(r) = Z / (4 pi r) sum A_i alpha_i^2 exp(-alpha_i r);
    // it integrates to Z.
    double electronDensity(double r) const;
    double exchange(double r) const;
    double total(double r) const { return electrostatic(r) + exchange(r); }

    double nuclearCharge() const { return screening_.atomicNumber; }

private:
    ScreeningFunction screening_;
    double energy_;
};

} // namespace korvane
