#include "lookup/SampleQuantification.h"

#include "lines/QuantificationPeaks.h"
#include "lookup/MaterialImfp.h"

namespace korvane {

namespace {

ImfpOfEnergy imfpOf(const MaterialInputs& material, ImfpForm form)
{
    return [material, form](float energy) { return evaluateImfp(material, energy, form); };
}

} // namespace

Result<std::vector<QuantificationPeak>> findPeaks(const std::vector<RequestedPeak>& peaks, double photonEnergy,
                                                  const InputSpelling& spelling)
{
    return lines::quantificationPeaks(peaks, photonEnergy, spelling);
}

Result<std::vector<QuantificationRow>> quantifySample(const SampleQuantification& sample)
{
    Result<std::vector<QuantificationPeak>> peaks = findPeaks(sample.peaks, sample.photonEnergy, sample.spelling);
    if (!peaks)
        return peaks.failure();
    QuantificationInputs inputs{.matrixImfp = imfpOf(sample.matrix, sample.form),
                                .emissionAngle = sample.emissionAngle,
                                .sourceAngle = sample.sourceAngle,
                                .transmissionExponent = sample.transmissionExponent,
                                .peaks = std::move(*peaks)};
    if (sample.layer)
        inputs.overlayer = QuantificationOverlayer{imfpOf(*sample.layer, sample.form), sample.layerThickness};
    return quantify(inputs, sample.spelling);
}

} // namespace korvane
