#pragma once

// What a user asks, read and judged (query/RequestReader): the materials, the
// energies, the lines and their photons, the form, the valence groups, the
// depth's angle and probability, the depths, S, and the simulation's
// settings. Every front end fills it from its own spelling of the inputs.

#include "calc/MagicAngle.h"
#include "query/ImfpEvaluation.h"
#include "query/ValenceGroups.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace korvane {

// A material of the database by its name or ID as typed: a bare number is an
// ID unless the user said which it is.
struct MaterialByName {
    enum class By { NameOrId, Name, Id };
    std::string text;
    By by = By::NameOrId;
};

// A material given by its four values.
struct MaterialByValues {
    float density = 0;
    float mass = 0;
    float bandGap = 0;
    float valenceElectrons = 0;
};

// A material given by its chemical formula, its density and its band gap;
// Nv and the mass are summed from the elements' rows. Density and gap are 0
// where a formula alone names the compound (S and elastic scattering).
struct MaterialByFormula {
    std::string formula;
    float density = 0;
    float bandGap = 0;
};

using RequestedMaterial = std::variant<MaterialByName, MaterialByValues, MaterialByFormula>;

// Which forms of the TPP-2M formula to compute.
enum class RequestedForms { NonRelativistic, Relativistic, Both };

// The forms to compute, non-relativistic first.
std::vector<ImfpForm> formsToCompute(RequestedForms forms);

// A core level as typed ("Cu 2p3/2") and the place its kinetic energy holds
// among the energies.
struct RequestedLine {
    std::string text;
    std::size_t energyIndex = 0;
};

// What excites the lines: a laboratory source by its key or photons of an energy.
struct RequestedPhotons {
    std::optional<std::string> sourceKey; // "AlKa"
    std::optional<double> photonEnergy;   // eV
};

// A peak to quantify: its line as typed ("Cu 2p3/2"), its area, and the
// asymmetry parameter given for it.
struct RequestedPeak {
    std::string line;
    double area = 0;
    std::optional<double> asymmetry;
};

// A layer of a stack, or the contamination layer of a quantification: a
// material of the database and its thickness.
struct RequestedLayer {
    MaterialByName material;
    float thickness = 0; // Å
};

struct Request {
    // The names and IDs in the order given, then the material given by its
    // formula or its values.
    std::vector<RequestedMaterial> materials;
    // eV in the order given; a line's place holds 0 until the front end finds
    // the line's kinetic energy.
    std::vector<float> energies;
    std::vector<RequestedLine> lines;
    RequestedPhotons photons;
    ValenceTicks groups;
    RequestedForms forms = RequestedForms::NonRelativistic;

    std::vector<float> depths;          // Å
    std::optional<double> crossSection; // S in units of a0^2
    double angle = 0;                   // degrees from the surface normal
    double probability = 0.95;          // the signal fraction of the information depth

    // The trajectory simulation.
    std::uint64_t electrons = 1'000'000;
    std::uint64_t seed = 1;
    unsigned threads = 0; // every core
    double asymmetry = 0; // beta: isotropic emission
    double sourceAngle = kMagicAngle; // the angle where W = 1 for every beta
    // A stack: its layers from the surface, its substrate, the model, the angles.
    std::vector<RequestedLayer> layers;
    std::optional<std::string> substrate;
    std::string model;          // as typed; empty when not given
    std::vector<double> angles; // degrees, several for a stack

    // A quantification: the peaks in the order given, the analyser's
    // transmission exponent; its layer is the first of `layers`.
    std::vector<RequestedPeak> peaks;
    double transmissionExponent = 0;

    bool profile = false; // one row per depth
    double step = 0.02;   // the profile's step, a fraction of IMFP cos(angle)
};

} // namespace korvane
