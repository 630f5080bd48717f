#include "lines/QuantificationPeaks.h"

#include "lines/PhotoelectronLine.h"
#include "lines/PhotoionisationCrossSection.h"

#include <sstream>
#include <string>

namespace korvane::lines {

namespace {

// The level as written in a line's text: "2p" of "Cu 2p".
std::string levelAsWritten(const std::string& text)
{
    std::istringstream words(text);
    std::string element, level;
    words >> element >> level;
    return level;
}

} // namespace

Result<std::vector<QuantificationPeak>> quantificationPeaks(const std::vector<RequestedPeak>& peaks,
                                                            double photonEnergy, const InputSpelling& spelling)
{
    std::vector<QuantificationPeak> found;
    for (const RequestedPeak& peak : peaks) {
        const Result<PhotoelectronLine> line = findLine(peak.line);
        if (!line)
            return Failed{spelling("peak") + " \"" + peak.line + "\": " + line.error(), line.code()};
        const std::optional<double> barns = line->bindingEnergy < photonEnergy
            ? peakCrossSection(line->atomicNumber, levelAsWritten(peak.line), photonEnergy)
            : std::nullopt;
        found.push_back({.line = peak.line,
                         .element = line->element,
                         .bindingEnergy = line->bindingEnergy,
                         .photonEnergy = photonEnergy,
                         .crossSection = barns.value_or(0),
                         .sLevel = isSLevel(line->level),
                         .asymmetry = peak.asymmetry,
                         .area = peak.area});
    }
    return found;
}

} // namespace korvane::lines
