#pragma once

#include "query/Request.h"

#include <QString>

#include <variant>

namespace korvane {

// A material given by its chemical formula, its density and its band gap;
// Nv and the mass come from the elements' rows.
struct FormulaMaterial {
    QString formula;
    float density = 0;
    float bandGap = 0;
};

// A material of the database, by its name or its ID as typed: a bare
// number is an ID, unless the caller says which it is.
struct NamedMaterial {
    enum class By { NameOrId, Name, Id };
    QString nameOrId;
    By by = By::NameOrId;
};

using MaterialRef = std::variant<NamedMaterial, MaterialByValues, FormulaMaterial>;

} // namespace korvane
