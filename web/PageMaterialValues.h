#pragma once

#include "web/PageMaterial.h"
#include "web/PageResults.h"

#include <vector>

// The values of the material that the results were computed with, shown
// beside them: a database row's own density, mass, gap and Nv (H2O is
// stored as ice), a formula's summed mass and Nv, or the typed values.
namespace korvane::page {

// "material-density" ("8.96 g/cm³"), "material-mass" ("63.546 g/mol"),
// "material-gap" ("0 eV") and "material-nv" ("11"), each as far as the
// material has it, in the shortest text that reads back as the same Single.
std::vector<ShownResult> materialValuesShown(const PageMaterial& material);

} // namespace korvane::page
