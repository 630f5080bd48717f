#include "ui/common/ShownNumbers.h"
#include "support/Locales.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

namespace nt = numbertext;

using test::kEnglish;
using test::kGerman;

// The digits are query/ShownText's (tests/query); here, the user's separator.
TEST(ShownNumbers, LengthsAndFactorsInTheUsersLocale)
{
    EXPECT_EQ(nt::length(29.1188f, kEnglish), QStringLiteral("29.12 \u00C5"));
    EXPECT_EQ(nt::length(1449.1f, kGerman), QStringLiteral("1449,10 \u00C5"));
    EXPECT_EQ(nt::factor(1.0816f, kGerman), QStringLiteral("1,082"));
}

} // namespace
} // namespace korvane
