// Checks the shipped materials table (data/materials.txt, compiled in): that
// it reads, that the elements are complete with their data and valence
// groups, and that every compound's mass and valence total add up from the
// element rows of the same table.

#include "calc/ScreeningFunction.h"
#include "query/ChemicalFormula.h"
#include "materials/store/ShippedMaterials.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace korvane {
namespace {

// Elements H to Lr; their symbols are those of the scattering atoms' table.
constexpr int kElementCount = 103;

const Result<std::vector<Material>>& shipped()
{
    static const Result<std::vector<Material>> table = readShippedMaterials(shippedMaterialsText());
    return table;
}

// The valence total the program uses by default: s+p(lbe) + d + f.
float defaultTotal(const Material& m)
{
    return m.valenceSpLbe.value_or(0.0f) + m.valenceD.value_or(0.0f) + m.valenceF.value_or(0.0f);
}

const Material* findByName(const std::string& name)
{
    for (const Material& m : *shipped()) {
        if (m.name.toStdString() == name)
            return &m;
    }
    return nullptr;
}

TEST(ShippedMaterials, ReadsWithElementsInOrderThenConsecutiveCompounds)
{
    const Result<std::vector<Material>>& table = shipped();
    ASSERT_TRUE(table) << table.error();
    ASSERT_GT(table->size(), std::size_t(kElementCount));

    std::set<std::string> names;
    for (std::size_t i = 0; i < table->size(); ++i) {
        const Material& m = (*table)[i];
        const std::string name = m.name.toStdString();
        SCOPED_TRACE("row " + std::to_string(i + 1) + " " + name);
        EXPECT_EQ(m.id, qint64(i + 1));
        if (i < std::size_t(kElementCount)) {
            EXPECT_EQ(name, elementSymbol(int(i + 1)));
        }
        EXPECT_TRUE(names.insert(name).second) << "name used twice";
        EXPECT_FALSE(m.description.trimmed().isEmpty());
    }
}

TEST(ShippedMaterials, ElementsCarryTheirDataAndTheirValenceGroups)
{
    const auto& materials = *shipped();
    ASSERT_GE(materials.size(), std::size_t(kElementCount));
    for (int z = 1; z <= kElementCount; ++z) {
        const Material& m = materials[std::size_t(z - 1)];
        SCOPED_TRACE(std::string(elementSymbol(z)));
        ASSERT_TRUE(m.density && m.atomicWeight && m.energyGap);
        EXPECT_GT(*m.density, 0.05f);
        EXPECT_LT(*m.density, 23.0f);
        // From H (1.008) to the heaviest actinides (about 2.6 per proton).
        EXPECT_GE(*m.atomicWeight / float(z), 1.0f);
        EXPECT_LE(*m.atomicWeight / float(z), 2.6f);
        EXPECT_GE(*m.energyGap, 0.0f);
        // s+p(hbe) is the shell below the outermost: 1s2 for Li..Ne, (n-1)s2 p6 after.
        EXPECT_EQ(m.valenceSpHbe, z <= 2 ? std::nullopt : std::optional<float>(z <= 10 ? 2.0f : 8.0f));
        // Every atom has outer s or p electrons, except Pd (4d10 5s0).
        EXPECT_EQ(m.valenceSpLbe.has_value(), z != 46);
        EXPECT_GE(defaultTotal(m), 1.0f);
        EXPECT_LE(defaultTotal(m), 17.0f);
    }
}

TEST(ShippedMaterials, CompoundMassAndValenceAddUpFromTheirElements)
{
    const auto& materials = *shipped();
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
        EXPECT_FALSE(c.valenceSpHbe.has_value());
        EXPECT_FALSE(c.valenceSpLbe.has_value());
        EXPECT_FALSE(c.valenceD.has_value());
        ASSERT_TRUE(c.density && c.atomicWeight && c.energyGap && c.valenceF) << "density, mass, gap and valel f";
        EXPECT_GT(*c.density, 0.5f);
        EXPECT_LT(*c.density, 20.0f);
        EXPECT_GE(*c.energyGap, 0.0f);

        const Result<std::vector<ElementCount>> formula = parseChemicalFormula(c.name.toStdString());
        ASSERT_EQ(formula.error(), "");
        double mass = 0.0;
        double valence = 0.0;
        for (const auto& [symbol, count] : *formula) {
            ASSERT_TRUE(elements.count(symbol)) << "unknown element " << symbol;
            mass += double(*elements[symbol]->atomicWeight) * count;
            valence += double(defaultTotal(*elements[symbol])) * count;
        }
        EXPECT_NEAR(*c.atomicWeight, mass, roundedMass.count(name) ? 0.5 : 0.1);
        EXPECT_EQ(double(*c.valenceF), valence);
    }
}

TEST(ShippedMaterials, CarriesTheWorkedExamples)
{
    const auto& materials = *shipped();
    ASSERT_GT(materials.size(), std::size_t(kElementCount));

    // The worked examples: SiO2 first among the compounds, Cu2O and copper.
    using Values = std::tuple<std::optional<float>, std::optional<float>, std::optional<float>, std::optional<float>>;
    const auto values = [](const Material& m) { return Values(m.density, m.atomicWeight, m.energyGap, m.valenceF); };
    const Material& siO2 = materials[std::size_t(kElementCount)];
    EXPECT_EQ(siO2.name.toStdString() + " " + std::to_string(siO2.id), "SiO2 " + std::to_string(kFirstCompoundId));
    EXPECT_EQ(values(siO2), Values(2.65f, 60.08f, 9.1f, 16.0f));
    const Material* cu2O = findByName("Cu2O");
    ASSERT_TRUE(cu2O);
    EXPECT_EQ(values(*cu2O), Values(6.0f, 143.0f, 2.2f, 28.0f));

    // Copper: s+p(hbe) 8, s+p(lbe) 1, d 10; the window's initial boxes leave s+p(hbe) out.
    using G = std::optional<float>;
    const Material& cu = materials[28];
    EXPECT_EQ(std::tie(cu.valenceSpHbe, cu.valenceSpLbe, cu.valenceD, cu.valenceF), std::tuple(G(8), G(1), G(10), G()));
    EXPECT_EQ(defaultTotal(cu), 11.0f);
}

} // namespace
} // namespace korvane
