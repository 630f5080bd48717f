#include "presentation/LocaleNumberText.h"
#include "support/Locales.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

namespace nt = numbertext;

using test::kEnglish;
using test::kGerman;

TEST(NumberText, StrictReadingTakesTheWholeTextInTheUsersLocale)
{
    EXPECT_EQ(nt::toDouble(QStringLiteral(" 2.65 "), kEnglish), 2.65);
    EXPECT_EQ(nt::toDouble(QStringLiteral("2,65"), kGerman), 2.65);
    for (const char* bad : {"", "   ", "2.65x", "inf", "nan", "1e999"})
        EXPECT_FALSE(nt::toDouble(QString::fromLatin1(bad), kEnglish)) << bad;
    // A Single must hold the value.
    EXPECT_TRUE(nt::toSingle(QStringLiteral("3e38"), kEnglish));
    EXPECT_FALSE(nt::toSingle(QStringLiteral("4e38"), kEnglish));
    EXPECT_EQ(nt::toSingle(QStringLiteral("0.1"), kEnglish), 0.1f);
}

TEST(NumberText, LenientReadingTakesTheLeadingNumberWithAFullStop)
{
    // The comma ends the number in any locale; no leading number reads as 0.
    const std::pair<const char*, double> cases[] = {{"2.5x", 2.5}, {"1 0", 10}, {"-4", -4}, {".5", 0.5},
                                                    {"2,5", 2},    {"", 0},     {"x1", 0},  {"inf", 0},
                                                    {"nan", 0},    {"-", 0},    {".", 0}};
    for (const auto& [text, number] : cases)
        EXPECT_EQ(nt::leadingNumber(QString::fromLatin1(text)), number) << text;
}

// The digits are core/NumberText's (tests/core); here, the user's decimal separator.
TEST(NumberText, ShownFormatsInTheUsersLocale)
{
    EXPECT_EQ(nt::shortest(4.5f, kGerman), QStringLiteral("4,5"));
    EXPECT_EQ(nt::shortestFixed(1023.4567f, kGerman), QStringLiteral("1023,4567"));
    EXPECT_EQ(nt::shortest15(-20, kEnglish), QStringLiteral("-20"));
    EXPECT_EQ(nt::fixed(8, 1, kEnglish), QStringLiteral("8.0"));
}

} // namespace
} // namespace korvane
