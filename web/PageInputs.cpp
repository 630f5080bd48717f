#include "web/PageInputs.h"

#include <map>

namespace korvane::page {

std::string pageSpelling(std::string_view name)
{
    static const std::map<std::string_view, std::string> labels = {
        {"material", "name or ID"},
        {"gap", "band gap"},
        {"nv", "Nv"},
        {"include", "valence groups"},
        {"cross-section", "transport cross-section S"},
        {"probability", "probability P"},
        {"line", "core level"},
        {"photon-energy", "photon energy"},
        {"relativistic", "form"},
        {"log", "log energies"},
        {"range", "energies"},
        {"source-angle", "source angle"},
        {"transmission-exponent", "transmission exponent"},
    };
    const auto found = labels.find(name);
    return found != labels.end() ? found->second : std::string(name); // "density", "energy", ...
}

bool isRepeatedInput(std::string_view name)
{
    return name == "layer" || name == "peak" || name == "beta";
}

NamedTexts pageInputs(const PageQuery& query, std::initializer_list<const char*> names)
{
    NamedTexts inputs;
    for (const char* name : names) {
        if (isRepeatedInput(name)) {
            for (std::string& text : query.values(name))
                if (text.find_first_not_of(" \t") != std::string::npos)
                    inputs.push_back({name, std::move(text)});
            continue;
        }
        std::optional<std::string> text = query.typed(name);
        if (!text)
            continue;
        if (std::string_view(name) == "relativistic" && *text == "yes")
            text->clear(); // the relativistic form, as tpp2m's option alone asks for it
        inputs.push_back({name, std::move(*text)});
    }
    return inputs;
}

Result<Request> readPageRequest(const PageQuery& query, std::initializer_list<const char*> names,
                                const RequestUse& use)
{
    return readRequest(pageInputs(query, names), use, pageSpelling);
}

} // namespace korvane::page
