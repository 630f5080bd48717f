#pragma once

#include "calc/ImfpCalculator.h"
#include "core/Result.h"
#include "lookup/LineEnergies.h"
#include "ui/tools/stack/LayerTable.h"

#include <optional>
#include <vector>

namespace korvane::ui {

// The straight-line signals of a layered sample at one energy and each
// angle, from the functions tpp2m stack uses, with what the Monte Carlo and
// the rows with a line need.
struct StackResults {
    LayerTable::Stack stack;
    float energy = 0; // eV
    ImfpForm form = ImfpForm::NonRelativistic;
    std::vector<double> angles;                    // degrees
    std::vector<double> imfps;                     // Å, the substrate's last
    std::vector<std::vector<double>> straightLine; // ∫φ dz per angle and layer (Å)
    std::optional<LineEnergy> line;
    // The line's atoms per Å³ in each layer, or why they are unknown.
    std::vector<Result<double>> atoms;
};

// The angles typed as "0, 70" (a full stop for the decimal point), each
// checked as tpp2m checks --angle.
Result<std::vector<double>> readAngles(const QString& text);

// The results, or why there are none in tpp2m's words: an energy outside the
// elastic scattering's range, or a layer without an IMFP.
Result<StackResults> computeStack(LayerTable::Stack stack, std::vector<double> angles, float energy, ImfpForm form,
                                  std::optional<LineEnergy> line);

// Why the first layer whose line atoms are unknown has none ("layer 2
// (Kapton): ..."), the substrate counted as the last layer; empty when all are known.
QString unknownAtomsNote(const StackResults& results);

} // namespace korvane::ui
