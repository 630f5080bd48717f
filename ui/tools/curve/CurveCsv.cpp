#include "ui/tools/curve/CurveCsv.h"

#include "query/CurveCsv.h"
#include "query/ImfpEvaluation.h"
#include "ui/tools/curve/PlottedMaterial.h"

namespace korvane::ui {

QString curvesCsv(const std::vector<PlottedMaterial>& materials, const std::vector<float>& energies)
{
    std::vector<CurveCsvMaterial> rows;
    for (const PlottedMaterial& material : materials) {
        rows.push_back(
            {material.name.toStdString(), material.id, [inputs = material.inputs](float energy, ImfpForm form) mutable {
                 inputs.energy = energy;
                 return evaluateImfp(inputs, form);
             }});
    }
    return QString::fromStdString(curveCsv(rows, energies, {ImfpForm::NonRelativistic, ImfpForm::Relativistic}));
}

} // namespace korvane::ui
