#include "ui/tools/curve/CurveCsv.h"

#include "chart/ImfpCurve.h"
#include "core/TableWriter.h"
#include "materials/text/NumberText.h"
#include "ui/tools/curve/PlottedMaterial.h"

namespace korvane::ui {

namespace {

// Numbers in CSV always take the full stop.
std::string fullSingle(float value)
{
    return numbertext::shortestFixed(value, QLocale::c()).toStdString();
}

} // namespace

QString curvesCsv(const std::vector<PlottedMaterial>& materials, const std::vector<float>& energies)
{
    TableWriter csv(TableFormat::Csv, {{"material"}, {"id"}, {"energy_eV"}, {"form"}, {"imfp_A"}, {"error"}});
    for (const PlottedMaterial& material : materials) {
        const std::string name = material.name.toStdString();
        ImfpInputs inputs = material.inputs;
        for (const float energy : energies) {
            inputs.energy = energy;
            for (const ImfpForm form : {ImfpForm::NonRelativistic, ImfpForm::Relativistic}) {
                const std::optional<float> value = imfp(form, inputs).length;
                if (!value)
                    continue;
                csv.text(name);
                if (material.id)
                    csv.number(std::to_string(*material.id));
                else
                    csv.empty();
                csv.number(fullSingle(energy));
                csv.text(formName(form));
                csv.number(fullSingle(*value));
                csv.empty();
                csv.endRow(); // in memory: nothing to fail
            }
        }
    }
    return QString::fromStdString(csv.finishedText());
}

} // namespace korvane::ui
