#pragma once

#include "calc/ImfpCalculator.h"
#include "calc/SimulatedDepth.h"
#include "cli/MaterialResolution.h"
#include "materials/model/MaterialTransport.h"

#include <optional>

namespace korvane::cli {

// The atoms of one formula unit of a material as tpp2m resolved it: an
// element row by its ID, anything else by its name read as a formula.
MaterialAtoms atomsOf(const MaterialInputs& material);

// The elastic scattering of one formula unit of a material at an energy.
struct MaterialElastic {
    std::optional<FormulaScattering> scattering;
    QString error;
};
MaterialElastic elasticScatteringOf(const MaterialInputs& material, double energy,
                                    std::size_t angleCount = kSimulationAngleCount);

// The simulation's settings that a command gives.
SimulationSettings simulationSettings(const Command& command);

// A simulation of the signal from a material at one energy and form, with
// the paths it used; `depth` is empty and `error` says why when it could not
// run (no IMFP, no density or mass, no elastic scattering) or was cancelled.
struct MaterialSimulation {
    std::optional<float> imfp; // Å
    double elasticMfp = 0;     // Å
    double transportMfp = 0;   // Å
    std::optional<SimulatedDepth> depth;
    QString error;
};
MaterialSimulation simulateMaterial(const MaterialInputs& material, float energy, ImfpForm form,
                                    const SimulationSettings& settings);

} // namespace korvane::cli
