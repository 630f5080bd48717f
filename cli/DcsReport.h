#pragma once

#include "cli/ExitStatus.h"
#include "cli/MaterialResolution.h"

#include <cstdio>
#include <optional>

namespace korvane::cli {

// The angles of tpp2m dcs: 0 to 180° inclusive, denser at small angles.
inline constexpr std::size_t kDcsAngleCount = 601;

// tpp2m dcs: one row per material, energy and angle with the differential
// elastic cross-section of one formula unit in cm^2/sr.
std::optional<Failure> writeDcsReport(const Command& command, const std::vector<MaterialInputs>& materials,
                                      std::FILE* out);

} // namespace korvane::cli
