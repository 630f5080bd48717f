#include "lines/PhotoionisationCrossSection.h"

#include <gtest/gtest.h>

namespace korvane::lines {
namespace {

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
