#pragma once

#include "calc/TrajectorySimulation.h"
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

// Which forms of the TPP-2M formula to compute.
using Forms = RequestedForms;

struct Command {
    CommandKind kind = CommandKind::Help;
    QString databasePath = QString::fromLatin1(kDatabasePath);
    // Only the default database is created when missing: a named one must exist.
    WhenMissing whenDatabaseMissing = WhenMissing::Create;
    OutputFormat format = OutputFormat::Table;
    ValenceTicks groups; // the include boxes, as the window starts when not chosen otherwise
    Forms forms = Forms::NonRelativistic;
    std::vector<MaterialRef> materials;
    std::vector<float> energies; // eV, in the order given; for a --line its kinetic energy
    // When any --line is given, the line of each energy (none for the others); else empty.
    std::vector<std::optional<LineEnergy>> lines;
    std::vector<QString> elementSymbols; // transport: --element, as typed

    // Correction factors: the depths, and either the material's IMFP at each
    // energy or the paths given directly.
    std::vector<float> depths;             // Å
    std::optional<float> imfp;             // Å
    std::optional<float> transportDensity; // g/cm3, for TrMFP when --imfp is given
    std::optional<float> transportMass;    // g/mol, likewise
    std::optional<double> crossSection;    // units of a0^2
    std::optional<float> effTrMfp;         // Å

    // Depth of the signal (for the straight-line model, cf1 and, with
    // crossSection, cf2) and overlayer thickness. For thickness the materials
    // are the overlayer and the substrate, the energies their two peaks.
    double angle = 0;              // degrees from the surface normal
    double probability = 0.95;     // signal fraction for the information depth
    double ratio = 0;              // R = I_o / I_s
    std::vector<double> ratios;    // thickness from several angles: R at each of `angles`
    double bulkRatio = 0;          // R∞ = I_o∞ / I_s∞
    bool attenuationModel = false; // --model eal: simulated attenuation lengths in place of the IMFPs

    // The trajectory simulation (with angle and probability above).
    std::uint64_t electrons = 1'000'000;
    std::uint64_t seed = 1;
    unsigned threads = 0; // every core
    double asymmetry = 0; // beta: isotropic emission
    double sourceAngle = kMagicAngle;
    bool profile = false; // one row per depth instead of one per material and energy
    double step = 0.02;   // profile step, a fraction of IMFP cos(angle)

    // A stack: the materials are its layers from the surface and then the
    // substrate; one thickness per layer; the angles of its rows.
    std::vector<float> layerThicknesses; // Å
    std::vector<double> angles;          // degrees
    bool monteCarlo = false;             // --model mc: trajectories through the stack

    // A quantification: the matrix is the first material and its
    // contamination layer, when given, the second, its thickness the one of
    // layerThicknesses; angle is the emission angle.
    std::vector<RequestedPeak> peaks;
    double photonEnergy = 0; // eV, of the source or as given
    double transmissionExponent = 0;

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

// The simulation's settings that a command gives.
SimulationSettings simulationSettings(const Command& command);

} // namespace korvane::cli
