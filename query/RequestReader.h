#pragma once

// Takes: the inputs a user gave, each by its name (tpp2m's option without the
// dashes: "material" for a name or ID, "density", "energy", "line", ...) and
// its text, in the order given; what the front end does with them; and how
// it writes an input's name ("--density" for tpp2m, the field's label on the
// page). Gives: the request, or the first refusal in tpp2m's words with the
// inputs it is about named the front end's way (InvalidInput).

#include "core/Result.h"
#include "query/EnergyGrid.h"
#include "query/Request.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

struct NamedText {
    std::string name; // "density"
    std::string text; // "2.2"; empty for an input given without a value ("relativistic")
};

using NamedTexts = std::vector<NamedText>;

// How a front end writes the name of an input in its words.
using InputSpelling = std::function<std::string(std::string_view name)>;

// tpp2m's spelling: "--density".
std::string optionSpelling(std::string_view name);

// What the front end does with the request, which decides what it must hold.
struct RequestUse {
    double mostEnergies = kMaxEnergies;
    bool formulaAlone = false;     // a formula names the compound without density or gap (S, elastic scattering)
    bool depthValues = false;      // the angle and the probability are read for depths
    bool simulation = false;       // the trajectory simulation's settings
    bool oneResult = false;        // at most one material, energy and depth: the front end shows one result
    std::string asker = {};        // the command the words name: "simulate takes energies ..."
};

Result<Request> readRequest(const NamedTexts& inputs, const RequestUse& use, const InputSpelling& spelling);

} // namespace korvane
