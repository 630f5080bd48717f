#include "cli/Tpp2m.h"

#include "cli/OneLine.h"

#include "calc/ValidEnergyRange.h"
#include "chart/ImfpChart.h"
#include "cli/CorrectionReport.h"
#include "cli/DcsReport.h"
#include "cli/DepthReport.h"
#include "cli/ExitStatus.h"
#include "cli/HelpText.h"
#include "cli/ImfpCurves.h"
#include "cli/ImfpEvaluation.h"
#include "cli/ImfpReport.h"
#include "cli/MaterialListReport.h"
#include "cli/SimulationReport.h"
#include "cli/ThicknessReport.h"
#include "cli/MaterialTransfer.h"
#include "cli/TransportReport.h"
#include "cli/PlotPlatform.h"
#include "lookup/MaterialResolution.h"

#include <QApplication>

#include <fcntl.h>

#include <algorithm>

namespace korvane::cli {

namespace {

int failed(std::FILE* err, const Failure& failure)
{
    printLine(err, failure.message);
    return failure.status;
}

// Why the materials of a command cannot be had: the database or a material
// is not there or cannot be read, or what was typed is wrong.
Failure unresolved(const Failed& failure)
{
    const bool missing = failure.code == ErrorCode::NotFound || failure.code == ErrorCode::Storage;
    return {QString::fromStdString(failure.reason), missing ? kNotFound : kBadInput};
}

int listMaterials(const Command& command, std::FILE* out, std::FILE* err)
{
    const Result<MaterialCatalog> catalog = MaterialCatalog::open(command.databasePath, command.whenDatabaseMissing);
    if (!catalog)
        return failed(err,
                      {QStringLiteral("the materials database %1 cannot be opened: %2")
                           .arg(command.databasePath, errorText(catalog)),
                       kNotFound});
    if (const std::optional<Failure> failure = writeMaterialList(command, *catalog, out))
        return failed(err, *failure);
    return kSuccess;
}

// The chart is drawn without a window, so it looks the same with or without
// a display; it is written only to a regular file or a new name.
int plot(const Command& command, const std::vector<MaterialInputs>& materials, std::FILE* err)
{
    const QString unwritable = unwritablePlotFile(command.outputFile);
    if (!unwritable.isEmpty())
        return failed(err, {unwritable, kNotFound});
    const ImfpCurves curves = imfpCurves(command, materials);
    for (const QString& note : curves.notes)
        printLine(err, QStringLiteral("note: ") + note);
    if (std::all_of(curves.curves.begin(), curves.curves.end(), [](const Curve& c) { return c.points.empty(); }))
        return failed(err, {QStringLiteral("nothing to plot: no energy gives a positive IMFP"), kNotFound});
    preparePlotPlatform();
    int argc = 1;
    char name[] = "tpp2m";
    char* argv[] = {name, nullptr};
    std::unique_ptr<QApplication> application;
    if (!QCoreApplication::instance())
        application = std::make_unique<QApplication>(argc, argv);
    const QString error = chart::writeImfpChart({curves.curves, {}, {}}, command.outputFile, command.imageSize);
    if (!error.isEmpty())
        return failed(err, {error, kNotFound});
    return kSuccess;
}

int run(const QStringList& arguments, std::FILE* out, std::FILE* err)
{
    const ParsedCommandLine parsed = parseCommandLine(arguments);
    if (!parsed.error.isEmpty())
        return failed(err, {parsed.error, kBadInput});
    const Command& command = parsed.command;
    switch (command.kind) {
    case CommandKind::Help: std::fputs(helpText().toUtf8().constData(), out); return kSuccess;
    case CommandKind::List: return listMaterials(command, out, err);
    case CommandKind::Export: return exportCommand(command, out, err);
    case CommandKind::Import: return importCommand(command, out, err);
    default: break;
    }
    const Result<std::vector<MaterialInputs>> resolved =
        command.kind == CommandKind::Transport || command.kind == CommandKind::Dcs
        ? resolveTransportMaterials(command)
        : resolveMaterials(command.materials, {command.databasePath, command.whenDatabaseMissing, command.groups});
    if (!resolved)
        return failed(err, unresolved(resolved.failure()));
    if (command.kind == CommandKind::Transport || command.kind == CommandKind::Dcs) {
        const std::optional<Failure> failure = command.kind == CommandKind::Dcs
            ? writeDcsReport(command, *resolved, out)
            : writeTransportReport(command, *resolved, out);
        return failure ? failed(err, *failure) : kSuccess;
    }
    if (std::any_of(command.energies.begin(), command.energies.end(), outsideValidEnergyRange))
        printLine(err, QStringLiteral("note: ") + QLatin1String(kOutsideValidEnergyRangeNote));
    std::optional<Failure> failure;
    switch (command.kind) {
    case CommandKind::Imfp: failure = writeImfpReport(command, *resolved, out); break;
    case CommandKind::Cf1:
    case CommandKind::Cf2: failure = writeCorrectionReport(command, *resolved, out); break;
    case CommandKind::Plot: return plot(command, *resolved, err);
    case CommandKind::Depth:
        if (const QString note = depthNote(command); !note.isEmpty())
            printLine(err, QStringLiteral("note: ") + note);
        failure = writeDepthReport(command, *resolved, out);
        break;
    case CommandKind::Thickness: failure = writeThicknessReport(command, *resolved, out); break;
    case CommandKind::Simulate: failure = writeSimulationReport(command, *resolved, out); break;
    default: break;
    }
    return failure ? failed(err, *failure) : kSuccess;
}

} // namespace

int runTpp2m(const QStringList& arguments, std::FILE* out, std::FILE* err)
{
    // A closed standard output would take the number of the next file opened.
    if (::fcntl(fileno(out), F_GETFD) == -1)
        return failed(err, outputFailure());
    const int status = run(arguments, out, err);
    if (status == kSuccess && (std::fflush(out) != 0 || std::ferror(out)))
        return failed(err, outputFailure());
    return status;
}

} // namespace korvane::cli
