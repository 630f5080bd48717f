#include "materials/ValenceGroups.h"

#include "calc/CheckedMath.h"
#include "materials/NumberText.h"

namespace korvane {

std::optional<float> ValenceGroups::total() const
{
    namespace ck = checked;
    try {
        auto value = [](const Group& group) -> double {
            return group.included ? ck::single(numbertext::leadingNumber(group.text)) : 0.0f;
        };
        const double hbe = value(spHbe);
        const double lbe = value(spLbe);
        const double dValue = value(d);
        const double fValue = value(f);
        return ck::single(((lbe + hbe) + dValue) + fValue);
    } catch (const ck::ArithmeticError&) {
        return std::nullopt;
    }
}

} // namespace korvane
