// The Python module korvane: the calculator's physics and materials database
// for scripts and notebooks, through the same C++ as tpp2m.
#include "python/Calculations.h"
#include "python/DepthCalculations.h"
#include "python/LineEnergy.h"
#include "python/MaterialsTable.h"
#include "python/NumpyScalars.h"
#include "python/QuantifyCalculation.h"
#include "python/ScalarArguments.h"
#include "python/SimulationCalculation.h"
#include "python/StackCalculation.h"
#include "python/TransportCalculation.h"
#include "query/ValenceGroups.h"

#include <pybind11/numpy.h>

namespace py = pybind11;
using namespace korvane::python;

namespace {

const char* const kModuleDoc = R"(Inelastic mean free paths (IMFP) of electrons in solids by the TPP-2M
formula of Tanuma, Powell and Penn, and the correction factor CF for
elastic-electron scattering, from the same code and the same materials
database as the Korvane window and tpp2m.

Every function takes Python numbers or NumPy arrays, broadcast against one
another as NumPy does, and answers with float32 values (a NumPy float32 for
numbers, an array of the broadcast shape for arrays): the calculator holds
these quantities in single precision. The depths of the signal, the
overlayer thickness and the transport cross-section are computed in double
precision and come as float64. As in NumPy, input that is wrong as input
(text, None, booleans, dates, shapes that do not broadcast, an energy,
density, mass or Nv of 0 or below) raises ValueError with tpp2m's words,
naming the element of an array; valid input for which the formula has no
value gives NaN there and one RuntimeWarning per call that says how many
elements and why (errors="raise" raises ValueError instead, errors="ignore"
stays silent); a NaN that comes in gives NaN, silently. Long array calls
release the interpreter's lock and end at Ctrl+C.

Energies are in eV, lengths in ångström, densities in g/cm3, masses in
g/mol, transport cross-sections in units of a0^2 (a0 = 5.292e-11 m).

The database is the file DataBase/TPP2-data.db under the working directory
unless a call names another; like tpp2m, the default file is created from
the shipped materials when it is missing, and no call changes a database.)";

const char* const kStackDoc = R"(stack(layers, substrate, energy, *, angle=0.0, model="sla", electrons=None, seed=None,
      threads=None, asymmetry=None, source_angle=None, relativistic=False, database=None,
      include=("lbe", "d", "f"))

The no-loss signal (Å) of each layer of a planar sample, as tpp2m stack gives
it: layers is a sequence of (material, thickness in Å) from the surface, over
the substrate (a name or an ID of the database); energy (eV) and angle
(degrees) are a number or a sequence. The straight-line model: layer k gives
IMFP cos(angle) (1 - exp(-t_k / (IMFP cos(angle)))) times the attenuation of
the layers above; the substrate is the last layer. model="mc" follows
reversed trajectories through the stack as simulate does in one material
(electrons 1000000, seed 1, every core, isotropic emission unless given;
one simulation per energy and angle; Ctrl+C ends it), each signal with its
standard error; the simulation's settings are refused with model="sla".

>>> korvane.stack([("SiO2", 15.0)], "Si", 1000)["signal_A"]
array([11.72258452, 14.25794202])

Returns a dict of NumPy arrays, one per column of tpp2m stack (layer,
material, thickness_A, energy_eV, form, angle_deg, model, imfp_A, signal_A,
signal_sd_A, error), one element per energy, angle and layer. Raises
ValueError with tpp2m's words for refused input (a layer thinner than
0.01 Å, no substrate, an unknown material).)";

const char* const kImfpDoc = R"(imfp(energy, material=None, *, density=None, mass=None, gap=None, nv=None,
     database=None, relativistic=False, include=("lbe", "d", "f"), errors="warn")

The IMFP in Å by the TPP-2M formula at each energy (eV).

Give the material either by its name or ID in the database (material="SiO2",
material=104), or by its four values density (g/cm3), mass (g/mol), gap
(band gap, eV) and nv (valence electrons per atom or molecule), which
broadcast with the energy. relativistic=True uses the relativistic form.
include chooses the valence-electron groups that make up Nv of a database
material: "hbe" and "lbe" (s+p, higher and lower binding energy), "d", "f";
a text ("lbe,d", "none") is read as tpp2m reads --include.

>>> korvane.imfp(1000, material="SiO2")
29.11884
>>> korvane.imfp(1000, density=2.65, mass=60.08, gap=9.1, nv=16, relativistic=True)
29.052042

Raises ValueError for wrong input (for example "energy must be above 0 eV")
or a material that is not in the database, FileNotFoundError when a named
database file does not exist. Where the formula has no physical IMFP
(helium at 1000 eV) the element is NaN, with a RuntimeWarning, or
ValueError with errors="raise". A UserWarning notes energies below 50 eV or
above 200000 eV, where the formula was not fitted.)";

const char* const kCf1Doc = R"(cf1(depth, imfp, *, errors="warn")

The correction factor CF by approximation 1, from the tabulated curve in the
reduced depth depth/imfp (both in Å). A negative depth gives 0.)";

const char* const kTrmfpDoc = R"(trmfp(density, mass, cross_section, *, errors="warn")

The transport mean free path in Å from the density (g/cm3), the atomic or
molecular mass (g/mol) and the transport cross-section (units of a0^2, read in
double precision).)";

const char* const kEffTrmfpDoc = R"(eff_trmfp(trmfp, imfp, *, errors="warn")

The effective transport mean free path in Å: the TrMFP and the IMFP (both in
Å) combined as 1/EffTrMFP = 1/TrMFP + 1/IMFP.)";

const char* const kCf2Doc = R"(cf2(depth, eff_trmfp, *, errors="warn")

The correction factor CF by approximation 2, from the closed formula in the
reduced depth depth/eff_trmfp (both in Å).)";

const char* const kMaterialsDoc = R"(materials(database=None, include=("lbe", "d", "f"))

The materials table in ID order, as a list of dicts with the keys id, name,
density, mass, gap, sp_hbe, sp_lbe, d, f (the four valence-electron groups)
and nv (the total of the groups chosen by include). An empty column is None.)";

const char* const kFormulaDoc = R"(formula(text, database=None, include=("lbe", "d", "f"))

(Nv, mass) of one formula unit of a chemical formula such as "SiO2",
"Ca(OH)2" or "TiO1.9", summed from the element rows of the database with the
valence-electron groups chosen by include, as tpp2m --formula sums them.

>>> korvane.formula("SiO2")
(16.0, 60.083)
)";

const char* const kTransportCrossSectionDoc =
    R"(transport_cross_section(material_or_formula, energy, *, database=None, errors="warn")

The transport cross-section S in units of a0^2 (float64) at each energy (eV),
50 eV to 30000 eV: the sum of the atoms' first transport cross-sections over
one formula unit, from the shipped table of free atoms, as tpp2m transport
gives it. material_or_formula is an element symbol ("Cu"), a chemical formula
("Al2O3") or a material of the database by name or ID, whose name must then
be a chemical formula (an element row is taken by its ID).

Raises ValueError for a material without S, with tpp2m's words; an energy
outside the table gives NaN and a RuntimeWarning (ValueError with
errors="raise").

>>> round(float(korvane.transport_cross_section("Cu", 1000)), 4)
1.1463
)";

const char* const kDepthModelText = R"(correction chooses the elastic-scattering correction of the depth
distribution: "none" (straight-line paths), "cf1" (approximation 1) or "cf2"
(approximation 2, which needs eff_trmfp, the effective transport mean free
path in Å). The corrections hold only up to 30 degrees from the surface
normal; angle is in degrees, 0 <= angle < 90. IMFPs and EffTrMFPs are held
in single precision, as tpp2m depth holds them; bad input raises ValueError
with its words.)";

const std::string kInformationDepthDoc =
    std::string(R"(information_depth(imfp, probability=0.95, *, angle=0, correction="none", eff_trmfp=None,
                  errors="warn")

The information depth in Å (float64): the depth above which the fraction
probability (0 < P < 1) of the signal arises, for the IMFP imfp (Å), as
tpp2m depth gives it; -imfp cos(angle) ln(1 - P) for straight lines.

>>> round(float(korvane.information_depth(29.11884)), 4)
87.2322

)") + kDepthModelText;

const std::string kMeanEscapeDepthDoc =
    std::string(R"(mean_escape_depth(imfp, *, angle=0, correction="none", eff_trmfp=None, errors="warn")

The mean escape depth in Å (float64): the mean depth the signal comes from,
as tpp2m depth gives it; imfp cos(angle) for straight lines.

)") + kDepthModelText;

const std::string kSignalFractionDoc =
    std::string(R"(signal_fraction(thickness, imfp, *, angle=0, correction="none", eff_trmfp=None, errors="warn")

The fraction of the signal (float64) that comes from the top layer of the
given thickness (Å); 1 - exp(-thickness / (imfp cos(angle))) for straight lines.

)") + kDepthModelText;

const char* const kOverlayerThicknessDoc =
    R"(overlayer_thickness(imfp_overlayer, imfp_substrate_in_overlayer, ratio, bulk_ratio, *, angle=0,
                    errors="warn")

The thickness in Å (float64) of an overlayer on a substrate by straight-line
paths, as tpp2m thickness gives it: imfp_overlayer is the overlayer's IMFP
(Å) at its own peak's energy, imfp_substrate_in_overlayer its IMFP at the
substrate peak's energy, ratio the measured ratio R of the overlayer's to the
substrate's peak intensity and bulk_ratio the ratio of the two bulk
intensities; angle in degrees from the surface normal.

>>> round(float(korvane.overlayer_thickness(29.11884, 29.11884, 1, 1)), 4)  # 29.11884 ln 2
20.1836
)";

const char* const kLineEnergyDoc = R"(line_energy(line, source=None, photon_energy=None)

(binding energy, kinetic energy) in eV, as float32, of the photoelectrons of
a core level such as "Cu 2p3/2", "O 1s" or "Si 2p" (the stronger spin-orbit
component), excited by the X-ray source source (MgKa, AlKa, AgLa, CrKa,
GaKa) or by photons of photon_energy eV, as tpp2m --line finds them. The
binding energy is xraylib's absorption-edge energy of the level; the kinetic
energy the photon energy minus it. Raises ValueError with tpp2m's words for
an unknown line or source, and for photons that cannot excite the level.

>>> korvane.line_energy("Si 2p", "MgKa")
(98.9, 1154.7)
)";

py::tuple defaultGroups()
{
    const std::vector<std::string> names = korvane::tickedGroupNames(korvane::kDefaultValenceTicks);
    py::tuple groups(names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        groups[i] = names[i];
    return groups;
}

const char* const kDcsDoc = R"(dcs(material, energy, *, database=None)

The differential elastic cross-section of one formula unit of a material of
the database (name or ID) at one energy (eV, 50 to 30000), as tpp2m dcs: a
dict of two float64 arrays, "angle_deg" (601 angles from 0 to 180, denser
at small angles) and "dcs_cm2_sr", |f|^2 + |g|^2 of the Dirac partial waves.)";

const char* const kSimulateDoc = R"(simulate(material, energy, *, angle=0, probability=0.95, electrons=1000000,
         seed=1, threads=None, asymmetry=0, source_angle=54.735610317245346, step=0.02,
         relativistic=False, database=None, include=("lbe", "d", "f"))

The depth of the no-loss signal from a material of the database at one
energy (eV, 50 to 30000) by following electron trajectories, as tpp2m
simulate: the electrons (1000 to 10^12) from the seed (0 to 2^53) give the
same numbers on any number of threads (1 to 1024; None: every core); asymmetry (beta, -1 to 2) and
source_angle (degrees from the analyser axis) choose dipole emission.
Returns a dict: the floats imfp, elastic_mfp, transport_mfp (Å), albedo,
mean_escape_depth, information_depth and their standard errors
mean_escape_depth_sd, information_depth_sd (Å); and float64 arrays of the
profile at every step (a fraction of imfp cos(angle)) until phi falls to
1e-4 of its surface value: depth (Å), phi, phi_sd, cf, cf_sd and eal, the
effective attenuation length (Å) of an overlayer of that thickness.
Raises ValueError with tpp2m's words for bad input, naming the arguments.)";

} // namespace

PYBIND11_MODULE(korvane, m)
{
    // Each docstring starts with its own signature, written as a Python user reads it.
    py::options options;
    options.disable_function_signatures();
    // pybind11 looks NumPy's C API up once, under a static guard, while it
    // holds the interpreter's lock; importing NumPy there lets another thread
    // take the lock and wait on the guard, and two threads' first calls
    // deadlock. Looked up here, at import, the guard is passed for good.
    py::detail::npy_api::get();
    loadNumpyScalars();
    m.doc() = kModuleDoc;
    m.attr("__version__") = KORVANE_VERSION;
    m.def(
        "imfp",
        [](py::handle energy, py::handle material, py::handle density, py::handle mass, py::handle gap, py::handle nv,
           py::handle database, bool relativistic, py::handle include, const std::string& errors) {
            return imfp({energy, material, density, mass, gap, nv, database, relativistic, include,
                         noValuePolicy(errors)});
        },
        kImfpDoc, py::arg("energy"), py::arg("material") = py::none(), py::kw_only(),
          py::arg("density") = py::none(), py::arg("mass") = py::none(), py::arg("gap") = py::none(),
          py::arg("nv") = py::none(), py::arg("database") = py::none(), py::arg("relativistic") = false,
          py::arg("include") = defaultGroups(), py::arg("errors") = "warn");
    m.def("cf1", &cf1, kCf1Doc, py::arg("depth"), py::arg("imfp"), py::kw_only(), py::arg("errors") = "warn");
    m.def("trmfp", &trmfp, kTrmfpDoc, py::arg("density"), py::arg("mass"), py::arg("cross_section"), py::kw_only(),
          py::arg("errors") = "warn");
    m.def("eff_trmfp", &effTrmfp, kEffTrmfpDoc, py::arg("trmfp"), py::arg("imfp"), py::kw_only(),
          py::arg("errors") = "warn");
    m.def("cf2", &cf2, kCf2Doc, py::arg("depth"), py::arg("eff_trmfp"), py::kw_only(), py::arg("errors") = "warn");
    m.def(
        "transport_cross_section",
        [](py::handle materialOrFormula, py::handle energy, py::handle database, const std::string& errors) {
            return transportCrossSection(materialOrFormula, energy, database, noValuePolicy(errors));
        },
        kTransportCrossSectionDoc, py::arg("material_or_formula"), py::arg("energy"), py::kw_only(),
        py::arg("database") = py::none(), py::arg("errors") = "warn");
    m.def(
        "information_depth",
        [](py::handle imfp, py::handle probability, py::handle angle, const std::string& correction,
           py::handle effTrmfp, const std::string& errors) {
            return informationDepth(imfp, probability, angle, {correction, effTrmfp, noValuePolicy(errors)});
        },
        kInformationDepthDoc.c_str(), py::arg("imfp"), py::arg("probability") = 0.95, py::kw_only(),
        py::arg("angle") = 0.0, py::arg("correction") = "none", py::arg("eff_trmfp") = py::none(),
        py::arg("errors") = "warn");
    m.def(
        "mean_escape_depth",
        [](py::handle imfp, py::handle angle, const std::string& correction, py::handle effTrmfp,
           const std::string& errors) {
            return meanEscapeDepth(imfp, angle, {correction, effTrmfp, noValuePolicy(errors)});
        },
        kMeanEscapeDepthDoc.c_str(), py::arg("imfp"), py::kw_only(), py::arg("angle") = 0.0,
        py::arg("correction") = "none", py::arg("eff_trmfp") = py::none(), py::arg("errors") = "warn");
    m.def(
        "signal_fraction",
        [](py::handle thickness, py::handle imfp, py::handle angle, const std::string& correction, py::handle effTrmfp,
           const std::string& errors) {
            return signalFraction(thickness, imfp, angle, {correction, effTrmfp, noValuePolicy(errors)});
        },
        kSignalFractionDoc.c_str(), py::arg("thickness"), py::arg("imfp"), py::kw_only(), py::arg("angle") = 0.0,
        py::arg("correction") = "none", py::arg("eff_trmfp") = py::none(), py::arg("errors") = "warn");
    m.def(
        "overlayer_thickness",
        [](py::handle imfpOverlayer, py::handle imfpSubstrateInOverlayer, py::handle ratio, py::handle bulkRatio,
           py::handle angle, const std::string& errors) {
            return overlayerThickness(imfpOverlayer, imfpSubstrateInOverlayer, ratio, bulkRatio, angle,
                                      noValuePolicy(errors));
        },
        kOverlayerThicknessDoc, py::arg("imfp_overlayer"), py::arg("imfp_substrate_in_overlayer"), py::arg("ratio"),
        py::arg("bulk_ratio"), py::kw_only(), py::arg("angle") = 0.0, py::arg("errors") = "warn");
    m.def(
        "dcs",
        [](py::handle material, py::handle energy, py::handle database) {
            return differentialCrossSection(material, numberArgument(energy, "energy"), database);
        },
        kDcsDoc, py::arg("material"), py::arg("energy"), py::kw_only(), py::arg("database") = py::none());
    m.def(
        "simulate",
        [](py::handle material, py::handle energy, py::handle angle, py::handle probability, py::handle electrons,
           py::handle seed, py::handle threads, py::handle asymmetry, py::handle sourceAngle, py::handle step,
           bool relativistic, py::handle database, py::handle include) {
            return simulate({material, energy, angle, probability, electrons, seed, threads, asymmetry, sourceAngle,
                             step, relativistic, database, include});
        },
        kSimulateDoc, py::arg("material"), py::arg("energy"), py::kw_only(), py::arg("angle") = 0.0,
        py::arg("probability") = 0.95, py::arg("electrons") = 1000000, py::arg("seed") = 1,
        py::arg("threads") = py::none(), py::arg("asymmetry") = 0.0, py::arg("source_angle") = korvane::kMagicAngle,
        py::arg("step") = 0.02, py::arg("relativistic") = false, py::arg("database") = py::none(),
        py::arg("include") = defaultGroups());
    m.def(
        "stack",
        [](py::handle layers, py::handle substrate, py::handle energy, py::handle angle, const std::string& model,
           py::handle electrons, py::handle seed, py::handle threads, py::handle asymmetry, py::handle sourceAngle,
           bool relativistic, py::handle database, py::handle include) {
            return stack({layers, substrate, energy, angle, model, electrons, seed, threads, asymmetry, sourceAngle,
                          relativistic, database, include});
        },
        kStackDoc, py::arg("layers"), py::arg("substrate"), py::arg("energy"),
        py::kw_only(), py::arg("angle") = 0.0, py::arg("model") = "sla", py::arg("electrons") = py::none(),
        py::arg("seed") = py::none(), py::arg("threads") = py::none(), py::arg("asymmetry") = py::none(),
        py::arg("source_angle") = py::none(), py::arg("relativistic") = false,
        py::arg("database") = py::none(), py::arg("include") = defaultGroups());
    m.def("line_energy", &lineEnergy, kLineEnergyDoc, py::arg("line"), py::arg("source") = py::none(),
          py::arg("photon_energy") = py::none());
    m.def(
        "materials",
        [](py::handle database, py::handle include) { return materials(database, includedGroups(include)); },
        kMaterialsDoc, py::arg("database") = py::none(), py::arg("include") = defaultGroups());
    m.def(
        "formula",
        [](const std::string& text, py::handle database, py::handle include) {
            return formula(text, database, includedGroups(include));
        },
        kFormulaDoc, py::arg("text"), py::arg("database") = py::none(), py::arg("include") = defaultGroups());
    addQuantify(m);
}
