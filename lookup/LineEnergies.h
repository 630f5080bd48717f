#pragma once

#include "cli/CommandLine.h"

#include <optional>
#include <vector>

namespace korvane::cli {

// One --line as typed, and the place its kinetic energy holds among the energies.
struct TypedLine {
    QString text; // "Cu 2p3/2"
    size_t energyIndex;
};

// The photons behind the lines: --source KEY or --photon-energy E, each
// empty when not given.
struct LinePhotons {
    std::optional<QString> source;
    std::optional<double> photonEnergy; // eV
};

// One typed line with its photons: the line and the kinetic energy of its
// photoelectrons, or why there are none (in one line, as tpp2m says it).
struct ResolvedLine {
    std::optional<LineEnergy> line;
    float kineticEnergy = 0; // eV
    QString error;
};
ResolvedLine resolveLine(const QString& text, const LinePhotons& photons);

// Puts the kinetic energy of each typed line into command.energies and its
// line into command.lines. Returns why it cannot, in one line; empty when it can.
QString resolveLines(const std::vector<TypedLine>& typed, const LinePhotons& photons, Command& command);

} // namespace korvane::cli
