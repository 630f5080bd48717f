#include "query/ShownText.h"

#include "core/NumberText.h"

namespace korvane::shown {

std::string length(float angstrom)
{
    return numbers::fixed(angstrom, 2) + " \u00C5";
}

std::string factor(float value)
{
    return numbers::fixed(value, 3);
}

} // namespace korvane::shown
