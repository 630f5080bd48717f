#include "cli/MaterialListReport.h"

#include "cli/RowWriter.h"

namespace korvane::cli {

std::optional<Failure> writeMaterialList(const Command& command, const MaterialCatalog& catalog, std::FILE* out)
{
    const std::unique_ptr<RowWriter> writer =
        makeRowWriter(command.format,
                      {
                          {"id", QStringLiteral("ID"), true},
                          {"name", QStringLiteral("Name")},
                          {"density_g_cm3", QStringLiteral("Density (g/cm\u00B3)"), true},
                          {"mass_g_mol", QStringLiteral("Mass (g/mol)"), true},
                          {"gap_eV", QStringLiteral("Gap (eV)"), true},
                          {"nv", QStringLiteral("Nv"), true},
                      },
                      out);
    for (const Material& m : catalog.rows()) {
        if (!writer->write({Cell::ofInteger(m.id), Cell::ofText(m.name), Cell::ofOptional(m.density),
                            Cell::ofOptional(m.atomicWeight), Cell::ofOptional(m.energyGap),
                            Cell::ofOptional(valenceTotal(m, command.groups))}))
            return writer->failure();
    }
    return writer->finish() ? std::nullopt : writer->failure();
}

} // namespace korvane::cli
