#include "lookup/SampleQuantification.h"

#include "lines/PhotoelectronLine.h"
#include "lines/PhotoionisationCrossSection.h"
#include "lookup/MaterialImfp.h"

#include <sstream>

namespace korvane {

namespace {

// The level as written in a line's text: "2p" of "Cu 2p".
std::string levelAsWritten(const std::string& text)
{
    std::istringstream words(text);
    std::string element, level;
    words >> element >> level;
    return level;
}

ImfpOfEnergy imfpOf(const MaterialInputs& material, ImfpForm form)
{
    return [material, form](float energy) { return evaluateImfp(material, energy, form); };
}

} // namespace

Result<std::vector<QuantificationPeak>> findPeaks(const std::vector<RequestedPeak>& peaks, double photonEnergy,
                                                  const InputSpelling& spelling)
{
    std::vector<QuantificationPeak> found;
    for (const RequestedPeak& peak : peaks) {
        const Result<lines::PhotoelectronLine> line = lines::findLine(peak.line);
        if (!line)
            return Failed{spelling("peak") + " \"" + peak.line + "\": " + line.error(), line.code()};
        const std::optional<double> barns = line->bindingEnergy < photonEnergy
            ? lines::peakCrossSection(line->atomicNumber, levelAsWritten(peak.line), photonEnergy)
            : std::nullopt;
        found.push_back({.line = peak.line,
                         .element = line->element,
                         .bindingEnergy = line->bindingEnergy,
                         .photonEnergy = photonEnergy,
                         .crossSection = barns.value_or(0),
                         .sLevel = lines::isSLevel(line->level),
                         .asymmetry = peak.asymmetry,
                         .area = peak.area});
    }
    return found;
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
