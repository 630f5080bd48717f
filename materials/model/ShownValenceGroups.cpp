#include "materials/model/ShownValenceGroups.h"

#include "presentation/LocaleNumberText.h"
#include "query/ValenceGroups.h"

namespace korvane {

QString ShownValenceGroups::groupText(float value, const QLocale& locale)
{
    return numbertext::localised(valenceGroupText(value), locale);
}

ShownValenceGroups ShownValenceGroups::shownFor(const Material& material, bool spHbe, bool spLbe, bool d, bool f)
{
    auto shown = [](const std::optional<float>& value) { return value ? groupText(*value, QLocale::c()) : QString(); };
    return {{shown(material.valenceSpHbe), spHbe},
            {shown(material.valenceSpLbe), spLbe},
            {shown(material.valenceD), d},
            {shown(material.valenceF), f}};
}

std::optional<float> ShownValenceGroups::total() const
{
    return valenceTotal({spHbe.text.toStdString(), spLbe.text.toStdString(), d.text.toStdString(), f.text.toStdString()},
                        {spHbe.included, spLbe.included, d.included, f.included});
}

} // namespace korvane
