#include "lookup/LayerImfps.h"

#include "lookup/MaterialImfp.h"
#include "presentation/ResultText.h"

namespace korvane {

LayerImfps layerImfps(const std::vector<MaterialInputs>& materials, float energy, ImfpForm form)
{
    LayerImfps imfps;
    for (std::size_t k = 0; k < materials.size(); ++k) {
        imfps.each.push_back(evaluateImfp(materials[k], energy, form));
        if (imfps.each.back())
            imfps.values.push_back(*imfps.each.back());
        else if (imfps.error.isEmpty())
            imfps.error = QStringLiteral("no IMFP for layer %1 (%2): %3")
                              .arg(k + 1)
                              .arg(materials[k].name, errorText(imfps.each.back()));
    }
    return imfps;
}

} // namespace korvane
