#pragma once

#include "python/SingleResults.h"

#include <pybind11/pybind11.h>

#include <string>

// How deep the signal comes from and how thick an overlayer is, in double
// precision as tpp2m depth and tpp2m thickness compute them, with their words
// for every failure. IMFPs and EffTrMFPs are held as Singles, as there.
namespace korvane::python {

namespace py = pybind11;

// The model of the depth distribution: "none", "cf1" or "cf2" with the
// EffTrMFPs (Å) that "cf2" needs (None otherwise).
struct DepthModelChoice {
    std::string correction;
    py::handle effTrmfp;
    NoValuePolicy policy = NoValuePolicy::Warn;
};

// The information depth (Å) above which the fraction `probability` of the signal arises.
py::object informationDepth(py::handle imfp, py::handle probability, py::handle angle, const DepthModelChoice& model);

// The mean escape depth (Å).
py::object meanEscapeDepth(py::handle imfp, py::handle angle, const DepthModelChoice& model);

// The fraction of the signal from depths 0 to `thickness` (Å).
py::object signalFraction(py::handle thickness, py::handle imfp, py::handle angle, const DepthModelChoice& model);

// The overlayer thickness (Å) from the IMFPs (Å) of the overlayer at both
// peaks' energies, the measured ratio R and the bulk ratio Rinf.
py::object overlayerThickness(py::handle imfpOverlayer, py::handle imfpSubstrateInOverlayer, py::handle ratio,
                              py::handle bulkRatio, py::handle angle, NoValuePolicy policy);

} // namespace korvane::python
