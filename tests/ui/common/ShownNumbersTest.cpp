#include "ui/common/ShownNumbers.h"
#include "support/Locales.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

namespace nt = numbertext;

using test::kEnglish;
using test::kGerman;

TEST(ShownNumbers, LengthsAndFactors)
{
    EXPECT_EQ(nt::length(29.1188f, kEnglish), QStringLiteral("29.12 \u00C5"));
    EXPECT_EQ(nt::length(-3.1f, kEnglish), QStringLiteral("-3.10 \u00C5"));
    EXPECT_EQ(nt::length(1449.1f, kGerman), QStringLiteral("1449,10 \u00C5"));
    EXPECT_EQ(nt::factor(1.0816f, kEnglish), QStringLiteral("1.082"));
    EXPECT_EQ(nt::factor(0, kEnglish), QStringLiteral("0.000"));
}

} // namespace
} // namespace korvane
