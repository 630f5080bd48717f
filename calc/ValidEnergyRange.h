#pragma once

namespace korvane {

// The TPP-2M formula was fitted for electrons of 50 eV to 200000 eV; outside
// that range the IMFP is still computed, with a warning.
inline constexpr double kValidEnergyLow = 50;
inline constexpr double kValidEnergyHigh = 200000;

bool outsideValidEnergyRange(double energy);

// The warning as tpp2m and the Python module give it.
inline constexpr const char* kOutsideValidEnergyRangeNote =
    "the formula is not valid for energies below 50 eV and above 200000 eV";

} // namespace korvane
