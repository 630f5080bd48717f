#include "query/ValueWithError.h"

#include <gtest/gtest.h>

namespace korvane::shown {
namespace {

// A simulated mean escape depth of 10^6 electrons has an error of a few
// thousandths: the text keeps those digits instead of "9.24 ± 0.00".
TEST(ValueWithError, ShowsTheDigitsTheErrorAllows)
{
    EXPECT_EQ(valueWithError(9.24372, 0.00307), "9.244 \u00B1 0.003");
    EXPECT_EQ(valueWithError(12.3456, 0.0149), "12.346 \u00B1 0.015");
    EXPECT_EQ(valueWithError(12.3456, 0.0251), "12.346 \u00B1 0.025");
    EXPECT_EQ(valueWithError(12.3456, 0.031), "12.35 \u00B1 0.03");
    // Rounding the error up changes its first digit to 1: two digits again.
    EXPECT_EQ(valueWithError(12.34, 0.96), "12.3 \u00B1 1.0");
    EXPECT_EQ(valueWithError(12.34, 0.0996), "12.34 \u00B1 0.10");
    // Errors of tens round the value to tens; a negative value keeps its sign.
    EXPECT_EQ(valueWithError(1234.5, 35), "1230 \u00B1 40");
    EXPECT_EQ(valueWithError(-3.14159, 0.2), "-3.14 \u00B1 0.20");
    EXPECT_EQ(valueWithError(9.2, 0), "9.2 \u00B1 0");
}

} // namespace
} // namespace korvane::shown
