#include "ui/tools/stack/StackResults.h"

#include "calc/ScreeningFunction.h"
#include "calc/SignalDepth.h"
#include "calc/StackedSignal.h"
#include "calc/TransportTable.h"
#include "lookup/ElementDensity.h"
#include "lookup/LayerImfps.h"
#include "presentation/ResultText.h"
#include "query/ElasticEnergies.h"
#include "query/TypedNumber.h"

namespace korvane::ui {

Result<std::vector<double>> readAngles(const QString& text)
{
    std::vector<double> angles;
    for (const QString& part : text.split(u',')) {
        const Result<double> angle = readTypedNumber("angle", part.trimmed().toStdString());
        if (!angle)
            return angle.failure();
        if (const Result<void> checked = checkAngle(*angle); !checked)
            return checked.failure();
        angles.push_back(*angle);
    }
    return angles;
}

Result<StackResults> computeStack(LayerTable::Stack stack, std::vector<double> angles, float energy, ImfpForm form,
                                  std::optional<LineEnergy> line)
{
    if (!withinElasticEnergies(energy))
        return failed(QStringLiteral("stack takes energies from %1 eV to %2 eV (got %3 eV)")
                          .arg(kTableLowestEnergy)
                          .arg(kTableHighestEnergy)
                          .arg(double(energy), 0, 'g', 6),
                      ErrorCode::OutOfRange);
    const LayerImfps imfps = layerImfps(stack.materials, energy, form);
    if (!imfps.error.isEmpty())
        return failed(imfps.error, ErrorCode::InvalidInput);
    StackResults results{std::move(stack), energy, form, std::move(angles), imfps.values, {}, std::move(line), {}};
    for (const double angle : results.angles)
        results.straightLine.push_back(straightLineSignals(results.imfps, results.stack.thicknesses, angle));
    if (results.line) {
        const int element = atomicNumberOf(results.line->line.section(u' ', 0, 0).toStdString());
        for (const MaterialInputs& material : results.stack.materials)
            results.atoms.push_back(elementAtomsPerCubicAngstrom(material, element));
    }
    return results;
}

QString unknownAtomsNote(const StackResults& results)
{
    for (std::size_t k = 0; k < results.atoms.size(); ++k)
        if (!results.atoms[k])
            return QStringLiteral("layer %1 (%2): %3")
                .arg(k + 1)
                .arg(results.stack.materials[k].name, errorText(results.atoms[k]));
    return {};
}

} // namespace korvane::ui
