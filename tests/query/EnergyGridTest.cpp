#include "query/EnergyGrid.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(EnergyGrid, TheEnergiesOfRangeAndLogHeldAsSingles)
{
    // TO is kept when a step lands on it within rounding.
    EXPECT_EQ(*linearEnergies(0.1, 0.3, 0.1), (std::vector<float>{0.1f, 0.2f, 0.3f}));
    EXPECT_EQ(*linearEnergies(100, 350, 100), (std::vector<float>{100, 200, 300}));
    EXPECT_EQ(*logEnergies(10, 1000, 3), (std::vector<float>{10, 100, 1000}));
    EXPECT_EQ(logEnergies(50, 5000, 20)->size(), 20u);
    EXPECT_EQ(logEnergies(50, 5000, 20)->back(), 5000.0f);
}

TEST(EnergyGrid, RefusesAGridInTpp2msWords)
{
    EXPECT_EQ(linearEnergies(10, 100, 0).error(), "the step of --range must be above 0");
    EXPECT_EQ(linearEnergies(100, 10, 5).error(), "--range must run upwards (FROM is above TO)");
    EXPECT_EQ(linearEnergies(1, 3e7, 1).error(), "--range gives more than 20000000 energies");
    EXPECT_EQ(logEnergies(0, 10, 5).error(), "--log must start above 0 eV");
    EXPECT_EQ(logEnergies(100, 100, 5).error(), "--log must run upwards (TO must be above FROM)");
    EXPECT_EQ(logEnergies(10, 100, 2.5).error(), "the COUNT of --log must be a whole number of at least 2");
    EXPECT_EQ(logEnergies(10, 100, 3e7).error(), "--log gives more than 20000000 energies");
    EXPECT_EQ(logEnergies(10, 100, 101, 100).error(), "--log gives more than 100 energies");
    EXPECT_EQ(linearEnergies(1, 101, 1, 100).error(), "--range gives more than 100 energies");
    EXPECT_EQ(linearEnergies(1, 100, 1, 100)->size(), 100u);
    EXPECT_EQ(tooManyEnergies(kMaxEnergies), "more than 20000000 energies in one run");
    EXPECT_EQ(logEnergies(10, 100, 1).code(), ErrorCode::InvalidInput);
    EXPECT_EQ(readEnergyGrid(EnergyGridKind::Log, "50:100").error(), "--log needs FROM:TO:COUNT (got \"50:100\")");
    EXPECT_EQ(readEnergyGrid(EnergyGridKind::Range, "").error(), "--range needs FROM:TO:STEP (got \"\")");
    EXPECT_EQ(readEnergyGrid(EnergyGridKind::Log, "x:100").error(), "--log needs FROM:TO:COUNT (got \"x:100\")");
    EXPECT_EQ(readEnergyGrid(EnergyGridKind::Log, "10:x:3").error(), "--log: \"x\" is not a number");
    EXPECT_EQ(*readEnergyGrid(EnergyGridKind::Log, "10:1000:3"), (std::vector<float>{10, 100, 1000}));
}

} // namespace
} // namespace korvane
