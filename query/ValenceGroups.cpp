#include "query/ValenceGroups.h"

#include "calc/CheckedMath.h"
#include "core/NumberText.h"

namespace korvane {

bool ValenceTicks::tick(std::string_view name)
{
    bool* box = name == "hbe" ? &spHbe : name == "lbe" ? &spLbe : name == "d" ? &d : name == "f" ? &f : nullptr;
    if (box)
        *box = true;
    return box != nullptr;
}

std::optional<float> valenceTotal(const ValenceGroupTexts& groups, const ValenceTicks& ticks)
{
    namespace ck = checked;
    try {
        auto value = [](const std::string& text, bool ticked) -> double {
            return ticked ? ck::single(numbers::leadingNumber(text)) : 0.0f;
        };
        const double hbe = value(groups.spHbe, ticks.spHbe);
        const double lbe = value(groups.spLbe, ticks.spLbe);
        const double dValue = value(groups.d, ticks.d);
        const double fValue = value(groups.f, ticks.f);
        return ck::single(((lbe + hbe) + dValue) + fValue);
    } catch (const ck::ArithmeticError&) {
        return std::nullopt;
    }
}

std::string valenceGroupText(float value)
{
    return numbers::fixed(value, 1);
}

} // namespace korvane
