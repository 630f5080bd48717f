#pragma once

#include <QString>

#include <vector>

namespace korvane::ui {

struct PlottedMaterial;

// Every point of the materials' curves as CSV, in the columns and with the
// text rules of tpp2m imfp --csv: per material its energies in turn, each in
// the non-relativistic and the relativistic form; the IMFP as the shortest
// text that reads back as the same Single. A point without an IMFP has no
// row, as it has no point.
QString curvesCsv(const std::vector<PlottedMaterial>& materials, const std::vector<float>& energies);

} // namespace korvane::ui
