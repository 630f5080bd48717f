#include "query/Corrections.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(Corrections, FactorsAndPathsWithTheirWords)
{
    EXPECT_EQ(*correctionFactor1(10, 15.45f), *correctionFactorApprox1(10, 15.45f));
    EXPECT_EQ(*correctionFactor2(10, 40), *correctionFactorApprox2(10, 40));
    const Result<float> none = correctionFactor1(10, 0);
    EXPECT_EQ(none.error(), "no correction factor for this depth and path");
    EXPECT_EQ(none.code(), ErrorCode::NoPhysicalValue);

    const FormedPaths copper = transportPaths(8.96f, 63.546f, 0.2437196, 15.45f);
    const TransportPaths expected = transportMeanFreePaths(8.96f, 63.546f, 0.2437196, 15.45f);
    EXPECT_EQ(copper.trMfp, expected.trMfp);
    ASSERT_TRUE(copper.effTrMfp);
    EXPECT_EQ(*copper.effTrMfp, *expected.effTrMfp);

    EXPECT_EQ(transportPaths(std::nullopt, 63.546f, 0.24, 15.45f).effTrMfp.error(), "no density in the database");
    EXPECT_EQ(transportPaths(8.96f, std::nullopt, 0.24, 15.45f).effTrMfp.error(), "no atomic weight in the database");
    const FormedPaths noPath = transportPaths(8.96f, 63.546f, 0, 15.45f);
    EXPECT_FALSE(noPath.trMfp);
    EXPECT_EQ(noPath.effTrMfp.error(), "TrMFP cannot be formed from this density, mass and cross-section");
}

} // namespace
} // namespace korvane
