#include "web/PageMaterial.h"

#include "web/PageNumbers.h"

namespace korvane::page {

namespace {

std::optional<float> heldValue(const PageQuery& query, const std::string& name)
{
    const std::optional<std::string> text = query.typed(name);
    return text ? readSingle(*text) : std::nullopt;
}

// The likely cause when the formula gives no value, in the order a user checks.
std::string failureCause(const ImfpInputs& in)
{
    if (!(in.energy > 0))
        return "energy must be above 0 eV";
    if (in.valenceElectrons == 0)
        return "Nv is 0";
    if (in.mass == 0)
        return "mass is 0";
    if (!(in.density > 0))
        return "density must be above 0";
    return "the TPP-2M formula fails for these values";
}

} // namespace

std::optional<MaterialValues> readMaterial(const PageQuery& query, const std::string& name,
                                           std::vector<std::string>* errors)
{
    if (const std::optional<std::string> typedName = query.typed(name)) {
        if (query.value(name + ".found") != "1") {
            errors->push_back("no material \"" + *typedName + "\" in "
                              + query.value("database").value_or("the database"));
            return std::nullopt;
        }
        MaterialValues m{heldValue(query, name + ".density"), {}, heldValue(query, name + ".mass"),
                         heldValue(query, name + ".gap")};
        float nv = 0;
        for (const char* group : {".lbe", ".d", ".f"})
            nv += heldValue(query, name + group).value_or(0);
        m.valenceElectrons = nv;
        return m;
    }
    const MaterialValues typed{heldValue(query, "density"), heldValue(query, "nv"), heldValue(query, "mass"),
                               heldValue(query, "gap")};
    if (!typed.density && !typed.valenceElectrons && !typed.mass && !typed.bandGap)
        return std::nullopt;
    return typed;
}

ImfpOutcome evaluateImfp(const MaterialValues& material, float energy, ImfpForm form)
{
    const std::pair<const std::optional<float>&, const char*> needed[] = {
        {material.density, "density"},
        {material.valenceElectrons, "Nv"},
        {material.mass, "atomic weight"},
        {material.bandGap, "energy gap"},
    };
    for (const auto& [value, what] : needed) {
        if (!value)
            return {std::nullopt, std::string("no ") + what + " in the database"};
    }
    const ImfpInputs inputs{*material.density, *material.valenceElectrons, *material.mass, *material.bandGap, energy};
    const ImfpResult result = imfp(form, inputs);
    if (result.length)
        return {result.length, {}};
    if (result.failure == ImfpFailure::NotPhysical)
        return {std::nullopt, kNoPhysicalImfp};
    return {std::nullopt, failureCause(inputs)};
}

} // namespace korvane::page
