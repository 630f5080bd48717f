#include "materials/ValenceGroups.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

ValenceGroups copper(bool hbe, bool lbe = true, bool d = true, bool f = true)
{
    return {{QStringLiteral("8.0"), hbe}, {QStringLiteral("1.0"), lbe}, {QStringLiteral("10.0"), d}, {QString(), f}};
}

TEST(ValenceGroups, TotalOfTheTickedGroups)
{
    EXPECT_EQ(copper(false).total(), 11.0f);
    EXPECT_EQ(copper(true).total(), 19.0f);
    EXPECT_EQ(copper(false, false, false, false).total(), 0.0f);
    // Letters count as 0, a number with letters after it counts by its number.
    ValenceGroups groups{{QStringLiteral("abc"), true}, {QStringLiteral("2.5x"), true}, {}, {}};
    EXPECT_EQ(groups.total(), 2.5f);
    // Too large for a Single: no total.
    groups.spLbe.text = QStringLiteral("1e39");
    EXPECT_FALSE(groups.total());
}

} // namespace
} // namespace korvane
