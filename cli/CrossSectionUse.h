#pragma once

#include "cli/CommandLine.h"
#include "cli/RowWriter.h"
#include "lookup/MaterialInputs.h"
#include "materials/model/MaterialTransport.h"

#include <optional>

namespace korvane::cli {

// Whether a cf2 or depth run computes S for each material because no
// --cross-section is given; its rows then carry S and what it stands for.
bool computesCrossSection(const Command& command);

// The S (a0^2) that approximation 2 uses for a material at an energy: the
// --cross-section given, or the one computed as tpp2m transport does.
Result<TransportCrossSection> crossSectionUsed(const Command& command, const MaterialInputs& material, double energy);

// The columns cross_section_a0sq and cross_section_from, when S is computed.
void appendCrossSectionColumns(const Command& command, std::vector<Column>* columns);

// The cells of those columns for a row that used `s` (empty cells for no S).
void appendCrossSectionCells(const Command& command, const std::optional<TransportCrossSection>& s, Row* row);

} // namespace korvane::cli
