#include "query/MaterialNotFound.h"

namespace korvane {

std::string noMaterial(const std::string& typed, const std::string& database, const std::string& otherCase)
{
    std::string words = "no material \"" + typed + "\" in " + database;
    if (!otherCase.empty())
        words += " (did you mean \"" + otherCase + "\"?)";
    return words;
}

} // namespace korvane
