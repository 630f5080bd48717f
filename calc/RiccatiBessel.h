#pragma once

#include <vector>

// Riccati-Bessel functions of x > 0 for orders 0 to lmax:
//     jhat_l(x) = x j_l(x) ~ sin(x - l pi/2),  yhat_l(x) = x y_l(x) ~ -cos(x - l pi/2),
// the free radial waves that the scattered waves are matched to.
namespace korvane {

struct RiccatiBessel {
    std::vector<double> regular;   // jhat_0 .. jhat_lmax
    std::vector<double> irregular; // yhat_0 .. yhat_lmax
};

RiccatiBessel riccatiBessel(double x, int lmax);

} // namespace korvane
