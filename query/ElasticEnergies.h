#pragma once

// Takes: an energy in eV. Gives: whether elastic scattering is known there
// (the transport table's 50 eV to 30 keV), which S, the differential
// cross-section and the simulation need.

namespace korvane {

bool withinElasticEnergies(double energy);

} // namespace korvane
