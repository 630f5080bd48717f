#pragma once

#include <array>
#include <vector>

// The deflection of an electron at an elastic collision: a polar angle drawn
// from a tabulated differential cross-section and a uniform azimuth.
namespace korvane {

using Direction = std::array<double, 3>; // unit vector; z points into the solid

class ElasticAngleSampler {
public:
    // dsigma/dOmega at polar angles from 0 to pi (radians, rising); between
    // the nodes the density is taken linear in cos theta.
    ElasticAngleSampler(const std::vector<double>& angles, const std::vector<double>& dcs);

    // cos theta for a uniform number u in [0, 1).
    double cosine(double u) const;

    // <cos theta> of the tabulated distribution.
    double meanCosine() const { return meanCosine_; }

private:
    std::vector<double> cosines_;    // falling from 1 to -1
    std::vector<double> densities_;  // dsigma/dOmega at cosines_
    std::vector<double> cumulative_; // fraction from cos = 1 down to each node
    double meanCosine_ = 0;
};

// `d` turned by the polar angle with cosine `cosTheta` and the azimuth `phi`
// (radians) about itself.
Direction deflected(const Direction& d, double cosTheta, double phi);

} // namespace korvane
