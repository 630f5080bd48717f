#include "query/TypedNumberWords.h"

namespace korvane {

std::string notANumber(const std::string& input, const std::string& text)
{
    return input + ": \"" + text + "\" is not a number";
}

std::string outOfRange(const std::string& input, const std::string& text)
{
    return input + ": \"" + text + "\" is out of range";
}

} // namespace korvane
