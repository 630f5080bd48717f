#include "cli/CommandTable.h"

#include <QLatin1String>

#include <algorithm>
#include <array>

namespace korvane::cli {

namespace {

using enum CommandKind;

// clang-format off
constexpr std::array kCommands = std::to_array<CommandRow>({
    {List, "list", {
        .usage = "list [--database PATH] [--include GROUPS] [--csv | --json]",
        .text = "Every material with its ID, name, density (g/cm3), mass (g/mol), band\n"
                "gap (eV) and valence-electron total Nv.",
        .examples = "tpp2m list --csv"}},
    {Imfp, "imfp", {
        .usage = "imfp MATERIAL... ENERGIES [--relativistic [both]] [--include GROUPS] [--csv | --json]",
        .text = "The IMFP in angstrom, one row per material, energy and form.",
        .examples = "tpp2m imfp SiO2 Cu --energy 1000 --range 100:2000:100"}},
    {Cf1, "cf1", {
        .usage = "cf1 (--imfp L | MATERIAL... ENERGIES) --depth Z[,Z...] [--csv | --json]",
        .text = "Correction factor by approximation 1, from depth / IMFP.",
        .examples = "tpp2m cf1 --imfp 25 --depth 0,10,20,50\n"
                    "tpp2m cf1 SiO2 --energy 1486.6 --depth 10"}},
    {Cf2, "cf2", {
        .usage = "cf2 (--eff-trmfp L | --density D --mass M --cross-section S --imfp L\n"
                 "| MATERIAL... ENERGIES [--cross-section S]) --depth Z[,Z...] [--csv | --json]",
        .text = "Transport mean free path TrMFP from density, mass and the transport\n"
                "cross-section S (in units of a0^2), effective transport mean free path\n"
                "EffTrMFP from TrMFP and the IMFP, and the correction factor by\n"
                "approximation 2 from depth / EffTrMFP.",
        .examples = "tpp2m cf2 --density 2.33 --mass 28.09 --cross-section 1 --imfp 30 --depth 10\n"
                    "tpp2m cf2 --eff-trmfp 10 --depth 0,10,20,50\n"
                    "tpp2m cf2 Si --energy 1000 --cross-section 1.2 --depth 5,10",
        .note = "Without --cross-section, S of each material is computed as by\n"
                "transport, and its columns say which S was used.",
        .noteExamples = "tpp2m cf2 SiO2 --energy 1486.6 --depth 10"}},
    {Plot, "plot", {
        .usage = "plot MATERIAL... ENERGIES -o FILE.png|FILE.svg [--size WxH] [--relativistic [both]]",
        .text = "The IMFP against energy on log-log axes, one curve per material, as a\n"
                "PNG or SVG picture of WxH pixels (800x600 unless --size says otherwise).",
        .examples = "tpp2m plot SiO2 Cu Au --log 50:10000:200 -o imfp.png\n"
                    "tpp2m plot SiO2 --range 50:100000:50 --relativistic both -o silica.svg"}},
    {Depth, "depth", {
        .usage = "depth MATERIAL... ENERGIES [--angle DEG] [--probability P] [--cross-section S]\n"
                 "[--csv | --json]",
        .text = "How deep the signal comes from, at DEG degrees from the surface normal\n"
                "(default 0): the information depth ID, above which the fraction P of the\n"
                "signal arises (default 0.95), and the mean escape depth MED, by the\n"
                "straight-line model (none), by approximation 1 (cf1) and by\n"
                "approximation 2 (cf2) with the transport cross-section S given, or\n"
                "computed as by transport without --cross-section (its columns then\n"
                "say which S was used). The corrections hold only up to 30 degrees;\n"
                "beyond, only the straight-line model is given.",
        .examples = "tpp2m depth SiO2 --energy 1486.6 --angle 20 --cross-section 1.2"}},
    {Thickness, "thickness", {
        .usage = "thickness --overlayer O --substrate S --overlayer-energy E --substrate-energy E\n"
                 "--ratio R[,R...] --bulk-ratio RINF [--angle DEG[,DEG...]] [--model sla|eal\n"
                 "[--electrons N] [--seed S] [--threads N]] [--csv | --json]",
        .text = "The thickness of an overlayer O on a substrate S (names or IDs) by the\n"
                "straight-line model, from the ratio R of the overlayer's to the\n"
                "substrate's peak intensity and the ratio RINF of the two bulk\n"
                "intensities, with the peaks' kinetic energies in eV. --model eal\n"
                "replaces the overlayer's IMFPs by its effective attenuation lengths\n"
                "L(d) from one simulation at each energy and angle (as simulate; 50 eV\n"
                "to 30000 eV), taken at the thickness found; the model column says which.\n"
                "Several angles with one R each give the one thickness that fits them\n"
                "all by least squares on ln(R / RINF) (sla or eal), one row per angle\n"
                "with the R of that thickness and the root mean square of the\n"
                "differences of ln R.",
        .examples = "tpp2m thickness --overlayer SiO2 --substrate Si --overlayer-energy 1383\n"
                    "  --substrate-energy 1387 --ratio 0.8 --bulk-ratio 0.9"}},
    {Export, "export", {
        .usage = "export [--database PATH] [--all] --csv | --json",
        .text = "The materials added by users (ID 104 and above), or every material\n"
                "with --all, with every column as stored, to move them to another\n"
                "database or keep them apart from it.",
        .examples = "tpp2m export --csv > my-materials.csv"}},
    {Import, "import", {
        .usage = "import FILE [--database PATH] [--replace]",
        .text = "Adds the materials of a CSV or JSON file made by export (or by hand,\n"
                "with the same columns) to the database, all in one transaction. Every\n"
                "row is checked first, as the window's Save checks a material; if any\n"
                "row is bad, nothing is written and the bad rows are named. A name that\n"
                "is already in the database is refused, unless --replace overwrites that\n"
                "material (it keeps its ID); a row the same as a stored material in\n"
                "every column but the ID is already there and is counted, not\n"
                "written; elements are never written. The database gives the new\n"
                "materials their IDs, whatever IDs the file gives them. A name holds\n"
                "at most 255 characters, a description at most 32767. This is the only command that\n"
                "writes to the database; while another copy of the program is saving,\n"
                "it waits up to two seconds as the window does.",
        .examples = "tpp2m import my-materials.csv --database ~/other/TPP2-data.db"}},
    {Transport, "transport", {
        .usage = "transport (MATERIAL... | --formula F | --element SYMBOL)... ENERGIES [--csv | --json]",
        .text = "The transport cross-section S in a0^2 and cm^2 of an element (a row\n"
                "with an ID below 104, or --element SYMBOL, any number of times) or of\n"
                "a compound whose name or --formula is a chemical formula: the sum of\n"
                "its atoms' sigma_1 over one formula unit. Free atoms, Dirac partial\n"
                "waves, 50 eV to 30000 eV; a material without S says why in its Error\n"
                "column. elastic_cross_section_cm2 is the total elastic cross-section\n"
                "sigma_el of one formula unit from the same partial waves.",
        .examples = "tpp2m transport Cu SiO2 --element Au --log 100:10000:3 --csv",
        .spacedAbove = true}},
    {Dcs, "dcs", {
        .usage = "dcs (MATERIAL... | --formula F) ENERGIES [--csv | --json]",
        .text = "The differential elastic cross-section dsigma/dOmega (cm^2/sr) of one\n"
                "formula unit, |f|^2 + |g|^2 of the Dirac partial waves, at 601 angles\n"
                "from 0 to 180 degrees, denser at small angles; 50 eV to 30000 eV.",
        .examples = "tpp2m dcs Au --energy 1000 --csv",
        .spacedAbove = true}},
    {Simulate, "simulate", {
        .usage = "simulate MATERIAL... ENERGIES [--angle DEG] [--probability P] [--electrons N]\n"
                 "[--seed S] [--threads N] [--asymmetry BETA] [--source-angle PSI]\n"
                 "[--profile [--step FRACTION]] [--csv | --json]",
        .text = "The depth of the no-loss signal by following electron trajectories\n"
                "(reversed, from the analyser into the solid) in the material with its\n"
                "IMFP and its atoms' elastic scattering, at any angle below 90 degrees:\n"
                "the elastic and transport mean free paths, the albedo, the mean escape\n"
                "depth and the information depth ID(P), each with its standard error.\n"
                "Emission is isotropic, or with --asymmetry BETA (-1 to 2) the dipole\n"
                "distribution of unpolarised X-rays from a source at --source-angle PSI\n"
                "degrees from the analyser axis (default the magic angle 54.7356), in the\n"
                "plane of the normal and the analyser, on the far side of the normal when\n"
                "PSI exceeds the angle. --electrons N (default 1000000, at least 1000),\n"
                "--seed S (default 1; a seed gives the same output on any number of\n"
                "--threads, default every core). --profile gives instead one row per\n"
                "depth, every --step FRACTION (default 0.02) of IMFP cos(angle), until\n"
                "phi falls to 1e-4 of its surface value: phi (1 without elastic\n"
                "scattering at the surface, falling as exp(-z / (IMFP cos(angle)))), CF,\n"
                "the effective attenuation length of an overlayer of that thickness, and\n"
                "cf1 and cf2 up to 30 degrees for isotropic emission; at most 1000000\n"
                "depths down to 28 IMFP, so a finer step is refused. A material that\n"
                "cannot be simulated gets a row with the error; 50 eV to 30000 eV.",
        .examples = "tpp2m simulate Au --energy 1000 --angle 60 --electrons 100000\n"
                    "tpp2m simulate Cu --energy 1486.6 --profile --csv",
        .spacedAbove = true}},
    {Stack, "stack", {
        .usage = "stack --layer MATERIAL:THICKNESS [--layer ...] --substrate MATERIAL ENERGIES\n"
                 "[--angle DEG[,DEG...]] [--model sla|mc [--electrons N] [--seed S] [--threads N]\n"
                 "[--asymmetry BETA] [--source-angle PSI]] [--relativistic] [--csv | --json]",
        .text = "The no-loss signal in angstrom from each layer of a planar sample: the\n"
                "layers from the surface (names or IDs, thickness in angstrom, at least\n"
                "0.01) over a substrate of infinite thickness, one row per energy, angle\n"
                "and layer (the substrate is the last). The straight-line model (sla):\n"
                "each layer gives IMFP cos(angle) (1 - exp(-t / (IMFP cos(angle)))),\n"
                "attenuated by the layers above; the rows of a stack add up to the\n"
                "signal of the whole sample. With --line, each row also gives the\n"
                "density of the line's element in the layer (atoms per cubic angstrom,\n"
                "from the composition as transport finds it) and the intensity, atoms\n"
                "times signal, whose sum over the rows is the peak of the whole stack.\n"
                "--model mc follows reversed trajectories through the stack as simulate\n"
                "does in one material, each layer with its own IMFP and elastic\n"
                "scattering, one simulation per energy and angle, and gives each\n"
                "signal with its standard error. 50 eV to 30000 eV.",
        .examples = "tpp2m stack --layer SiO2:15 --substrate Si --line \"Si 2p\" --source AlKa --angle 0,70",
        .spacedAbove = true}},
    {Quantify, "quantify", {
        .usage = "quantify MATERIAL --source SOURCE --peak \"LINE=AREA\" [--peak ...] [--angle DEG]\n"
                 "[--source-angle PSI] [--beta \"LINE=BETA\"]... [--transmission-exponent N]\n"
                 "[--layer MATERIAL:THICKNESS] [--relativistic] [--csv | --json]",
        .text = "The atomic percent of each peak's element in a homogeneous sample (the\n"
                "MATERIAL, or --formula or --density --mass --gap --nv) from the peaks'\n"
                "areas: x = (A / S) / sum(A / S) with the sensitivity S = sigma W IMFP T O,\n"
                "one row per peak with each factor. sigma is the level's photoionisation\n"
                "cross-section in barns (Scofield's, from xraylib; a doublet written\n"
                "without its spin-orbit part, \"Cu 2p\", counts both components), W the\n"
                "dipole angular factor 1 + (beta/2)((3/2) sin^2 PSI - 1) at PSI degrees\n"
                "between the source and the analyser (default the magic angle 54.7356,\n"
                "where W = 1), with beta 2 for an s level unless --beta gives it (a\n"
                "level other than s needs its --beta away from the magic angle), the IMFP\n"
                "the matrix's at the peak's kinetic energy as imfp gives it, T = E^-N the\n"
                "analyser's transmission (default N = 0: areas already divided by it), and\n"
                "O = exp(-d / (IMFP cos(DEG))) of a contamination layer of d angstrom\n"
                "(its own IMFP), 1 without one; DEG from the surface normal, default 0.\n"
                "--photon-energy HV in place of --source for another source. One peak per\n"
                "element; a peak must leave with at least 50 eV.",
        .examples = "tpp2m quantify Cu2O --source AlKa --peak \"Cu 2p3/2=1000\" --peak \"O 1s=250\"\n"
                    "tpp2m quantify SiO2 --source AlKa --peak \"Si 2p=300\" --peak \"O 1s=900\" --layer C:10",
        .spacedAbove = true}},
    {Help, "help", {.usage = "--help"}},
});
// clang-format on

} // namespace

std::span<const CommandRow> commandTable()
{
    return kCommands;
}

const CommandRow* findCommand(QStringView name)
{
    const auto found = std::find_if(kCommands.begin(), kCommands.end(),
                                    [&](const CommandRow& row) { return name == QLatin1String(row.name); });
    return found == kCommands.end() ? nullptr : &*found;
}

} // namespace korvane::cli
