#pragma once

#include <QString>

#include <vector>

namespace korvane::ui {

struct PlottedMaterial;

// Every point of the materials' curves as CSV, as tpp2m imfp --csv writes it
// (query/CurveCsv.h): per material its energies in turn, each in the
// non-relativistic and the relativistic form; a point without an IMFP has
// its row with the words for why.
QString curvesCsv(const std::vector<PlottedMaterial>& materials, const std::vector<float>& energies);

} // namespace korvane::ui
