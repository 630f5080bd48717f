#pragma once

#include <functional>

namespace korvane {

// The integral of a smooth f from a to b by adaptive Simpson quadrature with
// Richardson's correction, to an absolute error of about `tolerance`.
double integrateAdaptively(const std::function<double(double)>& f, double a, double b, double tolerance);

} // namespace korvane
