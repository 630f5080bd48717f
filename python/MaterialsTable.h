#pragma once

#include "lookup/MaterialInputs.h"
#include "query/ValenceGroups.h"

#include <pybind11/pybind11.h>

// The materials database as tpp2m reads it: opened read-only, materials found
// by name or ID, formulas summed from the element rows, with tpp2m's words
// for every failure.
namespace korvane::python {

namespace py = pybind11;

// The include boxes from a sequence of group names ("hbe", "lbe", "d", "f")
// or from one text of them separated by commas, as tpp2m's --include.
ValenceTicks includedGroups(py::handle include);

// The inputs of the formula for the material `nameOrId` of the database: a
// text is a name, an int or a NumPy integer an ID.
MaterialInputs databaseMaterial(py::handle nameOrId, py::handle database, const ValenceTicks& groups);

// (Nv, mass) of the formula unit of `formula`, summed from the element rows.
py::tuple formula(const std::string& formula, py::handle database, const ValenceTicks& groups);

// Every material in ID order, each a dict of its columns and its Nv.
py::list materials(py::handle database, const ValenceTicks& groups);

} // namespace korvane::python
