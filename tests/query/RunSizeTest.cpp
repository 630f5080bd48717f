#include "query/RunSize.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(RunSize, TypedCountsAreReadExactlyAndHeldToOneLimit)
{
    EXPECT_EQ(*readWholeNumber("--seed", "9007199254740992", kSeedLimit), 9007199254740992u);
    EXPECT_EQ(*readWholeNumber("--electrons", "1e12", kElectronLimit), 1'000'000'000'000u);
    EXPECT_EQ(*readWholeNumber("--electrons", " 0.25e4", kElectronLimit), 2500u);
    EXPECT_EQ(*readWholeNumber("--seed", "-0", kSeedLimit), 0u);
    // A Double would round these onto an allowed whole number.
    const std::string seedWords = "--seed must be a whole number from 0 to 9007199254740992";
    EXPECT_EQ(readWholeNumber("--seed", "9007199254740993", kSeedLimit).error(), seedWords);
    EXPECT_EQ(readWholeNumber("--seed", "9.007199254740993e15", kSeedLimit).error(), seedWords);
    EXPECT_EQ(readWholeNumber("--seed", "1.0000000000000000001", kSeedLimit).error(), seedWords);
    EXPECT_EQ(readWholeNumber("--seed", "-1", kSeedLimit).error(), seedWords);
    EXPECT_EQ(readWholeNumber("--seed", "1e30", kSeedLimit).error(), seedWords);
    EXPECT_EQ(readWholeNumber("--seed", "x", kSeedLimit).error(), "--seed: \"x\" is not a number");
    EXPECT_EQ(readWholeNumber("--threads", "1025", kThreadLimit).error(),
              "--threads must be a whole number from 1 to 1024");
}

} // namespace
} // namespace korvane
