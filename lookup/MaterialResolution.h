#pragma once

#include "cli/CommandLine.h"
#include "cli/ExitStatus.h"
#include "cli/MaterialInputs.h"

#include <optional>
#include <vector>

namespace korvane::cli {

struct ResolvedMaterials {
    std::vector<MaterialInputs> materials; // in the order of the command line
    std::optional<Failure> failure;
};

// Where materials named by name, ID or formula are looked up, and which
// valence groups make up their Nv.
struct MaterialSource {
    QString databasePath;
    WhenMissing whenMissing = WhenMissing::Create;
    IncludedGroups groups;
};

// Looks up materials: names and IDs in the database, formulas through its
// element rows. Opens the database only when one is needed. tpp2m and the
// Python module ask the same, so each refusal has the same words.
ResolvedMaterials resolveMaterials(const std::vector<MaterialRef>& materials, const MaterialSource& source);

// The command's materials from the command's database.
ResolvedMaterials resolveMaterials(const Command& command);

} // namespace korvane::cli
