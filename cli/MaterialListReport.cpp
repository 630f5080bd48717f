#include "cli/MaterialListReport.h"

#include "cli/RowWriter.h"

namespace korvane::cli {

namespace {

Failed unreadable(const Command& command, const QString& reason)
{
    return failed(QStringLiteral("the materials database %1 cannot be read: %2").arg(command.databasePath, reason),
                  ErrorCode::Storage);
}

} // namespace

Result<void> writeMaterialList(const Command& command, const MaterialCatalog& catalog, std::FILE* out)
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
    // A table keeps every row until the last, so a table too long for it is
    // refused before a row is read.
    if (command.format == OutputFormat::Table) {
        const Result<qint64> count = catalog.count();
        if (!count)
            return unreadable(command, errorText(count));
        if (*count > kMaxTableRows)
            return tooManyTableRows();
    }
    const Result<void> listed = catalog.forEach([&](const Material& m) {
        return writer->write({Cell::ofInteger(m.id), Cell::ofText(m.name), Cell::ofOptional(m.density),
                              Cell::ofOptional(m.atomicWeight), Cell::ofOptional(m.energyGap),
                              Cell::ofOptional(valenceTotal(m, command.request.groups))});
    });
    if (writer->failure())
        return *writer->failure();
    if (!listed)
        return unreadable(command, errorText(listed));
    return writer->finish();
}

} // namespace korvane::cli
