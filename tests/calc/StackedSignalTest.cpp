#include "calc/StackedSignal.h"

#include <gtest/gtest.h>

#include <numeric>

namespace korvane {
namespace {

// Two layers (IMFP 20 Å, 10 Å thick; 30 Å, 5 Å thick) over a substrate of
// IMFP 25 Å, worked by hand from the straight-line formula.
TEST(StackedSignal, StraightLineSignalsOfEachLayerAtZeroAndSixtyDegrees)
{
    const std::vector<double> imfps = {20, 30, 25};
    const std::vector<double> thicknesses = {10, 5};
    // 0°: 20 (1 - e^-1/2), 30 (1 - e^-1/6) e^-1/2, 25 e^-1/2 e^-1/6.
    const std::vector<double> normal = straightLineSignals(imfps, thicknesses, 0);
    ASSERT_EQ(normal.size(), 3u);
    EXPECT_NEAR(normal[0], 7.8693868057473315, 1e-13);
    EXPECT_NEAR(normal[1], 2.7934062204012409, 1e-13);
    EXPECT_NEAR(normal[2], 12.835427975814801, 1e-13);
    // 60°, cos = 1/2: 10 (1 - e^-1), 15 (1 - e^-1/3) e^-1, 12.5 e^-1 e^-1/3.
    const std::vector<double> tilted = straightLineSignals(imfps, thicknesses, 60);
    EXPECT_NEAR(tilted[0], 6.3212055882855775, 1e-13);
    EXPECT_NEAR(tilted[1], 1.5642345458357338, 1e-13);
    EXPECT_NEAR(tilted[2], 3.2949642264465862, 1e-13);
    // One material cut into layers is the homogeneous solid: IMFP cos θ in all.
    const std::vector<double> cut = straightLineSignals(std::vector<double>{25, 25, 25, 25}, std::vector<double>{1, 7, 0.01}, 60);
    EXPECT_NEAR(std::accumulate(cut.begin(), cut.end(), 0.0), 12.5, 1e-12);
    // No layer: the substrate alone.
    EXPECT_NEAR(straightLineSignals(std::vector<double>{25}, {}, 0).front(), 25, 1e-14);
    EXPECT_THROW(straightLineSignals(imfps, std::vector<double>{10}, 0), std::invalid_argument);
}

} // namespace
} // namespace korvane
