#pragma once

#include "query/ImfpEvaluation.h"

#include <QString>

#include <optional>

namespace korvane {

// A material resolved for the formulas: its name, its ID when it is a
// database row, and its values of the TPP-2M formula, each as far as it is
// known (a database row may leave a column empty).
struct MaterialInputs {
    QString name;
    std::optional<qint64> id; // for a database row
    MaterialValues values;
};

} // namespace korvane
