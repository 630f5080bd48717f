#include "cli/ImfpCurves.h"

#include "lookup/MaterialImfp.h"

namespace korvane::cli {

ImfpCurves imfpCurves(const Command& command, const std::vector<MaterialInputs>& materials)
{
    ImfpCurves result;
    const std::vector<ImfpForm> forms = formsToCompute(command.request.forms);
    for (size_t m = 0; m < materials.size(); ++m) {
        const MaterialInputs& material = materials[m];
        for (const ImfpForm form : forms) {
            Curve curve{forms.size() > 1 ? chart::curveName(material.name, form) : material.name, {}, int(m), form};
            curve.points.reserve(command.request.energies.size());
            int leftOut = 0;
            for (const float energy : command.request.energies) {
                const Result<float> imfp = evaluateImfp(material, energy, form);
                if (energy > 0 && imfp && *imfp > 0)
                    curve.points.emplace_back(energy, *imfp);
                else
                    ++leftOut;
            }
            if (leftOut > 0)
                result.notes << QStringLiteral(
                                    "%1 of the energies give no positive IMFP for %2 and are left out of the plot")
                                    .arg(leftOut)
                                    .arg(curve.name);
            result.curves.push_back(std::move(curve));
        }
    }
    return result;
}

} // namespace korvane::cli
