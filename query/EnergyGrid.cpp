#include "query/EnergyGrid.h"

#include "query/TypedNumber.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace korvane {

namespace {

Failed refused(std::string reason)
{
    return Failed{std::move(reason), ErrorCode::InvalidInput};
}

std::string moreThanMost(std::string_view input, double most)
{
    return std::string(input) + " gives more than " + std::to_string(std::int64_t(most)) + " energies";
}

// The input's name as the words write it: the option's by default.
std::string_view spelt(std::string_view input, EnergyGridKind kind)
{
    return !input.empty() ? input : kind == EnergyGridKind::Log ? "--log" : "--range";
}

} // namespace

std::string tooManyEnergies(double most)
{
    return "more than " + std::to_string(std::int64_t(most)) + " energies in one run";
}

Result<std::vector<float>> linearEnergies(double from, double to, double step, double most, std::string_view input)
{
    const std::string range(spelt(input, EnergyGridKind::Range));
    if (!(step > 0))
        return refused("the step of " + range + " must be above 0");
    if (to < from)
        return refused(range + " must run upwards (FROM is above TO)");
    // A tolerance of a millionth of a step keeps TO when rounding would drop it.
    const double steps = std::floor((to - from) / step + 1e-6);
    if (steps + 1 > most)
        return refused(moreThanMost(range, most));
    std::vector<float> energies;
    const auto count = static_cast<std::size_t>(steps) + 1;
    energies.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        energies.push_back(static_cast<float>(from + double(i) * step));
    return energies;
}

Result<std::vector<float>> logEnergies(double from, double to, double count, double most, std::string_view input)
{
    const std::string log(spelt(input, EnergyGridKind::Log));
    if (!(from > 0))
        return refused(log + " must start above 0 eV");
    if (!(to > from))
        return refused(log + " must run upwards (TO must be above FROM)");
    if (count < 2 || count != std::trunc(count))
        return refused("the COUNT of " + log + " must be a whole number of at least 2");
    if (count > most)
        return refused(moreThanMost(log, most));
    std::vector<float> energies;
    const auto n = static_cast<std::size_t>(count);
    energies.reserve(n);
    const double ratio = std::log(to / from);
    for (std::size_t i = 0; i + 1 < n; ++i)
        energies.push_back(static_cast<float>(from * std::exp(ratio * double(i) / double(n - 1))));
    energies.push_back(static_cast<float>(to));
    return energies;
}

Result<std::vector<float>> readEnergyGrid(EnergyGridKind kind, const std::string& text, double most,
                                          std::string_view input)
{
    const std::string option(spelt(input, kind));
    if (std::count(text.begin(), text.end(), ':') != 2)
        return refused(std::string(option) + " needs FROM:TO:" + (kind == EnergyGridKind::Log ? "COUNT" : "STEP")
                       + " (got \"" + text + "\")");
    double v[3];
    std::size_t start = 0;
    for (double& number : v) {
        const std::size_t colon = text.find(':', start);
        const Result<float> value = readTypedSingle(option, text.substr(start, colon - start));
        if (!value)
            return value.failure();
        number = *value;
        start = colon + 1;
    }
    return kind == EnergyGridKind::Log ? logEnergies(v[0], v[1], v[2], most, option)
                                       : linearEnergies(v[0], v[1], v[2], most, option);
}

} // namespace korvane
