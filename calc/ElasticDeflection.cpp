#include "calc/ElasticDeflection.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace korvane {

ElasticAngleSampler::ElasticAngleSampler(const std::vector<double>& angles, const std::vector<double>& dcs)
{
    if (angles.size() < 2 || angles.size() != dcs.size())
        throw std::invalid_argument("the angular table needs at least two angles, each with its value");
    for (std::size_t i = 0; i < angles.size(); ++i) {
        cosines_.push_back(std::cos(angles[i]));
        densities_.push_back(dcs[i]);
    }
    cumulative_.push_back(0);
    double moment = 0;
    for (std::size_t i = 0; i + 1 < cosines_.size(); ++i) {
        const double width = cosines_[i] - cosines_[i + 1];
        const double a = densities_[i], b = densities_[i + 1];
        cumulative_.push_back(cumulative_.back() + width * (a + b) / 2);
        // Int mu (a + (b - a) s) over the segment, mu = c_i - width s.
        moment += width * (cosines_[i] * (a + b) / 2 - width * (a + 2 * b) / 6);
    }
    const double total = cumulative_.back();
    if (!(total > 0) || !std::isfinite(total))
        throw std::invalid_argument("the angular table holds no scattering");
    for (double& c : cumulative_)
        c /= total;
    meanCosine_ = moment / total;
}

double ElasticAngleSampler::cosine(double u) const
{
    const auto above = std::upper_bound(cumulative_.begin() + 1, cumulative_.end() - 1, u);
    const std::size_t i = static_cast<std::size_t>(above - cumulative_.begin()) - 1;
    const double a = densities_[i], b = densities_[i + 1];
    const double r = (u - cumulative_[i]) / (cumulative_[i + 1] - cumulative_[i]);
    // The fraction s of the segment where a s + (b - a) s^2 / 2 = r (a + b) / 2.
    const double root = std::sqrt(std::max(0.0, a * a + r * (b * b - a * a)));
    const double s = a + root > 0 ? std::clamp(r * (a + b) / (a + root), 0.0, 1.0) : r;
    return cosines_[i] - s * (cosines_[i] - cosines_[i + 1]);
}

Direction deflected(const Direction& d, double cosTheta, double phi)
{
    const double sinTheta = std::sqrt(std::max(0.0, 1 - cosTheta * cosTheta));
    const double cp = std::cos(phi), sp = std::sin(phi);
    const double rho2 = d[0] * d[0] + d[1] * d[1];
    if (rho2 < 1e-20) {
        const double sign = d[2] >= 0 ? 1 : -1;
        return {sinTheta * cp, sinTheta * sp, sign * cosTheta};
    }
    const double rho = std::sqrt(rho2);
    const double a = sinTheta / rho;
    Direction out{d[0] * cosTheta + a * (d[0] * d[2] * cp - d[1] * sp),
                  d[1] * cosTheta + a * (d[1] * d[2] * cp + d[0] * sp), d[2] * cosTheta - sinTheta * rho * cp};
    const double norm = std::sqrt(out[0] * out[0] + out[1] * out[1] + out[2] * out[2]);
    for (double& x : out)
        x /= norm;
    return out;
}

} // namespace korvane
