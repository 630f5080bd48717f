#include "query/ValenceGroups.h"

#include "calc/CheckedMath.h"
#include "core/NumberText.h"

namespace korvane {

namespace {

constexpr std::string_view kBlanks = " \t\n\v\f\r";

} // namespace

bool ValenceTicks::tick(std::string_view name)
{
    bool* box = name == "hbe" ? &spHbe : name == "lbe" ? &spLbe : name == "d" ? &d : name == "f" ? &f : nullptr;
    if (box)
        *box = true;
    return box != nullptr;
}

std::vector<std::string> tickedGroupNames(const ValenceTicks& ticks)
{
    std::vector<std::string> names;
    for (const auto& [ticked, name] : {std::pair{ticks.spHbe, "hbe"}, {ticks.spLbe, "lbe"}, {ticks.d, "d"}, {ticks.f, "f"}})
        if (ticked)
            names.emplace_back(name);
    return names;
}

Result<ValenceTicks> readIncludedGroups(std::string_view text, std::string_view input)
{
    ValenceTicks ticks = kNoValenceTicks;
    if (text == "none")
        return ticks;
    for (;;) {
        const std::size_t comma = text.find(',');
        std::string_view group = text.substr(0, comma);
        const std::size_t first = group.find_first_not_of(kBlanks);
        group = first == std::string_view::npos ? std::string_view() : group.substr(first);
        group = group.substr(0, group.find_last_not_of(kBlanks) + 1);
        if (!ticks.tick(group))
            return Failed{"unknown valence group \"" + std::string(group) + "\" in " + std::string(input)
                              + " (choose from hbe, lbe, d, f, or none)",
                          ErrorCode::InvalidInput};
        if (comma == std::string_view::npos)
            return ticks;
        text.remove_prefix(comma + 1);
    }
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
