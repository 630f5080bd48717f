// Checks the shipped materials table (data/materials.txt, compiled in): that
// it reads, that the elements are complete and their valence groups follow
// from their place in the periodic table, and that every compound's mass and
// valence total add up from the element rows of the same table.

#include "materials/ChemicalFormula.h"
#include "materials/ShippedMaterials.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace korvane {
namespace {

constexpr int kElementCount = 103;

constexpr std::array<const char*, kElementCount> kElementSymbols = {
    "H",  "He", "Li", "Be", "B",  "C",  "N",  "O",  "F",  "Ne", //
    "Na", "Mg", "Al", "Si", "P",  "S",  "Cl", "Ar", "K",  "Ca", //
    "Sc", "Ti", "V",  "Cr", "Mn", "Fe", "Co", "Ni", "Cu", "Zn", //
    "Ga", "Ge", "As", "Se", "Br", "Kr", "Rb", "Sr", "Y",  "Zr", //
    "Nb", "Mo", "Tc", "Ru", "Rh", "Pd", "Ag", "Cd", "In", "Sn", //
    "Sb", "Te", "I",  "Xe", "Cs", "Ba", "La", "Ce", "Pr", "Nd", //
    "Pm", "Sm", "Eu", "Gd", "Tb", "Dy", "Ho", "Er", "Tm", "Yb", //
    "Lu", "Hf", "Ta", "W",  "Re", "Os", "Ir", "Pt", "Au", "Hg", //
    "Tl", "Pb", "Bi", "Po", "At", "Rn", "Fr", "Ra", "Ac", "Th", //
    "Pa", "U",  "Np", "Pu", "Am", "Cm", "Bk", "Cf", "Es", "Fm", //
    "Md", "No", "Lr",
};

const ShippedMaterials& shipped()
{
    static const ShippedMaterials table = readShippedMaterials(shippedMaterialsText());
    return table;
}

// The valence total the program uses by default: s+p(lbe) + d + f.
float defaultTotal(const Material& m)
{
    return m.valenceSpLbe.value_or(0.0f) + m.valenceD.value_or(0.0f) + m.valenceF.value_or(0.0f);
}

bool isLanthanide(int z) { return z >= 57 && z <= 71; }
bool isActinide(int z) { return z >= 89 && z <= 103; }
bool isNobleGas(int z) { return z == 2 || z == 10 || z == 18 || z == 36 || z == 54 || z == 86; }

// Electrons outside the preceding noble-gas core.
int outsideCore(int z)
{
    int core = 0;
    for (int noble : {2, 10, 18, 36, 54, 86}) {
        if (noble < z)
            core = noble;
    }
    return z - core;
}

// Valence electrons per atom worked out from the element's place in the
// periodic table: the group number for the s and d blocks (so the noble
// metals count their d10 and group 12 its just-filled d10), the group number
// less 10 for the p block (whose filled d10 and 4f14 are core), and for the
// lanthanides and actinides every electron outside the Xe or Rn core.
int expectedValence(int z)
{
    if (isLanthanide(z))
        return z - 54;
    if (isActinide(z))
        return z - 86;
    int n = outsideCore(z);
    if (z > 54 && n > 2)
        n -= 14; // Hf..Rn: the 4f14 shell is core
    if (z > 18 && n > 12)
        n -= 10; // Ga..Kr, In..Xe, Tl..Rn: the d10 shell is core
    return n;
}

// Elements with d electrons of an open or just-filled d shell in the free
// atom's ground state: groups 3 to 12, plus the f-block atoms that keep a
// 5d or 6d electron (Ce, Gd; Th, Pa, U, Np, Cm).
bool hasD(int z)
{
    const bool dBlock = (z >= 21 && z <= 30) || (z >= 39 && z <= 48) || z == 57
        || (z >= 71 && z <= 80) || z == 89;
    static const std::set<int> fBlockWithD = {58, 64, 90, 91, 92, 93, 96};
    return dBlock || fBlockWithD.count(z) > 0;
}

// Elements with 4f or 5f electrons in the ground state (La, Ac, Th have none).
bool hasF(int z) { return (z >= 58 && z <= 71) || (z >= 91 && z <= 103); }

// Metals, whose band gap must be 0: groups 1 and 2 but hydrogen, the d and f
// blocks, and the metals of the p block (Al, Ga, In, Sn, Tl, Pb, Bi, Po).
bool isMetal(int z)
{
    static const std::set<int> pBlockMetals = {13, 31, 49, 50, 81, 82, 83, 84};
    const bool sBlock = z > 2 && !isLanthanide(z) && !isActinide(z)
        && (outsideCore(z) == 1 || outsideCore(z) == 2);
    return sBlock || hasD(z) || isLanthanide(z) || isActinide(z) || pBlockMetals.count(z) > 0;
}

const Material* findByName(const std::string& name)
{
    for (const Material& m : shipped().materials) {
        if (m.name.toStdString() == name)
            return &m;
    }
    return nullptr;
}

TEST(ShippedMaterials, ReadsWithElementsInOrderThenConsecutiveCompounds)
{
    const ShippedMaterials& table = shipped();
    ASSERT_TRUE(table.error.isEmpty()) << table.error.toStdString();
    ASSERT_GT(table.materials.size(), std::size_t(kElementCount));

    std::set<std::string> names;
    for (std::size_t i = 0; i < table.materials.size(); ++i) {
        const Material& m = table.materials[i];
        const std::string name = m.name.toStdString();
        SCOPED_TRACE("row " + std::to_string(i + 1) + " " + name);
        EXPECT_EQ(m.id, std::int32_t(i + 1));
        if (i < std::size_t(kElementCount)) {
            EXPECT_EQ(name, kElementSymbols[i]);
        }
        EXPECT_TRUE(names.insert(name).second) << "name used twice";
        EXPECT_FALSE(m.description.trimmed().isEmpty());
    }
}

TEST(ShippedMaterials, ElementsCarryTheirDataAndTheValenceGroupsOfTheirConfiguration)
{
    const auto& materials = shipped().materials;
    ASSERT_GE(materials.size(), std::size_t(kElementCount));
    for (int z = 1; z <= kElementCount; ++z) {
        const Material& m = materials[std::size_t(z - 1)];
        SCOPED_TRACE(kElementSymbols[std::size_t(z - 1)]);
        ASSERT_TRUE(m.density && m.atomicWeight && m.energyGap);
        EXPECT_GT(*m.density, 0.05f);
        EXPECT_LT(*m.density, 23.0f);
        // From H (1.008) to the heaviest actinides (about 2.6 per proton).
        EXPECT_GE(*m.atomicWeight / float(z), 1.0f);
        EXPECT_LE(*m.atomicWeight / float(z), 2.6f);
        EXPECT_GE(*m.energyGap, 0.0f);
        if (isMetal(z)) {
            EXPECT_EQ(*m.energyGap, 0.0f) << "a metal has no gap";
        }
        if (isNobleGas(z)) {
            EXPECT_GT(*m.energyGap, 5.0f) << "a solid noble gas is a wide-gap insulator";
        }

        // s+p(hbe): the shell below the outermost, 1s2 for Li..Ne, (n-1)s2 p6 after.
        if (z <= 2) {
            EXPECT_FALSE(m.valenceSpHbe.has_value());
        } else {
            EXPECT_EQ(m.valenceSpHbe, std::optional<float>(z <= 10 ? 2.0f : 8.0f));
        }
        // Every atom has outer s (or p) electrons, except Pd (4d10 5s0).
        EXPECT_EQ(m.valenceSpLbe.has_value(), z != 46);
        if (m.valenceSpLbe) {
            EXPECT_GE(*m.valenceSpLbe, 1.0f);
            EXPECT_LE(*m.valenceSpLbe, 8.0f);
        }
        EXPECT_EQ(m.valenceD.has_value(), hasD(z));
        if (m.valenceD) {
            EXPECT_GE(*m.valenceD, 1.0f);
            EXPECT_LE(*m.valenceD, 10.0f);
        }
        EXPECT_EQ(m.valenceF.has_value(), hasF(z));
        if (m.valenceF) {
            EXPECT_GE(*m.valenceF, 1.0f);
            EXPECT_LE(*m.valenceF, 14.0f);
        }
        EXPECT_EQ(defaultTotal(m), float(expectedValence(z)));
    }
}

TEST(ShippedMaterials, CopperSiliconOxygenTitaniumHaveTheirWorkedValenceGroups)
{
    using G = std::optional<float>;
    struct Groups {
        const char* name;
        G hbe, lbe, d, f;
        float total; // with the window's initial boxes: s+p(hbe) left out
    };
    for (const Groups& e : {Groups{"Cu", 8.0f, 1.0f, 10.0f, {}, 11}, Groups{"Si", 8.0f, 4.0f, {}, {}, 4},
                            Groups{"O", 2.0f, 6.0f, {}, {}, 6}, Groups{"Ti", 8.0f, 2.0f, 2.0f, {}, 4}}) {
        const Material* m = findByName(e.name);
        ASSERT_TRUE(m) << e.name;
        EXPECT_EQ(std::tie(m->valenceSpHbe, m->valenceSpLbe, m->valenceD, m->valenceF), std::tie(e.hbe, e.lbe, e.d, e.f))
            << e.name;
        EXPECT_EQ(defaultTotal(*m), e.total) << e.name;
    }
}

TEST(ShippedMaterials, CompoundMassAndValenceAddUpFromTheirElements)
{
    const auto& materials = shipped().materials;
    ASSERT_GT(materials.size(), std::size_t(kElementCount));
    std::map<std::string, const Material*> elements;
    for (int i = 0; i < kElementCount; ++i)
        elements[materials[std::size_t(i)].name.toStdString()] = &materials[std::size_t(i)];

    // The worked examples carry rounded masses (60.08 and 143).
    const std::set<std::string> roundedMass = {"SiO2", "Cu2O"};

    for (std::size_t i = kElementCount; i < materials.size(); ++i) {
        const Material& c = materials[i];
        const std::string name = c.name.toStdString();
        SCOPED_TRACE(name);
        EXPECT_EQ(c.id, kFirstCompoundId + std::int32_t(i - kElementCount));
        EXPECT_FALSE(c.valenceSpHbe.has_value());
        EXPECT_FALSE(c.valenceSpLbe.has_value());
        EXPECT_FALSE(c.valenceD.has_value());
        if (!(c.density && c.atomicWeight && c.energyGap && c.valenceF)) {
            ADD_FAILURE() << "density, mass, gap and valel f must all be given";
            continue;
        }
        EXPECT_GT(*c.density, 0.5f);
        EXPECT_LT(*c.density, 20.0f);
        EXPECT_GE(*c.energyGap, 0.0f);

        const ChemicalFormula formula = parseChemicalFormula(c.name);
        if (!formula.error.isEmpty()) {
            ADD_FAILURE() << "the name is no formula";
            continue;
        }
        double mass = 0.0;
        double valence = 0.0;
        bool known = true;
        for (const auto& [symbol, count] : formula.elements) {
            const auto it = elements.find(symbol.toStdString());
            if (it == elements.end()) {
                ADD_FAILURE() << "unknown element " << symbol.toStdString();
                known = false;
                break;
            }
            mass += double(*it->second->atomicWeight) * count;
            valence += double(defaultTotal(*it->second)) * count;
        }
        if (!known)
            continue;
        EXPECT_NEAR(*c.atomicWeight, mass, roundedMass.count(name) ? 0.5 : 0.1);
        EXPECT_EQ(double(*c.valenceF), valence);
    }
}

TEST(ShippedMaterials, CarriesTheWorkedExamplesAndThePublishedCompounds)
{
    const auto& materials = shipped().materials;
    ASSERT_GT(materials.size(), std::size_t(kElementCount));

    const Material& siO2 = materials[std::size_t(kElementCount)];
    EXPECT_EQ(siO2.name, QStringLiteral("SiO2"));
    EXPECT_EQ(siO2.id, kFirstCompoundId);
    EXPECT_EQ(siO2.density, std::optional<float>(2.65f));
    EXPECT_EQ(siO2.atomicWeight, std::optional<float>(60.08f));
    EXPECT_EQ(siO2.energyGap, std::optional<float>(9.1f));
    EXPECT_EQ(siO2.valenceF, std::optional<float>(16.0f));

    const Material* cu2O = findByName("Cu2O");
    ASSERT_TRUE(cu2O);
    EXPECT_EQ(cu2O->density, std::optional<float>(6.0f));
    EXPECT_EQ(cu2O->atomicWeight, std::optional<float>(143.0f));
    EXPECT_EQ(cu2O->energyGap, std::optional<float>(2.2f));
    EXPECT_EQ(cu2O->valenceF, std::optional<float>(28.0f));

    // Compounds with published TPP-2M inelastic mean free paths.
    for (const char* formula :
         {"Al2O3", "SiO2",  "MgO",  "ZnO",  "TiO2",    "Cu2O",   "ZrO2",  "Y2O3",   "NiO",
          "Fe2O3", "Fe3O4", "PbO",  "SnO2", "In2O3",   "AlN",    "GaN",   "Si3N4",  "TiN",
          "BN",    "SiC",   "TiC",  "WC",   "GaAs",    "GaP",    "InP",   "InAs",   "InSb",
          "ZnS",   "ZnSe",  "CdS",  "CdTe", "PbS",     "LiF",    "NaCl",  "KCl",    "KBr",
          "CsI",   "NaF",   "C2H4", "C8H8", "C5H8O2",  "C22H10N2O5",      "C2F4",   "C2H3Cl"}) {
        const Material* m = findByName(formula);
        EXPECT_TRUE(m && m->id >= kFirstCompoundId) << formula << " is missing";
    }
}

} // namespace
} // namespace korvane
