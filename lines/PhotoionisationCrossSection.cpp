#include "lines/PhotoionisationCrossSection.h"

#include "lines/XrlError.h"

#include <xraylib.h>

namespace korvane::lines {

std::optional<double> photoionisationCrossSection(int atomicNumber, const CoreLevel& level, double photonEnergy)
{
    XrlError error;
    const double perGram = CS_Photo_Partial(atomicNumber, level.shell, photonEnergy / 1000, error.out());
    if (error.failed() || !(perGram > 0))
        return std::nullopt;
    const double weight = AtomicWeight(atomicNumber, error.out());
    if (error.failed() || !(weight > 0))
        return std::nullopt;
    // AVOGNUM is Avogadro's number in mol^-1 barn^-1 cm^2.
    return perGram * weight / AVOGNUM;
}

std::optional<double> peakCrossSection(int atomicNumber, std::string_view levelName, double photonEnergy)
{
    const std::optional<CoreLevel> level = findCoreLevel(levelName);
    if (!level)
        return std::nullopt;
    const std::optional<double> stronger = photoionisationCrossSection(atomicNumber, *level, photonEnergy);
    const std::optional<CoreLevel> weaker = weakerComponent(levelName);
    if (!stronger || !weaker)
        return stronger;
    const std::optional<double> weakerBarns = photoionisationCrossSection(atomicNumber, *weaker, photonEnergy);
    if (!weakerBarns)
        return std::nullopt;
    return *stronger + *weakerBarns;
}

} // namespace korvane::lines
