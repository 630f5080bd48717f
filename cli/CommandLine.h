#pragma once

#include "materials/MaterialDatabase.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>
#include <vector>

namespace korvane::cli {

enum class CommandKind { Help, List, Imfp, Cf1, Cf2, Plot };

enum class OutputFormat { Table, Csv, Json };

// Which forms of the TPP-2M formula to compute.
enum class Forms { NonRelativistic, Relativistic, Both };

// The include boxes of the four valence-electron groups; as the window starts
// when not chosen otherwise.
struct IncludedGroups {
    bool spHbe = false;
    bool spLbe = true;
    bool d = true;
    bool f = true;

    bool operator==(const IncludedGroups&) const = default;
};

// A material given by its values on the command line.
struct InlineMaterial {
    float density = 0;
    float mass = 0;
    float bandGap = 0;
    float valenceElectrons = 0;
};

// A material given by its chemical formula, its density and its band gap;
// Nv and the mass come from the elements' rows.
struct FormulaMaterial {
    QString formula;
    float density = 0;
    float bandGap = 0;
};

// A material of the database, by its name or its ID as typed.
struct NamedMaterial {
    QString nameOrId;
};

using MaterialRef = std::variant<NamedMaterial, InlineMaterial, FormulaMaterial>;

struct Command {
    CommandKind kind = CommandKind::Help;
    QString databasePath = QString::fromLatin1(kDatabasePath);
    // Only the default database is created when missing: a named one must exist.
    WhenMissing whenDatabaseMissing = WhenMissing::Create;
    OutputFormat format = OutputFormat::Table;
    IncludedGroups groups;
    Forms forms = Forms::NonRelativistic;
    std::vector<MaterialRef> materials;
    std::vector<float> energies; // eV, in the order given

    // Correction factors: the depths, and either the material's IMFP at each
    // energy or the paths given directly.
    std::vector<float> depths; // Å
    std::optional<float> imfp; // Å
    std::optional<float> transportDensity; // g/cm3, for TrMFP when --imfp is given
    std::optional<float> transportMass;    // g/mol, likewise
    std::optional<double> crossSection;    // units of a0^2
    std::optional<float> effTrMfp;         // Å

    // Plot.
    QString outputFile;
    QSize imageSize{800, 600};
};

struct ParsedCommandLine {
    Command command;
    QString error; // one line naming what is wrong; empty on success
};

// Reads the arguments that follow the program name. Pure: touches no file
// and no database, so every mistake in the arguments is found here.
ParsedCommandLine parseCommandLine(const QStringList& arguments);

} // namespace korvane::cli
