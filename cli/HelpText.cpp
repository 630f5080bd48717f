#include "cli/HelpText.h"

#include "cli/CommandOptions.h"
#include "cli/CommandTable.h"

namespace korvane::cli {

namespace {

// Each line of `text` indented by `indent`, the first after `first` instead
// when given.
QString indentedLines(const char* text, qsizetype indent, const QString& first = {})
{
    const QStringList lines = QString::fromUtf8(text).split(u'\n');
    QString indented;
    for (qsizetype i = 0; i < lines.size(); ++i)
        indented += (i == 0 && !first.isEmpty() ? first : QString(indent, u' ')) + lines[i] + u'\n';
    return indented;
}

// The help lines of a section's options, in the order of the option table:
// the label indented by two and padded to `labelWidth`, the text beside it,
// its further lines under its first.
QString optionLines(HelpSection section, qsizetype labelWidth)
{
    QString lines;
    for (const OptionRow& row : optionTable()) {
        if (row.help.section == section)
            lines += indentedLines(row.help.text, 2 + labelWidth,
                                   QStringLiteral("  ") + QString::fromUtf8(row.help.label).leftJustified(labelWidth));
    }
    return lines;
}

// Every command's usage after "  tpp2m ", its further lines indented by 13.
QString usageLines()
{
    constexpr qsizetype furtherIndent = 13;
    QString lines;
    for (const CommandRow& row : commandTable())
        lines += indentedLines(row.help.usage, furtherIndent, QStringLiteral("  tpp2m "));
    return lines;
}

// Every command's explanation and examples: the name in a column of 7 (on a
// line of its own when longer), the text beside it, the examples under it.
QString commandLines()
{
    constexpr qsizetype nameWidth = 7, textIndent = 2 + nameWidth, exampleIndent = textIndent + 2;
    QString lines;
    for (const CommandRow& row : commandTable()) {
        if (!row.help.text)
            continue;
        if (row.help.spacedAbove)
            lines += u'\n';
        const QString name = QString::fromLatin1(row.name);
        QString first = QStringLiteral("  ") + name.leftJustified(nameWidth);
        if (name.size() >= nameWidth) {
            lines += QStringLiteral("  ") + name + u'\n';
            first.clear();
        }
        lines += indentedLines(row.help.text, textIndent, first);
        lines += indentedLines(row.help.examples, exampleIndent);
        if (row.help.note)
            lines += indentedLines(row.help.note, textIndent) + indentedLines(row.help.noteExamples, exampleIndent);
    }
    return lines;
}

} // namespace

QString helpText()
{
    return QStringLiteral(R"(tpp2m: inelastic mean free paths (IMFP) of electrons by the TPP-2M formula of
Tanuma, Powell and Penn, and correction factors for elastic scattering, for
materials of the Korvane materials database.

Usage:
)") + usageLines()
        + QStringLiteral("\nCommands:\n") + commandLines() + QStringLiteral(R"(
MATERIAL is a name as in the database (letter case counts) or an ID written
as a bare number (104, not 0104 or +104), or:
)") + optionLines(HelpSection::Material, 40)
        + QStringLiteral(R"(ENERGIES (eV), any number of them, in the order given:
)") + optionLines(HelpSection::Energies, 26)
        + QStringLiteral(R"(
Levels are written 1s, 2s, 2p1/2, 2p3/2, 3s ... 3d5/2, 4s ... 4f7/2, 5s ...;
"2p" without the spin-orbit part means the stronger component (2p3/2, and
likewise 3d5/2, 4f7/2). Binding energies are xraylib's absorption-edge
energies, relative to the Fermi level; the kinetic energy is the photon energy
minus the binding energy, and the work function of the spectrometer (a few eV)
is left out. The rows of a line also show the line, its source and its binding
energy (columns line, source, binding_energy_eV); energy_eV holds the kinetic
energy. For example:
  tpp2m imfp Cu --line "Cu 2p3/2,Cu 3d" --source AlKa

Options:
)") + optionLines(HelpSection::Options, 22)
        + QStringLiteral(R"(
Numbers are written with a full stop as decimal point, in any locale. A row
whose IMFP cannot be formed (Nv 0, an energy of 0) says so in its Error
column. The formula was fitted for 50 eV to 200000 eV; energies outside give a
note on standard error.

Exit status: 0 done; 1 a material is not found, the database or the picture
file cannot be used, the output cannot be written, an import has bad rows or
no materials, or a plot has no curve; 2 the command line is wrong (unknown option, a value that
is not a number or out of range: a density, mass, cross-section, IMFP or
EffTrMFP of 0 or below, an angle outside 0 to 90 degrees, P outside 0 to 1, a
ratio of 0 or below; an unknown element in a formula, an unknown element or
level in a line, a line without a source, a level whose binding energy is not
below the photon energy, a table of more than 100000 rows).
)");
}

} // namespace korvane::cli
