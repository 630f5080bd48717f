#pragma once

#include <QString>

#include <optional>

namespace korvane {

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

} // namespace korvane
