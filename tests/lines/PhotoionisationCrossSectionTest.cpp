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

} // namespace
} // namespace korvane::lines
