#pragma once

#include <pybind11/pybind11.h>

// The signal of each layer of a stack, as tpp2m stack computes it.
namespace korvane::python {

namespace py = pybind11;

// The inputs of korvane.stack as its arguments give them.
struct StackArguments {
    py::handle layers;    // a sequence of (material, thickness in Å), from the surface
    py::handle substrate; // a name or an ID
    py::handle energy;    // eV, a number or a sequence
    py::handle angle;     // degrees, a number or a sequence
    std::string model;
    // The simulation's settings, None when not given.
    py::handle electrons;
    py::handle seed;
    py::handle threads;
    py::handle asymmetry;
    py::handle sourceAngle;
    bool relativistic = false;
    py::handle database;
    py::handle include;
};

// One array per column of tpp2m stack's rows (one row per energy, angle and
// layer, the substrate last): layer, material, thickness_A (NaN for the
// substrate), energy_eV, form, angle_deg, model, imfp_A, signal_A,
// signal_sd_A and error (empty, or why a row has no signal). ValueError with
// tpp2m's words, the inputs named as the arguments, for input it refuses.
py::dict stack(const StackArguments& arguments);

} // namespace korvane::python
