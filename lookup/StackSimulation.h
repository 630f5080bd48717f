#pragma once

#include "calc/StackedTrajectories.h"
#include "lookup/LayerImfps.h"

namespace korvane {

// The trajectory simulation of a stack of resolved materials (the substrate
// last) at one energy, with the layers' IMFPs already found: each layer's
// elastic scattering per formula unit and N from its density and mass, as
// simulate takes them. ∫φ dz of each layer, or why there is none, the layer
// named.
Result<std::vector<Estimate>> simulateMaterialStack(const std::vector<MaterialInputs>& materials,
                                                    const std::vector<double>& thicknesses,
                                                    const std::vector<double>& imfps, float energy,
                                                    const SimulationSettings& settings);

} // namespace korvane
