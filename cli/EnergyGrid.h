#pragma once

#include <QString>

#include <vector>

namespace korvane::cli {

// The most energies one run computes, so a slip in a range cannot exhaust memory.
inline constexpr double kMaxEnergies = 20'000'000;

struct EnergyGrid {
    std::vector<float> energies; // eV, each held as a Single
    QString error;               // why the grid cannot be made
};

// FROM, FROM+STEP, ... up to TO (included when a step lands on it).
EnergyGrid linearEnergies(double from, double to, double step);

// COUNT energies evenly spaced in log scale from FROM to TO, both included.
EnergyGrid logEnergies(double from, double to, double count);

} // namespace korvane::cli
