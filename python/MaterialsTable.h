#pragma once

#include "lookup/MaterialInputs.h"
#include "query/Request.h"
#include "query/RequestReader.h"
#include "query/ValenceGroups.h"

#include <pybind11/pybind11.h>

// The materials database as tpp2m reads it: opened read-only, materials found
// by name or ID, formulas summed from the element rows, with tpp2m's words
// for every failure.
namespace korvane::python {

namespace py = pybind11;

// The include argument as the request's reader takes it: a sequence of group
// names ("hbe", "lbe", "d", "f") joined by commas (none of them is "none"),
// or one text of them separated by commas, as tpp2m's --include.
NamedText includeText(py::handle include);

// The include boxes of the include argument.
ValenceTicks includedGroups(py::handle include);

// The material argument as the request's reader takes it: a text is a name,
// whatever it looks like; an int or a NumPy integer an ID.
NamedText materialText(py::handle nameOrId);

// The inputs of the formula for a material of the database named in a request.
MaterialInputs databaseMaterial(const MaterialByName& material, py::handle database, const ValenceTicks& groups);

// The same for the material argument `nameOrId`, read by the request's reader.
MaterialInputs databaseMaterial(py::handle nameOrId, py::handle database, const ValenceTicks& groups);

// (Nv, mass) of the formula unit of `formula`, summed from the element rows.
py::tuple formula(const std::string& formula, py::handle database, const ValenceTicks& groups);

// Every material in ID order, each a dict of its columns and its Nv.
py::list materials(py::handle database, const ValenceTicks& groups);

} // namespace korvane::python
