#pragma once

#include "chart/ImfpCurve.h"
#include "cli/CommandLine.h"
#include "lookup/MaterialInputs.h"

#include <QStringList>

#include <vector>

namespace korvane::cli {

using chart::Curve;

struct ImfpCurves {
    std::vector<Curve> curves; // one per material and form
    QStringList notes;         // the points that a log-log plot cannot show
};

// The IMFP against energy for each material and form. A point whose IMFP
// fails, or that is not above 0 on either axis, is left out with a note.
ImfpCurves imfpCurves(const Command& command, const std::vector<MaterialInputs>& materials);

} // namespace korvane::cli
