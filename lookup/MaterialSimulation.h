#pragma once

#include "calc/ImfpCalculator.h"
#include "calc/SimulatedDepth.h"
#include "core/Result.h"
#include "lookup/MaterialInputs.h"
#include "materials/model/MaterialTransport.h"

#include <optional>

namespace korvane {

// The angles of a table of the differential elastic cross-section (tpp2m
// dcs, the Python module's dcs): 0 to 180° inclusive, denser at small angles.
inline constexpr std::size_t kDcsAngleCount = 601;

// The atoms of one formula unit of a resolved material: an element row by
// its ID, anything else by its name read as a formula.
Result<std::vector<FormulaAtom>> atomsOf(const MaterialInputs& material);

// The elastic scattering of one formula unit of a material at an energy;
// InvalidInput when the material's name is no formula or the energy is none.
Result<FormulaScattering> elasticScatteringOf(const MaterialInputs& material, double energy,
                                              std::size_t angleCount = kSimulationAngleCount);

// A simulation of the signal from a material at one energy and form, with
// the paths it used; `depth` fails with the reason when the simulation could
// not run (no IMFP, no density or mass, no elastic scattering), was
// cancelled or failed (out of memory: OutOfRange). The IMFP is kept when only the simulation fails, for the row
// that says so.
struct MaterialSimulation {
    std::optional<float> imfp; // Å
    double elasticMfp = 0;     // Å
    double transportMfp = 0;   // Å
    Result<SimulatedDepth> depth;
};
MaterialSimulation simulateMaterial(const MaterialInputs& material, float energy, ImfpForm form,
                                    const SimulationSettings& settings);

} // namespace korvane
