#pragma once

#include "core/Result.h"
#include "lookup/LineEnergies.h"
#include "lookup/MaterialRef.h"
#include "materials/store/DatabaseLocation.h"
#include "query/Request.h"
#include "query/ValenceGroups.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace korvane::cli {

enum class CommandKind { Help, List, Imfp, Cf1, Cf2, Plot, Depth, Thickness, Export, Import, Transport, Dcs, Simulate, Stack, Quantify };

enum class OutputFormat { Table, Csv, Json };


struct Command {
    CommandKind kind = CommandKind::Help;
    QString databasePath = QString::fromLatin1(kDatabasePath);
    // Only the default database is created when missing: a named one must exist.
    WhenMissing whenDatabaseMissing = WhenMissing::Create;
    OutputFormat format = OutputFormat::Table;
    // What the user asked, read and judged: the energies in the order given
    // (for a --line its kinetic energy), the groups, the forms, the depths,
    // S, the angle or the angles, P, and the simulation's settings.
    Request request;
    std::vector<MaterialRef> materials; // the request's materials
    // When any --line is given, the line of each energy (none for the others); else empty.
    std::vector<std::optional<LineEnergy>> lines;
    std::vector<QString> elementSymbols; // transport: --element, as typed

    // Correction factors: the material's IMFP at each energy or the paths
    // given directly.
    std::optional<float> imfp;             // Å
    std::optional<float> transportDensity; // g/cm3, for TrMFP when --imfp is given
    std::optional<float> transportMass;    // g/mol, likewise
    std::optional<float> effTrMfp;         // Å

    // Overlayer thickness: the materials are the overlayer and the substrate,
    // the energies their two peaks.
    double ratio = 0;              // R = I_o / I_s
    std::vector<double> ratios;    // thickness from several angles: R at each of the request's angles
    double bulkRatio = 0;          // R∞ = I_o∞ / I_s∞
    bool attenuationModel = false; // --model eal: simulated attenuation lengths in place of the IMFPs

    // A stack: the materials are its layers from the surface and then the
    // substrate; one thickness per layer.
    std::vector<float> layerThicknesses; // Å
    bool monteCarlo = false;             // --model mc: trajectories through the stack

    // A quantification: the matrix is the first material and its
    // contamination layer, when given, the second, its thickness the one of
    // layerThicknesses; the request's angle is the emission angle.
    double photonEnergy = 0; // eV, of the source or as given

    // Plot.
    QString outputFile;
    QSize imageSize{800, 600};

    // Export and import of materials.
    bool allMaterials = false; // export the elements and shipped compounds too
    QString importFile;
    bool replace = false; // import overwrites materials of the same name
};

// Reads the arguments that follow the program name: the command, or one line
// naming what is wrong (InvalidInput). Pure: touches no file and no
// database, so every mistake in the arguments is found here.
Result<Command> parseCommandLine(const QStringList& arguments);


} // namespace korvane::cli
