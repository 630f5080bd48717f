#pragma once

#include "core/Result.h"
#include "lines/CoreLevel.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane::lines {

// The photoelectrons from one core level of one element.
struct PhotoelectronLine {
    int atomicNumber = 0;
    std::string element; // "Cu"
    CoreLevel level;
    double bindingEnergy = 0; // eV, relative to the Fermi level

    std::string name() const { return element + ' ' + std::string(level.name); } // "Cu 2p3/2"
};

// A line as analysts write it: an element symbol, blanks and a level
// ("Cu 2p3/2", "Au 4f" for Au 4f7/2), or why there is none, in one line:
// InvalidInput when the text is no element and level, NotFound when the
// element, the level or its binding energy is unknown.
Result<PhotoelectronLine> findLine(std::string_view text);

// The line of a level of an element; none when no binding energy is known for it.
std::optional<PhotoelectronLine> lineOf(int atomicNumber, const CoreLevel& level);

// The lines of an element that photons of the given energy excite (binding
// energy below the photon energy), in order of the shells.
std::vector<PhotoelectronLine> linesBelow(int atomicNumber, double photonEnergy);

} // namespace korvane::lines
