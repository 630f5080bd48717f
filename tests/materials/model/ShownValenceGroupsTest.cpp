#include "materials/model/ShownValenceGroups.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

ShownValenceGroups copper(bool hbe, bool lbe = true, bool d = true, bool f = true)
{
    return {{QStringLiteral("8.0"), hbe}, {QStringLiteral("1.0"), lbe}, {QStringLiteral("10.0"), d}, {QString(), f}};
}

TEST(ShownValenceGroups, TotalOfTheTickedGroups)
{
    EXPECT_EQ(copper(false).total(), 11.0f);
    EXPECT_EQ(copper(true).total(), 19.0f);
    EXPECT_EQ(copper(false, false, false, false).total(), 0.0f);
    // Each box counts by its leading number; too large for a Single: no total.
    ShownValenceGroups groups{{QStringLiteral("abc"), true}, {QStringLiteral("1e39"), true}, {}, {}};
    EXPECT_FALSE(groups.total());
}

} // namespace
} // namespace korvane
