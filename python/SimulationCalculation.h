#pragma once

#include "calc/MagicAngle.h"

#include <pybind11/pybind11.h>

#include <cstdint>

// The elastic scattering by angle and the trajectory simulation of a material
// of the database, as tpp2m dcs and tpp2m simulate compute them.
namespace korvane::python {

namespace py = pybind11;

// {"angle_deg": array, "dcs_cm2_sr": array}: dsigma/dOmega of one formula
// unit at tpp2m dcs's angles.
py::dict differentialCrossSection(py::handle material, double energy, py::handle database);

// The settings of one simulation, as tpp2m simulate's options; the run's
// size already within its limits.
struct SimulationRequest {
    double angle = 0;
    double probability = 0.95;
    std::uint64_t electrons = 1'000'000;
    std::uint64_t seed = 1;
    unsigned threads = 0; // 0: every core
    double asymmetry = 0;
    double sourceAngle = kMagicAngle;
    double step = 0.02;
    bool relativistic = false;
};

// The summary as floats (imfp, elastic_mfp, transport_mfp, albedo,
// mean_escape_depth and information_depth with their "_sd") and the profile
// as arrays (depth, phi, phi_sd, cf, cf_sd, eal).
py::dict simulate(py::handle material, double energy, const SimulationRequest& request, py::handle database,
                  py::handle include);

} // namespace korvane::python
