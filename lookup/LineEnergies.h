#pragma once

#include "core/Result.h"

#include <QString>

#include <optional>

namespace korvane {

// The photoelectron line behind a kinetic energy.
struct LineEnergy {
    QString line;            // "Cu 2p3/2"; for "Cu 2p" the level taken
    QString source;          // "Al Kα", or the photon energy given ("500 eV")
    float bindingEnergy = 0; // eV
};

// The photons behind the lines, as the request's reader judged them
// (query/RequestReader): a photon energy, or else an X-ray source by its key.
struct LinePhotons {
    std::optional<QString> source;
    std::optional<double> photonEnergy; // eV
};

// A line and the kinetic energy of its photoelectrons.
struct ResolvedLine {
    LineEnergy line;
    float kineticEnergy = 0; // eV
};

// The line typed as `text` ("Cu 2p3/2") excited by `photons`, or why there
// is none, in one line after the input as the front end names it
// (`--line "Qq 1s": unknown element "Qq"`), with the line's own code for a
// line that is not found or not reached.
Result<ResolvedLine> resolveLine(const QString& text, const LinePhotons& photons, const QString& input);

} // namespace korvane
