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

std::optional<float>* numericField(Material& material, Column column)
{
    return numericFieldOf<Material, std::optional<float>>(material, column);
}

const std::optional<float>* numericField(const Material& material, Column column)
{
    return numericFieldOf<const Material, const std::optional<float>>(material, column);
}

} // namespace korvane
