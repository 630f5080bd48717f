#include "calc/AdaptiveQuadrature.h"

#include <cmath>

namespace korvane {

namespace {

// Halvings of one interval at most; a bound that a smooth integrand never
// reaches, kept so that no input can recurse without end.
constexpr int kMaxDepth = 40;

struct Panel {
    double a, m, b;    // ends and middle
    double fa, fm, fb; // f there
    double simpson;    // Simpson's rule over the panel
};

Panel panel(const std::function<double(double)>& f, double a, double b, double fa, double fb)
{
    const double m = 0.5 * (a + b);
    const double fm = f(m);
    return {a, m, b, fa, fm, fb, (b - a) / 6.0 * (fa + 4.0 * fm + fb)};
}

double refine(const std::function<double(double)>& f, const Panel& whole, double tolerance, int depth)
{
    const Panel left = panel(f, whole.a, whole.m, whole.fa, whole.fm);
    const Panel right = panel(f, whole.m, whole.b, whole.fm, whole.fb);
    const double halves = left.simpson + right.simpson;
    const double change = halves - whole.simpson;
    if (depth >= kMaxDepth || std::abs(change) <= 15.0 * tolerance)
        return halves + change / 15.0;
    return refine(f, left, 0.5 * tolerance, depth + 1) + refine(f, right, 0.5 * tolerance, depth + 1);
}

} // namespace

double integrateAdaptively(const std::function<double(double)>& f, double a, double b, double tolerance)
{
    if (!(b > a))
        return 0.0;
    return refine(f, panel(f, a, b, f(a), f(b)), tolerance, 0);
}

} // namespace korvane
