#include "lines/PhotoelectronLine.h"

#include "calc/ScreeningFunction.h"
#include "lines/BindingEnergy.h"

#include <sstream>

namespace korvane::lines {

Result<PhotoelectronLine> findLine(std::string_view text)
{
    std::istringstream words{std::string(text)};
    std::string element, levelName, extra;
    if (!(words >> element >> levelName) || (words >> extra))
        return Failed{"a line is an element and a level, such as \"Cu 2p3/2\" (got \"" + std::string(text) + "\")",
                      ErrorCode::InvalidInput};
    const int z = atomicNumberOf(element);
    if (z == 0)
        return Failed{"unknown element \"" + element + "\"", ErrorCode::NotFound};
    const std::optional<CoreLevel> level = findCoreLevel(levelName);
    if (!level)
        return Failed{"unknown level \"" + levelName
                          + "\" (levels are written 1s, 2s, 2p1/2, 2p3/2, ... 4f7/2, 5s ...,"
                            " or 2p, 3d, 4f for the stronger component)",
                      ErrorCode::NotFound};
    std::optional<PhotoelectronLine> line = lineOf(z, *level);
    if (!line)
        return Failed{"no binding energy is known for " + element + ' ' + std::string(level->name),
                      ErrorCode::NotFound};
    return std::move(*line);
}

std::optional<PhotoelectronLine> lineOf(int atomicNumber, const CoreLevel& level)
{
    if (atomicNumber < 1 || atomicNumber > kLastElement)
        return std::nullopt;
    const std::optional<double> binding = bindingEnergy(atomicNumber, level);
    if (!binding)
        return std::nullopt;
    return PhotoelectronLine{atomicNumber, std::string(elementSymbol(atomicNumber)), level, *binding};
}

std::vector<PhotoelectronLine> linesBelow(int atomicNumber, double photonEnergy)
{
    std::vector<PhotoelectronLine> lines;
    for (const CoreLevel& level : coreLevels()) {
        std::optional<PhotoelectronLine> line = lineOf(atomicNumber, level);
        if (line && line->bindingEnergy < photonEnergy)
            lines.push_back(std::move(*line));
    }
    return lines;
}

} // namespace korvane::lines
