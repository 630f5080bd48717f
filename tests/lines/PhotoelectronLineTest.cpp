#include "lines/BindingEnergy.h"
#include "lines/PhotoelectronLine.h"
#include "lines/PhotoionisationCrossSection.h"
#include "query/KineticEnergy.h"

#include <xraylib.h>

#include <gtest/gtest.h>

namespace korvane::lines {
namespace {

// xraylib's edge energy in eV, read directly.
double edgeEnergy(int z, int shell)
{
    return EdgeEnergy(z, shell, nullptr) * 1000;
}

double photonsOf(const char* key)
{
    const XraySource* source = findXraySource(key);
    EXPECT_NE(source, nullptr) << key;
    return source ? source->photonEnergy : 0;
}

TEST(PhotoelectronLineTest, TypedLinesGiveXraylibsEdgesAndTheirKineticEnergies)
{
    // A line as typed, its name, its element and shell, and the photons of a source.
    const std::tuple<const char*, const char*, int, int, const char*, double> typed[] = {
        {"Cu 2p3/2", "Cu 2p3/2", 29, L3_SHELL, "AlKa", 1486.6},
        {"Au 4f", "Au 4f7/2", 79, N7_SHELL, "MgKa", 1253.6},
        {"C  1s", "C 1s", 6, K_SHELL, "GaKa", 9251.7}};
    for (const auto& [text, name, z, shell, source, photons] : typed) {
        const Result<PhotoelectronLine> line = findLine(text);
        ASSERT_TRUE(line) << text << ": " << line.error();
        EXPECT_EQ(line->name(), name);
        EXPECT_EQ(line->bindingEnergy, edgeEnergy(z, shell)) << text;
        EXPECT_EQ(*kineticEnergy(line->bindingEnergy, photonsOf(source)), photons - edgeEnergy(z, shell)) << text;
    }

    const Result<PhotoelectronLine> o = findLine("O 1s");
    ASSERT_TRUE(o) << o.error();
    EXPECT_EQ(o->bindingEnergy, 532);
    EXPECT_EQ(kineticEnergy(o->bindingEnergy, 500).error(),
              "its binding energy 532 eV is not below the photon energy 500 eV");
    ASSERT_FALSE(linesBelow(8, 500).empty());
    EXPECT_EQ(linesBelow(8, 500).front().name(), "O 2s");
    EXPECT_EQ(linesBelow(8, 532.5).front().name(), "O 1s");
}

TEST(PhotoelectronLineTest, LevelsAreNamedAsAnalystsWriteThem)
{
    // The levels follow xraylib's shells one by one, K (0) to Q3 (30).
    ASSERT_EQ(coreLevels().size(), 31u);
    EXPECT_EQ(coreLevels()[N7_SHELL].shell, N7_SHELL);
    EXPECT_EQ(coreLevels()[N7_SHELL].name, "4f7/2");

    // A level without j is its stronger component.
    const std::pair<const char*, int> named[] = {
        {"1s", K_SHELL}, {"2p1/2", L2_SHELL}, {"2p", L3_SHELL}, {"3d", M5_SHELL}, {"7p", Q3_SHELL}};
    for (const auto& [name, shell] : named) {
        const std::optional<CoreLevel> level = findCoreLevel(name);
        ASSERT_TRUE(level) << name;
        EXPECT_EQ(level->shell, shell) << name;
    }
    for (const char* unknown : {"", "1p", "2P3/2", "2p5/2", "8s"})
        EXPECT_FALSE(findCoreLevel(unknown)) << unknown;
}

TEST(PhotoelectronLineTest, AMistakenLineSaysWhatIsWrong)
{
    const std::pair<const char*, const char*> wrong[] = {
        {"Cu", "a line is an element and a level, such as \"Cu 2p3/2\" (got \"Cu\")"},
        {"cu 2p3/2", "unknown element \"cu\""},
        {"Cu 2x",
         "unknown level \"2x\" (levels are written 1s, 2s, 2p1/2, 2p3/2, ... 4f7/2, 5s ..., or 2p, 3d, 4f "
         "for the stronger component)"},
        {"Cu 4f", "no binding energy is known for Cu 4f7/2"},
    };
    for (const auto& [text, error] : wrong) {
        const Result<PhotoelectronLine> found = findLine(text);
        EXPECT_FALSE(found) << text;
        EXPECT_EQ(found.error(), error) << text;
    }
}

TEST(PhotoelectronLineTest, OnlyTheLevelsThePhotonsReachAreOffered)
{
    std::vector<std::string> names;
    for (const PhotoelectronLine& line : linesBelow(29, photonsOf("AlKa")))
        names.push_back(line.name());
    // Cu 1s (near 8979 eV) is beyond Al Kα; xraylib has no 4s for copper.
    EXPECT_EQ(names,
              (std::vector<std::string>{"Cu 2s", "Cu 2p1/2", "Cu 2p3/2", "Cu 3s", "Cu 3p1/2", "Cu 3p3/2", "Cu 3d3/2",
                                        "Cu 3d5/2"}));

    EXPECT_EQ(findXraySource("alka"), nullptr);
}

double barns(int z, const char* level, double photons)
{
    return photoionisationCrossSection(z, *findCoreLevel(level), photons).value_or(0);
}

// Scofield's cross-sections at Al Kα (1486.6 eV), in barns: C 1s, the unit
// of the analysts' relative sensitivities, is 13 600 b, Cu 2p3/2 16.73 and
// Au 4f7/2 9.58 of it. A level the photons do not reach has none.
TEST(PhotoionisationCrossSectionTest, GivesScofieldsBarnsPerAtom)
{
    EXPECT_NEAR(barns(6, "1s", 1486.6), 13600, 0.01 * 13600);
    EXPECT_NEAR(barns(29, "2p3/2", 1486.6), 16.73 * 13600, 0.01 * 16.73 * 13600);
    EXPECT_NEAR(barns(79, "4f7/2", 1486.6), 9.58 * 13600, 0.01 * 9.58 * 13600);
    // 2p3/2 holds twice the electrons of 2p1/2.
    EXPECT_NEAR(barns(14, "2p3/2", 1486.6) / barns(14, "2p1/2", 1486.6), 2, 0.05);
    EXPECT_FALSE(photoionisationCrossSection(29, *findCoreLevel("1s"), 1486.6));
}

// A peak written without its spin-orbit part is the whole doublet; O 1s is
// near 40 000 b at Al Kα.
TEST(PhotoionisationCrossSectionTest, PeakOfADoubletWrittenWithoutItsSpinOrbitPartIsBothShells)
{
    const double alKa = 1486.6;
    EXPECT_NEAR(*peakCrossSection(8, "1s", alKa), 2.93 * 13600, 0.01 * 2.93 * 13600);
    EXPECT_EQ(*peakCrossSection(29, "2p3/2", alKa), barns(29, "2p3/2", alKa));
    EXPECT_EQ(*peakCrossSection(29, "2p", alKa), barns(29, "2p3/2", alKa) + barns(29, "2p1/2", alKa));
    EXPECT_EQ(*peakCrossSection(47, "3d", alKa), barns(47, "3d5/2", alKa) + barns(47, "3d3/2", alKa));
    EXPECT_EQ(*peakCrossSection(79, "4f", alKa), barns(79, "4f7/2", alKa) + barns(79, "4f5/2", alKa));
    EXPECT_EQ(weakerComponent("4f")->name, "4f5/2");
    EXPECT_FALSE(weakerComponent("4f7/2"));
    EXPECT_FALSE(weakerComponent("2s"));
    EXPECT_TRUE(isSLevel(*findCoreLevel("3s")));
    EXPECT_FALSE(isSLevel(*findCoreLevel("3p")));
    EXPECT_FALSE(peakCrossSection(29, "1s", alKa));
}

} // namespace
} // namespace korvane::lines
