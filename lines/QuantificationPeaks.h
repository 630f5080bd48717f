#pragma once

#include "core/Result.h"
#include "query/Quantification.h"
#include "query/Request.h"
#include "query/RequestReader.h"

#include <vector>

namespace korvane::lines {

// Each requested peak's element, binding energy and cross-section at the
// photon energy (0 where none is known or the photons do not reach the
// level), with its area and beta; an unknown element or level is refused
// with the input's name: "--peak "Xx 1s": unknown element "Xx"".
Result<std::vector<QuantificationPeak>> quantificationPeaks(const std::vector<RequestedPeak>& peaks,
                                                            double photonEnergy, const InputSpelling& spelling);

} // namespace korvane::lines
