#include "cli/MaterialTransfer.h"

#include "cli/OneLine.h"
#include "materials/exchange/MaterialExport.h"
#include "materials/exchange/MaterialImport.h"
#include "presentation/ResultText.h"

namespace korvane::cli {

namespace {

// At most this many bad rows are named; the rest are counted.
constexpr qsizetype kBadRowsShown = 20;

} // namespace

Result<void> exportCommand(const Command& command, std::FILE* out)
{
    const ExchangeFormat format = command.format == OutputFormat::Json ? ExchangeFormat::Json : ExchangeFormat::Csv;
    const Result<void> exported =
        exportMaterials(command.databasePath, command.allMaterials, format, out, command.whenDatabaseMissing);
    if (!exported)
        return Failed{exported.error(), ErrorCode::Storage};
    return {};
}

Result<void> importCommand(const Command& command, std::FILE* out, std::FILE* err)
{
    const Result<MaterialFile> file = readMaterialFile(command.importFile);
    if (!file)
        return failed(QStringLiteral("%1: %2; nothing imported").arg(command.importFile, errorText(file)),
                      ErrorCode::Storage);
    const Result<ImportResult> imported =
        importMaterials(command.databasePath, *file, command.replace, command.whenDatabaseMissing);
    if (!imported)
        return failed(QStringLiteral("%1; nothing imported").arg(errorText(imported)), ErrorCode::Storage);
    const ImportResult& result = *imported;
    if (!result.badRows.isEmpty()) {
        printLine(err,
                  QStringLiteral("nothing imported: %1 of the %2 rows of %3 cannot be written")
                      .arg(result.badRows.size())
                      .arg(file->rows.size())
                      .arg(command.importFile));
        for (qsizetype i = 0; i < std::min(result.badRows.size(), kBadRowsShown); ++i)
            printLine(err, result.badRows[i]);
        if (result.badRows.size() > kBadRowsShown)
            printLine(err, QStringLiteral("and %1 more bad rows").arg(result.badRows.size() - kBadRowsShown));
        return Failed{{}, ErrorCode::Storage};
    }
    if (result.elementsLeftOut > 0)
        printLine(err,
                  QStringLiteral("note: %1 element rows (ID below %2) left out; elements are never written")
                      .arg(result.elementsLeftOut)
                      .arg(kFirstCompoundId));
    const int written = result.added + result.replaced;
    // A file of nothing but elements and rows already there needs no
    // writing; a file without rows has nothing to import.
    if (written == 0 && result.alreadyThere == 0 && result.elementsLeftOut == 0)
        return failed(QStringLiteral("nothing imported: %1 holds no materials").arg(command.importFile),
                      ErrorCode::NotFound);
    QString report = written == 0 && result.alreadyThere > 0
        ? QStringLiteral("nothing to write into %1: the %2 materials are already there")
              .arg(command.databasePath)
              .arg(result.alreadyThere)
        : QStringLiteral("imported %1 materials into %2: %3 new, %4 replaced")
              .arg(written)
              .arg(command.databasePath)
              .arg(result.added)
              .arg(result.replaced);
    if (written > 0 && result.alreadyThere > 0)
        report += QStringLiteral("; %1 already there").arg(result.alreadyThere);
    const QByteArray line = (report + u'\n').toUtf8();
    if (std::fputs(line.constData(), out) < 0 || std::fflush(out) != 0)
        return Failed{{}, ErrorCode::Storage}; // the materials are written; only the report is lost
    return {};
}

} // namespace korvane::cli
