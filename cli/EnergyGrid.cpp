#include "cli/EnergyGrid.h"

#include <cmath>

namespace korvane::cli {

namespace {

EnergyGrid failed(const QString& error)
{
    return {{}, error};
}

} // namespace

EnergyGrid linearEnergies(double from, double to, double step)
{
    if (!(step > 0))
        return failed(QStringLiteral("the step of --range must be above 0"));
    if (to < from)
        return failed(QStringLiteral("--range must run upwards (FROM is above TO)"));
    // A tolerance of a millionth of a step keeps TO when rounding would drop it.
    const double steps = std::floor((to - from) / step + 1e-6);
    if (steps + 1 > kMaxEnergies)
        return failed(QStringLiteral("--range gives more than %1 energies").arg(kMaxEnergies, 0, 'f', 0));
    EnergyGrid grid;
    const auto count = static_cast<std::size_t>(steps) + 1;
    grid.energies.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        grid.energies.push_back(static_cast<float>(from + double(i) * step));
    return grid;
}

EnergyGrid logEnergies(double from, double to, double count)
{
    if (!(from > 0))
        return failed(QStringLiteral("--log must start above 0 eV"));
    if (!(to > from))
        return failed(QStringLiteral("--log must run upwards (TO must be above FROM)"));
    if (count < 2 || count != std::trunc(count))
        return failed(QStringLiteral("the COUNT of --log must be a whole number of at least 2"));
    if (count > kMaxEnergies)
        return failed(QStringLiteral("--log gives more than %1 energies").arg(kMaxEnergies, 0, 'f', 0));
    EnergyGrid grid;
    const auto n = static_cast<std::size_t>(count);
    grid.energies.reserve(n);
    const double ratio = std::log(to / from);
    for (std::size_t i = 0; i + 1 < n; ++i)
        grid.energies.push_back(static_cast<float>(from * std::exp(ratio * double(i) / double(n - 1))));
    grid.energies.push_back(static_cast<float>(to));
    return grid;
}

} // namespace korvane::cli
