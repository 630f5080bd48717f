#pragma once

#include "core/Result.h"
#include "lookup/MaterialInputs.h"
#include "lookup/MaterialRef.h"
#include "materials/store/DatabaseLocation.h"
#include "query/ValenceGroups.h"

#include <vector>

namespace korvane {

// Where materials named by name, ID or formula are looked up, and which
// valence groups make up their Nv.
struct MaterialSource {
    QString databasePath;
    WhenMissing whenMissing = WhenMissing::Create;
    ValenceTicks groups;
};

// Looks up materials: names and IDs in the database, formulas through its
// element rows, each in the order given. Opens the database only when one is
// needed. tpp2m and the Python module ask the same, so each refusal has the
// same words; its code says what kind it is: NotFound for a database that
// cannot be opened, a material it does not hold or element data it lacks,
// Storage for a row that cannot be read, InvalidInput for a formula that
// cannot be read or has an element without a row, OutOfRange for sums too
// large for a Single, Ambiguous for a number that is one material's ID and
// another's name.
Result<std::vector<MaterialInputs>> resolveMaterials(const std::vector<MaterialRef>& materials,
                                                     const MaterialSource& source);

} // namespace korvane
