#include "calc/RiccatiBessel.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using korvane::riccatiBessel;

TEST(RiccatiBessel, LowOrdersMatchTheirClosedForms)
{
    for (double x : {0.3, 2.0, 17.5, 640.0}) {
        const auto f = riccatiBessel(x, 2);
        const double s = std::sin(x), c = std::cos(x);
        EXPECT_NEAR(f.regular[0], s, 1e-13);
        EXPECT_NEAR(f.regular[1], s / x - c, 1e-13);
        EXPECT_NEAR(f.regular[2], (3 / (x * x) - 1) * s - 3 * c / x, 1e-12);
        EXPECT_NEAR(f.irregular[0], -c, 1e-13);
        EXPECT_NEAR(f.irregular[1], -c / x - s, 1e-13);
        EXPECT_NEAR(f.irregular[2], -(3 / (x * x) - 1) * c - 3 * s / x, 1e-12);
    }
}

// jhat_l yhat_l+1 - jhat_l+1 yhat_l = -1 for every l and x; it fails at once
// where the regular function is computed in an unstable direction, far
// above x, and the small regular values are checked against the series.
TEST(RiccatiBessel, CrossProductHoldsFarBeyondTheArgument)
{
    for (double x : {0.5, 5.0, 90.0, 1500.0}) {
        const int lmax = static_cast<int>(1.5 * x) + 30;
        const auto f = riccatiBessel(x, lmax);
        for (int l = 0; l < lmax; ++l) {
            const double cross = f.regular[l] * f.irregular[l + 1] - f.regular[l + 1] * f.irregular[l];
            ASSERT_NEAR(cross, -1.0, 1e-9) << "x = " << x << ", l = " << l;
        }
    }
    // jhat_l(x) ~ x^(l+1) / (2l+1)!! (1 - x^2 / (2(2l+3))) for small x.
    const auto f = riccatiBessel(0.01, 10);
    double doubleFactorial = 1;
    for (int k = 3; k <= 21; k += 2)
        doubleFactorial *= k;
    EXPECT_NEAR(f.regular[10] / (std::pow(0.01, 11) / doubleFactorial), 1 - 1e-4 / 46, 1e-9);
}

} // namespace
