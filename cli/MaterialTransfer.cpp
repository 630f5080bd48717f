#include "cli/MaterialTransfer.h"

#include "cli/ExitStatus.h"
#include "cli/OneLine.h"
#include "materials/MaterialExport.h"
#include "materials/MaterialImport.h"

namespace korvane::cli {

namespace {

// At most this many bad rows are named; the rest are counted.
constexpr qsizetype kBadRowsShown = 20;

} // namespace

int exportCommand(const Command& command, std::FILE* out, std::FILE* err)
{
    QString error;
    const ExchangeFormat format = command.format == OutputFormat::Json ? ExchangeFormat::Json : ExchangeFormat::Csv;
    if (!exportMaterials(command.databasePath, command.allMaterials, format, out, &error,
                         command.whenDatabaseMissing)) {
        printLine(err, error);
        return kNotFound;
    }
    return kSuccess;
}

int importCommand(const Command& command, std::FILE* out, std::FILE* err)
{
    const MaterialFile file = readMaterialFile(command.importFile);
    if (!file.error.isEmpty()) {
        printLine(err, QStringLiteral("%1: %2; nothing imported").arg(command.importFile, file.error));
        return kNotFound;
    }
    const ImportResult result =
        importMaterials(command.databasePath, file, command.replace, command.whenDatabaseMissing);
    if (!result.error.isEmpty()) {
        printLine(err, QStringLiteral("%1; nothing imported").arg(result.error));
        return kNotFound;
    }
    if (!result.badRows.isEmpty()) {
        printLine(err,
                  QStringLiteral("nothing imported: %1 of the %2 rows of %3 cannot be written")
                      .arg(result.badRows.size())
                      .arg(file.rows.size())
                      .arg(command.importFile));
        for (qsizetype i = 0; i < std::min(result.badRows.size(), kBadRowsShown); ++i)
            printLine(err, result.badRows[i]);
        if (result.badRows.size() > kBadRowsShown)
            printLine(err, QStringLiteral("and %1 more bad rows").arg(result.badRows.size() - kBadRowsShown));
        return kNotFound;
    }
    if (result.elementsLeftOut > 0)
        printLine(err,
                  QStringLiteral("note: %1 element rows (ID below %2) left out; elements are never written")
                      .arg(result.elementsLeftOut)
                      .arg(kFirstCompoundId));
    const QByteArray report = QStringLiteral("imported %1 materials into %2: %3 new, %4 replaced\n")
                                  .arg(result.added + result.replaced)
                                  .arg(command.databasePath)
                                  .arg(result.added)
                                  .arg(result.replaced)
                                  .toUtf8();
    if (std::fputs(report.constData(), out) < 0 || std::fflush(out) != 0)
        return kNotFound; // the materials are written; only the report is lost
    return kSuccess;
}

} // namespace korvane::cli
