// The page's photoionisation cross-sections: those of the exported table in
// place of xraylib's, for lines/ as the browser build compiles it. The table
// holds the five named sources; other photons have none.
#include "lines/PhotoionisationCrossSection.h"
#include "query/XraySource.h"
#include "web/CrossSectionTable.h"

namespace korvane::lines {

std::optional<double> peakCrossSection(int atomicNumber, std::string_view levelName, double photonEnergy)
{
    // The table writes each level as a peak's is written: "2p3/2", or "2p" for the doublet.
    for (const XraySource& source : xraySources())
        if (source.photonEnergy == photonEnergy)
            return page::pageCrossSections().barns(atomicNumber, levelName, source.key);
    return std::nullopt;
}

} // namespace korvane::lines
