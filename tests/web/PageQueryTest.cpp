#include "web/PageQuery.h"

#include <gtest/gtest.h>

using korvane::page::PageQuery;

TEST(PageQueryTest, ReadsTheAddressAsTheBrowserEncodesIt)
{
    const PageQuery query("?material=Al2O3&formula=Ca%28OH%292&line=Cu+2p3%2F2&energy=&angle=%20&x=%4&y=%e2%84%ab");
    EXPECT_EQ(query.value("material"), "Al2O3");
    EXPECT_EQ(query.value("formula"), "Ca(OH)2");
    EXPECT_EQ(query.value("line"), "Cu 2p3/2");
    // A name given empty or blank is there, but typed is not.
    EXPECT_EQ(query.value("energy"), "");
    EXPECT_EQ(query.typed("energy"), std::nullopt);
    EXPECT_EQ(query.typed("angle"), std::nullopt);
    // A '%' without two hexadecimal digits stays; UTF-8 bytes come back whole.
    EXPECT_EQ(query.value("x"), "%4");
    EXPECT_EQ(query.value("y"), "\u212B");
    EXPECT_EQ(query.value("missing"), std::nullopt);
    // The first value of a name counts; a repeated input keeps every value in order.
    const PageQuery repeated("energy=1000&layer=SiO2%3A15&energy=2000&&flag&layer=C:5");
    EXPECT_EQ(repeated.value("energy"), "1000");
    EXPECT_EQ(repeated.value("flag"), "");
    EXPECT_EQ(repeated.values("layer"), (std::vector<std::string>{"SiO2:15", "C:5"}));
    EXPECT_EQ(repeated.values("energy"), (std::vector<std::string>{"1000", "2000"}));
    EXPECT_TRUE(repeated.values("peak").empty());
}
