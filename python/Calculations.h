#pragma once

#include "python/SingleResults.h"

#include <pybind11/pybind11.h>

// The physics of tpp2m for scalars and NumPy arrays: the same functions of
// the core, element by element, with tpp2m's words for every failure. Each
// follows NumPy's convention: wrong input raises ValueError, valid input
// without a physical value gives NaN as `policy` (or `errors`, "warn", "raise"
// or "ignore") says, NaN in gives NaN out.
namespace korvane::python {

namespace py = pybind11;

// The arguments of imfp: the material of the database (a name or an ID, None
// when not given) or its four values (each None when not given), and the
// call's settings.
struct ImfpArguments {
    py::handle energy, material, density, mass, gap, nv, database;
    bool relativistic = false;
    py::handle include;
    NoValuePolicy policy = NoValuePolicy::Warn;
};

// The IMFP (Å) at each energy (eV). The material, include and relativistic
// are read once per call by the request's reader; the energies and the four
// values broadcast and are judged element by element.
py::object imfp(const ImfpArguments& arguments);

// CF by approximation 1 for depths (Å) and IMFPs (Å).
py::object cf1(py::handle depth, py::handle imfp, const std::string& errors);

// The transport mean free path (Å) from density (g/cm3), mass (g/mol) and
// transport cross-section (units of a0^2, read as a Double).
py::object trmfp(py::handle density, py::handle mass, py::handle crossSection, const std::string& errors);

// The effective transport mean free path (Å) of a TrMFP (Å) and an IMFP (Å).
py::object effTrmfp(py::handle trmfp, py::handle imfp, const std::string& errors);

// CF by approximation 2 for depths (Å) and effective transport paths (Å).
py::object cf2(py::handle depth, py::handle effTrmfp, const std::string& errors);

} // namespace korvane::python
