#include "cli/HelpText.h"

#include "cli/CommandOptions.h"

namespace korvane::cli {

namespace {

// The help lines of a section's options, in the order of the option table:
// the label indented by two and padded to `labelWidth`, the text beside it,
// its further lines under its first.
QString optionLines(HelpSection section, qsizetype labelWidth)
{
    const QString indent(2 + labelWidth, u' ');
    QString lines;
    for (const OptionRow& row : optionTable()) {
        if (row.help.section != section)
            continue;
        const QStringList text = QString::fromUtf8(row.help.text).split(u'\n');
        lines +=
            QStringLiteral("  ") + QString::fromUtf8(row.help.label).leftJustified(labelWidth) + text.front() + u'\n';
        for (qsizetype i = 1; i < text.size(); ++i)
            lines += indent + text[i] + u'\n';
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
  tpp2m list [--database PATH] [--include GROUPS] [--csv | --json]
  tpp2m imfp MATERIAL... ENERGIES [--relativistic [both]] [--include GROUPS] [--csv | --json]
  tpp2m cf1 (--imfp L | MATERIAL... ENERGIES) --depth Z[,Z...] [--csv | --json]
  tpp2m cf2 (--eff-trmfp L | --density D --mass M --cross-section S --imfp L
             | MATERIAL... ENERGIES [--cross-section S]) --depth Z[,Z...] [--csv | --json]
  tpp2m plot MATERIAL... ENERGIES -o FILE.png|FILE.svg [--size WxH] [--relativistic [both]]
  tpp2m depth MATERIAL... ENERGIES [--angle DEG] [--probability P] [--cross-section S]
             [--csv | --json]
  tpp2m thickness --overlayer O --substrate S --overlayer-energy E --substrate-energy E
             --ratio R --bulk-ratio RINF [--angle DEG] [--model sla|eal [--electrons N]
             [--seed S] [--threads N]] [--csv | --json]
  tpp2m export [--database PATH] [--all] --csv | --json
  tpp2m import FILE [--database PATH] [--replace]
  tpp2m transport (MATERIAL... | --formula F | --element SYMBOL)... ENERGIES [--csv | --json]
  tpp2m dcs (MATERIAL... | --formula F) ENERGIES [--csv | --json]
  tpp2m simulate MATERIAL... ENERGIES [--angle DEG] [--probability P] [--electrons N]
             [--seed S] [--threads N] [--asymmetry BETA] [--source-angle PSI]
             [--profile [--step FRACTION]] [--csv | --json]
  tpp2m --help

Commands:
  list   Every material with its ID, name, density (g/cm3), mass (g/mol), band
         gap (eV) and valence-electron total Nv.
           tpp2m list --csv
  imfp   The IMFP in angstrom, one row per material, energy and form.
           tpp2m imfp SiO2 Cu --energy 1000 --range 100:2000:100
  cf1    Correction factor by approximation 1, from depth / IMFP.
           tpp2m cf1 --imfp 25 --depth 0,10,20,50
           tpp2m cf1 SiO2 --energy 1486.6 --depth 10
  cf2    Transport mean free path TrMFP from density, mass and the transport
         cross-section S (in units of a0^2), effective transport mean free path
         EffTrMFP from TrMFP and the IMFP, and the correction factor by
         approximation 2 from depth / EffTrMFP.
           tpp2m cf2 --density 2.33 --mass 28.09 --cross-section 1 --imfp 30 --depth 10
           tpp2m cf2 --eff-trmfp 10 --depth 0,10,20,50
           tpp2m cf2 Si --energy 1000 --cross-section 1.2 --depth 5,10
         Without --cross-section, S of each material is computed as by
         transport, and its columns say which S was used.
           tpp2m cf2 SiO2 --energy 1486.6 --depth 10
  plot   The IMFP against energy on log-log axes, one curve per material, as a
         PNG or SVG picture of WxH pixels (800x600 unless --size says otherwise).
           tpp2m plot SiO2 Cu Au --log 50:10000:200 -o imfp.png
           tpp2m plot SiO2 --range 50:100000:50 --relativistic both -o silica.svg
  depth  How deep the signal comes from, at DEG degrees from the surface normal
         (default 0): the information depth ID, above which the fraction P of the
         signal arises (default 0.95), and the mean escape depth MED, by the
         straight-line model (none), by approximation 1 (cf1) and by
         approximation 2 (cf2) with the transport cross-section S given, or
         computed as by transport without --cross-section (its columns then
         say which S was used). The corrections hold only up to 30 degrees;
         beyond, only the straight-line model is given.
           tpp2m depth SiO2 --energy 1486.6 --angle 20 --cross-section 1.2
  thickness
         The thickness of an overlayer O on a substrate S (names or IDs) by the
         straight-line model, from the ratio R of the overlayer's to the
         substrate's peak intensity and the ratio RINF of the two bulk
         intensities, with the peaks' kinetic energies in eV. --model eal
         replaces the overlayer's IMFPs by its effective attenuation lengths
         L(d) from one simulation at each energy (as simulate; 50 eV to
         30000 eV), taken at the thickness found; the model column says which.
           tpp2m thickness --overlayer SiO2 --substrate Si --overlayer-energy 1383
             --substrate-energy 1387 --ratio 0.8 --bulk-ratio 0.9
  export The materials added by users (ID 104 and above), or every material
         with --all, with every column as stored, to move them to another
         database or keep them apart from it.
           tpp2m export --csv > my-materials.csv
  import Adds the materials of a CSV or JSON file made by export (or by hand,
         with the same columns) to the database, all in one transaction. Every
         row is checked first, as the window's Save checks a material; if any
         row is bad, nothing is written and the bad rows are named. A name that
         is already in the database is refused, unless --replace overwrites that
         material (it keeps its ID); a row the same as a stored material in
         every column but the ID is already there and is counted, not
         written; elements are never written. The database gives the new
         materials their IDs, whatever IDs the file gives them. A name holds
         at most 255 characters, a description at most 32767. This is the only command that
         writes to the database; while another copy of the program is saving,
         it waits up to two seconds as the window does.
           tpp2m import my-materials.csv --database ~/other/TPP2-data.db

  transport
         The transport cross-section S in a0^2 and cm^2 of an element (a row
         with an ID below 104, or --element SYMBOL, any number of times) or of
         a compound whose name or --formula is a chemical formula: the sum of
         its atoms' sigma_1 over one formula unit. Free atoms, Dirac partial
         waves, 50 eV to 30000 eV; a material without S says why in its Error
         column. elastic_cross_section_cm2 is the total elastic cross-section
         sigma_el of one formula unit from the same partial waves.
           tpp2m transport Cu SiO2 --element Au --log 100:10000:3 --csv

  dcs    The differential elastic cross-section dsigma/dOmega (cm^2/sr) of one
         formula unit, |f|^2 + |g|^2 of the Dirac partial waves, at 601 angles
         from 0 to 180 degrees, denser at small angles; 50 eV to 30000 eV.
           tpp2m dcs Au --energy 1000 --csv

  simulate
         The depth of the no-loss signal by following electron trajectories
         (reversed, from the analyser into the solid) in the material with its
         IMFP and its atoms' elastic scattering, at any angle below 90 degrees:
         the elastic and transport mean free paths, the albedo, the mean escape
         depth and the information depth ID(P), each with its standard error.
         Emission is isotropic, or with --asymmetry BETA (-1 to 2) the dipole
         distribution of unpolarised X-rays from a source at --source-angle PSI
         degrees from the analyser axis (default 54.7), in the plane of the
         normal and the analyser, on the far side of the normal when PSI exceeds
         the angle. --electrons N (default 1000000, at least 1000), --seed S
         (default 1; a seed gives the same output on any number of --threads,
         default every core). --profile gives instead one row per depth, every
         --step FRACTION (default 0.02) of IMFP cos(angle), until phi falls to
         1e-4 of its surface value: phi (1 without elastic scattering at the
         surface, falling as exp(-z / (IMFP cos(angle)))), CF, the effective
         attenuation length of an overlayer of that thickness, and cf1 and cf2
         up to 30 degrees; 50 eV to 30000 eV.
           tpp2m simulate Au --energy 1000 --angle 60 --electrons 100000
           tpp2m simulate Cu --energy 1486.6 --profile --csv

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
