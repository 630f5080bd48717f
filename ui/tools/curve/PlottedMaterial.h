#pragma once

#include "calc/ImfpCalculator.h"
#include "chart/ImfpCurve.h"

#include <QString>

#include <optional>
#include <vector>

namespace korvane::ui {

// A material whose IMFP the curve window draws: its name, its ID when it
// is a saved row of the materials list, and the inputs of the formula (the
// energy of `inputs` is not used).
struct PlottedMaterial {
    QString name;
    std::optional<qint64> id;
    ImfpInputs inputs;
    int colour = 0;

    bool sameValues(const PlottedMaterial& other) const;
};

// One (energy, IMFP) point per energy at which the form gives an IMFP above 0.
std::vector<QPointF> imfpPoints(const PlottedMaterial& material, ImfpForm form, const std::vector<float>& energies);

// The non-relativistic and the relativistic curve of the material; the form
// that the main window computes, if given, is emphasised.
std::vector<chart::Curve> curvesOf(const PlottedMaterial& material, const std::vector<float>& energies,
                                   std::optional<ImfpForm> chosen);

} // namespace korvane::ui
