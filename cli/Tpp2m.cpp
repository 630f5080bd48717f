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
#include "cli/ImfpReport.h"
#include "cli/MaterialListReport.h"
#include "cli/SimulationReport.h"
#include "cli/StackReport.h"
#include "cli/ThicknessReport.h"
#include "cli/MaterialTransfer.h"
#include "cli/TransportReport.h"
#include "cli/PlotPlatform.h"
#include "cli/QuantifyReport.h"
#include "lookup/MaterialResolution.h"

#include <QApplication>

#include <fcntl.h>

#include <algorithm>

namespace korvane::cli {

namespace {

// Every run that fails ends here: its reason on standard error, and the exit
// status its kind calls for. A failure without words is one whose command
// has written all it has to say.
int exitWith(std::FILE* err, const Failed& failure)
{
    if (!failure.reason.empty())
        printLine(err, QString::fromStdString(failure.reason));
    return exitStatusOf(failure.code);
}

// A run that gives only its report: success, or why the report ended.
int reported(std::FILE* err, const Result<void>& report)
{
    return report ? kSuccess : exitWith(err, report.failure());
}

int listMaterials(const Command& command, std::FILE* out, std::FILE* err)
{
    const Result<MaterialCatalog> catalog = MaterialCatalog::open(command.databasePath, command.whenDatabaseMissing);
    if (!catalog)
        return exitWith(err,
                        failed(QStringLiteral("the materials database %1 cannot be opened: %2")
                                   .arg(command.databasePath, errorText(catalog)),
                               ErrorCode::Storage));
    return reported(err, writeMaterialList(command, *catalog, out));
}

// The chart is drawn without a window, so it looks the same with or without
// a display; it is written only to a regular file or a new name.
int plot(const Command& command, const std::vector<MaterialInputs>& materials, std::FILE* err)
{
    if (const Result<void> writable = checkPlotFile(command.outputFile); !writable)
        return exitWith(err, writable.failure());
    const ImfpCurves curves = imfpCurves(command, materials);
    for (const QString& note : curves.notes)
        printLine(err, QStringLiteral("note: ") + note);
    if (std::all_of(curves.curves.begin(), curves.curves.end(), [](const Curve& c) { return c.points.empty(); }))
        return exitWith(err, Failed{"nothing to plot: no energy gives a positive IMFP", ErrorCode::NoPhysicalValue});
    preparePlotPlatform();
    int argc = 1;
    char name[] = "tpp2m";
    char* argv[] = {name, nullptr};
    std::unique_ptr<QApplication> application;
    if (!QCoreApplication::instance())
        application = std::make_unique<QApplication>(argc, argv);
    if (const Result<void> written =
            chart::writeImfpChart({curves.curves, {}, {}}, command.outputFile, command.imageSize);
        !written)
        return exitWith(err, written.failure());
    return kSuccess;
}

int run(const QStringList& arguments, std::FILE* out, std::FILE* err)
{
    const Result<Command> parsed = parseCommandLine(arguments);
    if (!parsed)
        return exitWith(err, parsed.failure());
    const Command& command = *parsed;
    switch (command.kind) {
    case CommandKind::Help: std::fputs(helpText().toUtf8().constData(), out); return kSuccess;
    case CommandKind::List: return listMaterials(command, out, err);
    case CommandKind::Export: return reported(err, exportCommand(command, out));
    case CommandKind::Import: return reported(err, importCommand(command, out, err));
    default: break;
    }
    const Result<std::vector<MaterialInputs>> resolved =
        command.kind == CommandKind::Transport || command.kind == CommandKind::Dcs
        ? resolveTransportMaterials(command)
        : resolveMaterials(command.materials, {command.databasePath, command.whenDatabaseMissing, command.groups});
    if (!resolved)
        return exitWith(err, resolved.failure());
    if (command.kind == CommandKind::Transport || command.kind == CommandKind::Dcs)
        return reported(err,
                        command.kind == CommandKind::Dcs ? writeDcsReport(command, *resolved, out)
                                                         : writeTransportReport(command, *resolved, out));
    if (std::any_of(command.energies.begin(), command.energies.end(), outsideValidEnergyRange))
        printLine(err, QStringLiteral("note: ") + QLatin1String(kOutsideValidEnergyRangeNote));
    switch (command.kind) {
    case CommandKind::Imfp: return reported(err, writeImfpReport(command, *resolved, out));
    case CommandKind::Cf1:
    case CommandKind::Cf2: return reported(err, writeCorrectionReport(command, *resolved, out));
    case CommandKind::Plot: return plot(command, *resolved, err);
    case CommandKind::Depth:
        if (const QString note = depthNote(command); !note.isEmpty())
            printLine(err, QStringLiteral("note: ") + note);
        return reported(err, writeDepthReport(command, *resolved, out));
    case CommandKind::Thickness: return reported(err, writeThicknessReport(command, *resolved, out));
    case CommandKind::Simulate: return reported(err, writeSimulationReport(command, *resolved, out));
    case CommandKind::Stack: return reported(err, writeStackReport(command, *resolved, out));
    case CommandKind::Quantify: return reported(err, writeQuantifyReport(command, *resolved, out));
    default: break;
    }
    return kSuccess;
}

} // namespace

int runTpp2m(const QStringList& arguments, std::FILE* out, std::FILE* err)
{
    // A closed standard output would take the number of the next file opened.
    if (::fcntl(fileno(out), F_GETFD) == -1)
        return exitWith(err, outputFailure());
    const int status = run(arguments, out, err);
    if (status == kSuccess && (std::fflush(out) != 0 || std::ferror(out)))
        return exitWith(err, outputFailure());
    return status;
}

} // namespace korvane::cli
