#include "cli/DcsReport.h"

#include "calc/AtomicUnits.h"
#include "cli/RowWriter.h"
#include "lookup/MaterialSimulation.h"
#include "presentation/ResultText.h"

namespace korvane::cli {

Result<void> writeDcsReport(const Command& command, const std::vector<MaterialInputs>& materials, std::FILE* out)
{
    const std::unique_ptr<RowWriter> writer = makeRowWriter(command.format,
                                                            {{"material", QStringLiteral("Material")},
                                                             {"energy_eV", QStringLiteral("Energy (eV)"), true},
                                                             {"angle_deg", QStringLiteral("Angle (°)"), true},
                                                             {"dcs_cm2_sr", QStringLiteral("dσ/dΩ (cm²/sr)"), true}},
                                                            out);
    for (const MaterialInputs& material : materials) {
        for (const float energy : command.request.energies) {
            const Result<FormulaScattering> elastic = elasticScatteringOf(material, energy, kDcsAngleCount);
            if (!elastic)
                return failed(QStringLiteral("%1: %2").arg(material.name, errorText(elastic)), ErrorCode::InvalidInput);
            const FormulaScattering& s = *elastic;
            for (std::size_t i = 0; i < s.angles.size(); ++i) {
                const Row row{Cell::ofText(material.name), Cell::ofSingle(energy),
                              Cell::ofSingle(static_cast<float>(s.angles[i] * 180 / atomic::kPi)),
                              Cell::ofSingleWithExponent(static_cast<float>(s.dcs[i] * atomic::kBohrRadiusSquaredCm2))};
                if (!writer->write(row))
                    return *writer->failure();
            }
        }
    }
    return writer->finish();
}

} // namespace korvane::cli
