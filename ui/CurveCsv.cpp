#include "ui/CurveCsv.h"

#include "chart/ImfpCurve.h"
#include "materials/NumberText.h"
#include "ui/PlottedMaterial.h"

namespace korvane::ui {

namespace {

// Numbers in CSV always take the full stop.
QString fullSingle(float value)
{
    return numbertext::shortestFixed(value, QLocale::c());
}

// A text with a comma, a quote or a line break goes in double quotes.
QString csvText(const QString& text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

} // namespace

QString curvesCsv(const std::vector<PlottedMaterial>& materials, const std::vector<float>& energies)
{
    QString csv = QStringLiteral("material,id,energy_eV,form,imfp_A,error\n");
    for (const PlottedMaterial& material : materials) {
        const QString name = csvText(material.name);
        const QString id = material.id ? QString::number(*material.id) : QString();
        ImfpInputs inputs = material.inputs;
        for (const float energy : energies) {
            inputs.energy = energy;
            for (const ImfpForm form : {ImfpForm::NonRelativistic, ImfpForm::Relativistic}) {
                const std::optional<float> value = imfp(form, inputs).length;
                if (value)
                    csv += QStringLiteral("%1,%2,%3,%4,%5,\n")
                               .arg(name, id, fullSingle(energy), QLatin1String(formName(form)), fullSingle(*value));
            }
        }
    }
    return csv;
}

} // namespace korvane::ui
