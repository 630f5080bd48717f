#include "materials/model/Material.h"

namespace korvane {

namespace {

template <typename M, typename R>
R* numericFieldOf(M& material, Column column)
{
    switch (column) {
    case Column::Density: return &material.density;
    case Column::AtomicWeight: return &material.atomicWeight;
    case Column::EnergyGap: return &material.energyGap;
    case Column::ValenceSpHbe: return &material.valenceSpHbe;
    case Column::ValenceSpLbe: return &material.valenceSpLbe;
    case Column::ValenceD: return &material.valenceD;
    case Column::ValenceF: return &material.valenceF;
    case Column::Id:
    case Column::Description:
    case Column::Name: break;
    }
    return nullptr;
}

} // namespace

qsizetype characterCount(const QString& text)
{
    qsizetype pairs = 0;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i].isHighSurrogate() && text[i + 1].isLowSurrogate()) {
            ++pairs;
            ++i;
        }
    }
    return text.size() - pairs;
}

bool hasLoneSurrogate(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return true;
    }
    return false;
}

std::optional<float>* numericField(Material& material, Column column)
{
    return numericFieldOf<Material, std::optional<float>>(material, column);
}

const std::optional<float>* numericField(const Material& material, Column column)
{
    return numericFieldOf<const Material, const std::optional<float>>(material, column);
}

} // namespace korvane
