#pragma once

#include "materials/model/Material.h"
#include "presentation/ResultText.h"

#include <string_view>
#include <vector>

namespace korvane {

// The text of data/materials.txt, compiled into the program.
std::string_view shippedMaterialsText();

// Reads the shipped materials text: '#' starts a comment (whole line or the
// rest of a row), the first other line names the columns, each further line
// is a row with cells separated by '|'; blanks around a cell are dropped and
// an empty cell is null.
// Gives the materials in the file's order, or what is wrong and where.
Result<std::vector<Material>> readShippedMaterials(std::string_view text);

} // namespace korvane
