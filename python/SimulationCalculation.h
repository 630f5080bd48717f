#pragma once

#include <pybind11/pybind11.h>


// The elastic scattering by angle and the trajectory simulation of a material
// of the database, as tpp2m dcs and tpp2m simulate compute them.
namespace korvane::python {

namespace py = pybind11;

// {"angle_deg": array, "dcs_cm2_sr": array}: dsigma/dOmega of one formula
// unit at tpp2m dcs's angles.
py::dict differentialCrossSection(py::handle material, double energy, py::handle database);

// The arguments of korvane.simulate, as the call gives them (threads None:
// every core).
struct SimulateArguments {
    py::handle material;
    py::handle energy;
    py::handle angle;
    py::handle probability;
    py::handle electrons;
    py::handle seed;
    py::handle threads;
    py::handle asymmetry;
    py::handle sourceAngle;
    py::handle step;
    bool relativistic = false;
    py::handle database;
    py::handle include;
};

// The summary as floats (imfp, elastic_mfp, transport_mfp, albedo,
// mean_escape_depth and information_depth with their "_sd") and the profile
// as arrays (depth, phi, phi_sd, cf, cf_sd, eal).
// ValueError with tpp2m's words, the inputs named as the arguments, for
// input it refuses.
py::dict simulate(const SimulateArguments& arguments);

} // namespace korvane::python
