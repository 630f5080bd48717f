#include "materials/ValenceGroups.h"

#include "calc/CheckedMath.h"
#include "materials/NumberText.h"

namespace korvane {

QString ValenceGroups::groupText(float value, const QLocale& locale)
{
    return numbertext::fixed(value, 1, locale);
}

ValenceGroups ValenceGroups::shownFor(const Material& material, bool spHbe, bool spLbe, bool d, bool f)
{
    auto shown = [](const std::optional<float>& value) { return value ? groupText(*value, QLocale::c()) : QString(); };
    return {{shown(material.valenceSpHbe), spHbe},
            {shown(material.valenceSpLbe), spLbe},
            {shown(material.valenceD), d},
            {shown(material.valenceF), f}};
}

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
