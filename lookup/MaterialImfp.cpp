#include "lookup/MaterialImfp.h"

#include "query/ImfpEvaluation.h"

namespace korvane {

Result<float> evaluateImfp(const MaterialInputs& material, float energy, ImfpForm form)
{
    return evaluateImfp(MaterialValues{material.density, material.mass, material.bandGap, material.valenceElectrons},
                        energy, form);
}

} // namespace korvane
