#pragma once

#include "web/PageQuery.h"
#include "web/PageTable.h"

// The page's layered sample: the signal of each layer of a stack over its
// substrate by the straight-line model, one row per energy, angle and layer
// with tpp2m stack's fields. The inputs are tpp2m's ("layer=SiO2:15&
// layer=C:5&substrate=Si&angle=0,70&energy=1000", or a line with its source
// or photons); the rows of the materials come from the script under
// "row.NAME." (web/PageMaterial.h). No layer and no substrate typed give no
// rows and no words.
namespace korvane::page {

PageTable pageStack(const PageQuery& query);

} // namespace korvane::page
