#include "lookup/MaterialImfp.h"

#include "query/ImfpEvaluation.h"

namespace korvane {

Result<float> evaluateImfp(const MaterialInputs& material, float energy, ImfpForm form)
{
    return evaluateImfp(material.values, energy, form);
}

} // namespace korvane
