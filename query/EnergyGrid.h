#pragma once

// Takes: the three numbers of tpp2m's --range FROM:TO:STEP or --log
// FROM:TO:COUNT. Gives: the energies of the grid, or the words that refuse
// it, as tpp2m and the browser page's curve both say them, with the grid's
// input named as the caller writes it (tpp2m's option when none is given).

#include "core/Result.h"

#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// The most energies one run computes, so a slip in a range cannot exhaust memory.
inline constexpr double kMaxEnergies = 20'000'000;

// The two ways to ask for a grid, by their option: --range and --log.
enum class EnergyGridKind { Range, Log };

// The words for grids that together hold more than `most` energies.
std::string tooManyEnergies(double most);

// FROM, FROM+STEP, ... up to TO (included when a step lands on it); each
// energy in eV held as a Single. At most `most` energies.
Result<std::vector<float>> linearEnergies(double from, double to, double step, double most = kMaxEnergies,
                                          std::string_view input = {});

// COUNT energies evenly spaced in log scale from FROM to TO, both included.
Result<std::vector<float>> logEnergies(double from, double to, double count, double most = kMaxEnergies,
                                       std::string_view input = {});

// The grid typed as its option takes it ("50:10000:200"): three Singles
// read as tpp2m reads numbers, then the grid. A text that is not three
// parts is refused with "--log needs FROM:TO:COUNT (got "50:100")".
Result<std::vector<float>> readEnergyGrid(EnergyGridKind kind, const std::string& text, double most = kMaxEnergies,
                                          std::string_view input = {});

} // namespace korvane
