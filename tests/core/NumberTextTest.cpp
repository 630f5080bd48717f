#include "core/NumberText.h"
#include "core/PortableNumberText.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>

namespace korvane {
namespace {

namespace nt = numbers;

TEST(PlainNumberText, StrictReadingTakesTheWholeTextWithAFullStop)
{
    EXPECT_EQ(nt::readDouble(" 2.65 "), 2.65);
    EXPECT_EQ(nt::readDouble("-1e3"), -1000.0);
    EXPECT_EQ(nt::readDouble("+.5"), 0.5);
    for (const char* bad : {"", "   ", "2.65x", "2,65", "inf", "nan", "1e999", "0x10", "1e", ".", "-", "1 000"})
        EXPECT_FALSE(nt::readDouble(bad)) << bad;
    EXPECT_TRUE(nt::readSingle("3e38"));
    EXPECT_FALSE(nt::readSingle("4e38"));
    EXPECT_EQ(nt::readSingle("0.1"), 0.1f);
}

TEST(PlainNumberText, ShownFormats)
{
    EXPECT_EQ(nt::shortest(4), "4");
    EXPECT_EQ(nt::shortest(4.5f), "4.5");
    EXPECT_EQ(nt::shortest(-2.33f), "-2.33");
    EXPECT_EQ(nt::shortest(300000), "3e+05");
    EXPECT_EQ(nt::shortestFixed(300000), "300000");
    EXPECT_EQ(nt::shortestFixed(-0.0f), "0");
    EXPECT_EQ(nt::shortest15(0.1 + 0.2), "0.3");
    EXPECT_EQ(nt::sixDigits(0.1 + 0.2), "0.3");
    EXPECT_EQ(nt::sixDigits(1.2345678), "1.23457");
    EXPECT_EQ(nt::sixDigits(1e7), "1e+07");
    EXPECT_EQ(nt::sixDigits(0.0001), "0.0001");
    EXPECT_EQ(nt::fixed(-3.1f, 2), "-3.10");
    EXPECT_EQ(nt::fixed(-0.001, 2), "-0.00");
    EXPECT_EQ(nt::fixed(-0.0, 2), "0.00");
}

// The texts of the C library's printf and strtod equal those of to_chars and
// from_chars, value for value: the browser shows the desktop's digits.
TEST(PlainNumberText, PortableTextsEqualTheStandardLibrarys)
{
    std::vector<float> singles = {0.0001f, 0.001f, 1e-5f, 1.5e10f, 123456792.0f, 33554436.0f, 16777216.0f,
                                  1e9f, 3e10f, FLT_MAX, FLT_MIN, FLT_TRUE_MIN, 15.4523f, 1023.4567f, 0.1f};
    // Every power of two, where the spacing of Singles changes, and its neighbours.
    for (int e = -149; e <= 127; ++e) {
        const float p = std::ldexp(1.0f, e);
        singles.insert(singles.end(), {p, std::nextafter(p, 0.0f), std::nextafter(p, HUGE_VALF)});
    }
    std::mt19937 random(28);
    for (int i = 0; i < 30000; ++i) {
        const std::uint32_t bits = random();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value))
            singles.push_back(value);
    }
    for (const float value : singles) {
        ASSERT_EQ(nt::portable::shortest(value), nt::shortest(value)) << value;
        ASSERT_EQ(nt::portable::shortest(-value), nt::shortest(-value)) << value;
        if (std::fabs(value) < 1e12f) {
            ASSERT_EQ(nt::portable::shortestFixed(value), nt::shortestFixed(value)) << value;
        }
        for (const int decimals : {0, 1, 2, 3})
            ASSERT_EQ(nt::portable::fixed(value, decimals), nt::fixed(value, decimals)) << value;
    }
    for (const char* text : {"2.5x", "1 0", "-4", ".5", "2,5", "", "x1", "inf", "nan", "-", ".", "0x5", "1e", "1e+",
                             "1e5", "-1e-3z", "1e999", "-1e999", "1e-400", "1e-310", "5.", "+7"})
        EXPECT_EQ(nt::portable::leadingNumber(text), nt::leadingNumber(text)) << text;
}

} // namespace
} // namespace korvane
