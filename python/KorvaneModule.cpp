// The Python module korvane: the calculator's physics and materials database
// for scripts and notebooks, through the same C++ as tpp2m.
#include "python/Calculations.h"
#include "python/MaterialsTable.h"

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
these quantities in single precision. Bad input raises ValueError with
tpp2m's words; for an array the message names the element. Long array calls
release the interpreter's lock.

Energies are in eV, lengths in ångström, densities in g/cm3, masses in
g/mol, transport cross-sections in units of a0^2 (a0 = 5.292e-11 m).

The database is the file DataBase/TPP2-data.db under the working directory
unless a call names another; like tpp2m, the default file is created from
the shipped materials when it is missing, and no call changes a database.)";

const char* const kImfpDoc = R"(imfp(energy, material=None, *, density=None, mass=None, gap=None, nv=None,
     database=None, relativistic=False, include=("lbe", "d", "f"))

The IMFP in Å by the TPP-2M formula at each energy (eV).

Give the material either by its name or ID in the database (material="SiO2",
material=104), or by its four values density (g/cm3), mass (g/mol), gap
(band gap, eV) and nv (valence electrons per atom or molecule), which
broadcast with the energy. relativistic=True uses the relativistic form.
include chooses the valence-electron groups that make up Nv of a database
material: "hbe" and "lbe" (s+p, higher and lower binding energy), "d", "f".

>>> korvane.imfp(1000, material="SiO2")
29.11884
>>> korvane.imfp(1000, density=2.65, mass=60.08, gap=9.1, nv=16, relativistic=True)
29.052042

Raises ValueError when the formula fails for an element (for example
"energy must be above 0 eV") or the material is not in the database,
FileNotFoundError when a named database file does not exist. A UserWarning
notes energies below 50 eV or above 200000 eV, where the formula was not fitted.)";

const char* const kCf1Doc = R"(cf1(depth, imfp)

The correction factor CF by approximation 1, from the tabulated curve in the
reduced depth depth/imfp (both in Å). A negative depth gives 0.)";

const char* const kTrmfpDoc = R"(trmfp(density, mass, cross_section)

The transport mean free path in Å from the density (g/cm3), the atomic or
molecular mass (g/mol) and the transport cross-section (units of a0^2, read in
double precision).)";

const char* const kEffTrmfpDoc = R"(eff_trmfp(trmfp, imfp)

The effective transport mean free path in Å: the TrMFP and the IMFP (both in
Å) combined as 1/EffTrMFP = 1/TrMFP + 1/IMFP.)";

const char* const kCf2Doc = R"(cf2(depth, eff_trmfp)

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

py::tuple defaultGroups()
{
    return py::make_tuple("lbe", "d", "f");
}

py::object imfp(py::handle energy, py::handle material, py::handle density, py::handle mass, py::handle gap,
                py::handle nv, py::handle database, bool relativistic, py::handle include)
{
    const bool byValues = !density.is_none() || !mass.is_none() || !gap.is_none() || !nv.is_none();
    if (!material.is_none()) {
        if (byValues)
            throw py::value_error("give either a material or its density, mass, gap and nv, not both");
        return imfpOfMaterial(energy, databaseMaterial(material, database, includedGroups(include)), relativistic);
    }
    if (!byValues)
        throw py::value_error("imfp needs a material: a name, an ID, or density, mass, gap and nv");
    const std::pair<py::handle, const char*> values[] = {{density, "density"}, {mass, "mass"}, {gap, "gap"}, {nv, "nv"}};
    for (const auto& [value, name] : values) {
        if (value.is_none())
            throw py::value_error(std::string("a material given by its values needs ") + name);
    }
    return imfpOfValues(energy, density, mass, gap, nv, relativistic);
}

} // namespace

PYBIND11_MODULE(korvane, m)
{
    // Each docstring starts with its own signature, written as a Python user reads it.
    py::options options;
    options.disable_function_signatures();
    m.doc() = kModuleDoc;
    m.attr("__version__") = KORVANE_VERSION;
    m.def("imfp", &imfp, kImfpDoc, py::arg("energy"), py::arg("material") = py::none(), py::kw_only(),
          py::arg("density") = py::none(), py::arg("mass") = py::none(), py::arg("gap") = py::none(),
          py::arg("nv") = py::none(), py::arg("database") = py::none(), py::arg("relativistic") = false,
          py::arg("include") = defaultGroups());
    m.def("cf1", &cf1, kCf1Doc, py::arg("depth"), py::arg("imfp"));
    m.def("trmfp", &trmfp, kTrmfpDoc, py::arg("density"), py::arg("mass"), py::arg("cross_section"));
    m.def("eff_trmfp", &effTrmfp, kEffTrmfpDoc, py::arg("trmfp"), py::arg("imfp"));
    m.def("cf2", &cf2, kCf2Doc, py::arg("depth"), py::arg("eff_trmfp"));
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
}
