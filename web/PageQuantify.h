#pragma once

#include "web/PageQuery.h"
#include "web/PageTable.h"

// The page's quantification: the atomic percent of the element of each peak
// of a homogeneous sample, with every factor of its sensitivity, one row per
// peak with tpp2m quantify's fields. The inputs are tpp2m's
// ("material=Cu2O&source=AlKa&peak=Cu 2p3/2=1000&peak=O 1s=250", beta=,
// angle=, source-angle=, transmission-exponent=, layer=C:10); the
// cross-sections are the exported table's, for the five named sources. The
// matrix's row comes from the script as "material." (a formula's elements as
// "element.X."), the layer's as "row.NAME.". No material and no peak typed
// give no rows and no words.
namespace korvane::page {

PageTable pageQuantification(const PageQuery& query);

} // namespace korvane::page
