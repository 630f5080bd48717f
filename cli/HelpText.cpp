#include "cli/HelpText.h"

namespace korvane::cli {

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
             | MATERIAL... ENERGIES --cross-section S) --depth Z[,Z...] [--csv | --json]
  tpp2m plot MATERIAL... ENERGIES -o FILE.png|FILE.svg [--size WxH] [--relativistic [both]]
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
  plot   The IMFP against energy on log-log axes, one curve per material, as a
         PNG or SVG picture of WxH pixels (800x600 unless --size says otherwise).
           tpp2m plot SiO2 Cu Au --log 50:10000:200 -o imfp.png
           tpp2m plot SiO2 --range 50:100000:50 --relativistic both -o silica.svg

MATERIAL is a name as in the database (letter case counts) or an ID written
as a bare number (104, not 0104 or +104), or:
  --density D --mass M --gap EG --nv NV   a material given by its values
  --formula F --density D --gap EG        a material given by its chemical
                                          formula, e.g. SiO2, C22H10N2O5, Ca(OH)2;
                                          Nv and the mass are summed from the
                                          elements' rows of the database
ENERGIES (eV), any number of them, in the order given:
  --energy E[,E...]         single energies
  --range FROM:TO:STEP      FROM, FROM+STEP, ... up to TO
  --log FROM:TO:COUNT       COUNT energies evenly spaced on a log scale

Options:
  --database PATH       the materials database, which must exist (default
                        DataBase/TPP2-data.db under the current folder, created
                        from the shipped materials when missing); it is only read
  --include GROUPS      the valence-electron groups that make up Nv, from
                        hbe (s+p, higher binding energy), lbe (s+p, lower
                        binding energy), d and f, separated by commas, or none;
                        default lbe,d,f, as the window starts
  --relativistic        the relativistic form of the formula; "both" gives both forms
  --csv, --json         full single-precision values for scripts and spreadsheets;
                        the default table rounds as the window shows
                        (lengths 0.00, correction factors 0.000) and holds at
                        most 100000 rows
  -o, --output FILE     the picture to write (plot): a regular file or a new name
  --size WxH            its size in pixels, each from 100 to 10000

Numbers are written with a full stop as decimal point, in any locale. A row
whose IMFP cannot be formed (Nv 0, an energy of 0) says so in its Error
column. The formula was fitted for 50 eV to 200000 eV; energies outside give a
note on standard error.

Exit status: 0 done; 1 a material is not found, the database or the picture
file cannot be used, or the output cannot be written; 2 the command line is
wrong (unknown option, a value that is not a number or out of range, an unknown
element in a formula, a table of more than 100000 rows).
)");
}

} // namespace korvane::cli
