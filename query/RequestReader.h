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
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

struct NamedText {
    std::string name; // "density"
    std::string text; // "2.2"; empty for an input given without a value ("relativistic")
    // Given as values the front end reads and judges one by one (the
    // elements of an array): given for the combinations, no value held here.
    bool elementwise = false;

    bool operator==(const NamedText&) const = default;
};

using NamedTexts = std::vector<NamedText>;

// How a front end writes the name of an input in its words.
using InputSpelling = std::function<std::string(std::string_view name)>;

// tpp2m's spelling: "--density".
std::string optionSpelling(std::string_view name);

// Refuses an energy where elastic scattering is not known, in the words of
// the command that needs it: "simulate takes energies from 50 eV to 30000 eV
// (got 40 eV)". For a front end that judges its energies one by one.
Result<void> checkElasticEnergy(std::string_view asker, double energy);

// What the front end does with the request, which decides what it must hold.
struct RequestUse {
    double mostEnergies = kMaxEnergies;
    bool formulaAlone = false;     // a formula names the compound without density or gap (S, elastic scattering)
    bool depthValues = false;      // the angle and the probability are read for depths
    bool simulation = false;       // the trajectory simulation's settings
    bool stack = false;            // a stack's layers over a substrate; the angle is a list
    bool severalAngles = false;    // the angle is a list (a thickness from several angles)
    bool oneResult = false;        // at most one material, energy and depth: the front end shows one result
    bool quantification = false;   // peaks and their areas, the geometry, a contamination layer
    std::string asker = {};        // the command the words name: "simulate takes energies ..."

    bool operator==(const RequestUse&) const = default;
};

// The reader, step by step: each input as it comes, then the combinations in
// the order the front end judges them (tpp2m's commands differ in it). A
// step gives the first refusal; after one, the request is not to be used.
class RequestReader {
public:
    RequestReader(RequestUse use, InputSpelling spelling);
    ~RequestReader();
    RequestReader(const RequestReader&) = delete;
    RequestReader& operator=(const RequestReader&) = delete;

    // One input's value, read as tpp2m reads it.
    Result<void> read(const NamedText& input);

    // A source or photons need a line; a line needs one of them.
    Result<void> judgePhotons();
    // The material given by its formula (alone where the use allows it) or
    // by its four values; one by its values may need S typed beside it.
    Result<void> addTypedMaterial(bool valuesNeedCrossSection = false);
    // At most one material, energy and depth.
    Result<void> judgeOneResult();
    // The angle and P, for depths.
    Result<void> judgeDepthValues();
    // How many electrons, from which seed, on how many threads.
    Result<void> judgeRunSize();
    // The run size, the emission, the profile's step, P and the energies.
    Result<void> judgeSimulation();
    // Every energy where elastic scattering is known.
    Result<void> judgeElasticEnergies();
    // A stack's layers, substrate, model, angles, form and energies.
    Result<void> judgeStack();
    // A quantification's asymmetry parameters (each for a peak), its layer,
    // angles and transmission exponent; the magic angle unless a source
    // angle is given.
    Result<void> judgeQuantification();

    bool given(std::string_view name) const;
    // A value typed for density, mass, gap or nv.
    std::optional<float> typedValue(std::string_view name) const;
    Request& request();

private:
    class Steps;
    std::unique_ptr<Steps> steps_;
};

// Every input and then every combination of `use`, for a front end that
// judges them in one go.
Result<Request> readRequest(const NamedTexts& inputs, const RequestUse& use, const InputSpelling& spelling);

} // namespace korvane
