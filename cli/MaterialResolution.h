#pragma once

#include "cli/CommandLine.h"
#include "cli/ExitStatus.h"

#include <optional>
#include <vector>

namespace korvane::cli {

// The inputs of the TPP-2M formula for one material, each as far as it is
// known: a database row may leave a column empty.
struct MaterialInputs {
    QString name;
    std::optional<qint64> id; // for a database row
    std::optional<float> density;
    std::optional<float> mass;
    std::optional<float> bandGap;
    std::optional<float> valenceElectrons;
};

struct ResolvedMaterials {
    std::vector<MaterialInputs> materials; // in the order of the command line
    std::optional<Failure> failure;
};

// Looks up the command's materials: names and IDs in the database, formulas
// through its element rows. Opens the database only when one is needed.
ResolvedMaterials resolveMaterials(const Command& command);

} // namespace korvane::cli
