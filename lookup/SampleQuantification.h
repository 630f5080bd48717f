#pragma once

// Takes: a resolved matrix and, optionally, a contamination layer over it
// with its thickness, the form of the formula, the photon energy, the
// geometry, the transmission exponent and the peaks as typed with their areas.
// Gives: the peaks as xraylib knows them (element, binding energy, the
// cross-section of the peak as written), and the quantification's rows with
// the IMFPs exactly as tpp2m imfp gives them; or the first refusal in one
// line, naming the peak as tpp2m's --peak.

#include "calc/ImfpCalculator.h"
#include "core/Result.h"
#include "lookup/MaterialInputs.h"
#include "query/Quantification.h"
#include "query/Request.h"

#include <optional>
#include <vector>

namespace korvane {

struct SampleQuantification {
    MaterialInputs matrix;
    std::optional<MaterialInputs> layer = std::nullopt;
    float layerThickness = 0; // Å
    ImfpForm form = ImfpForm::NonRelativistic;
    double photonEnergy = 0;          // eV
    double emissionAngle = 0;         // degrees from the surface normal
    double sourceAngle = kMagicAngle; // degrees between the source and the analyser
    double transmissionExponent = 0;
    std::vector<RequestedPeak> peaks;
    InputSpelling spelling = optionSpelling; // how the refusals name the inputs
};

// Each peak's element, binding energy and cross-section at the photon
// energy (0 where xraylib has none), with its area and beta; an unknown
// element or level is refused: "--peak "Xx 1s": unknown element "Xx"".
Result<std::vector<QuantificationPeak>> findPeaks(const std::vector<RequestedPeak>& peaks, double photonEnergy,
                                                  const InputSpelling& spelling = optionSpelling);

Result<std::vector<QuantificationRow>> quantifySample(const SampleQuantification& sample);

} // namespace korvane
