#include "query/PositiveInputs.h"

namespace korvane {

namespace {

const char* quantityName(PositiveInput input)
{
    switch (input) {
    case PositiveInput::CrossSection: return "the transport cross-section S";
    case PositiveInput::Density: return "the density";
    case PositiveInput::Mass: return "the atomic or molecular mass";
    case PositiveInput::Imfp: return "the IMFP";
    case PositiveInput::TrMfp: return "the TrMFP";
    case PositiveInput::EffTrMfp: return "the EffTrMFP";
    }
    return "";
}

} // namespace

std::string notAboveZero(PositiveInput input, double value)
{
    return value <= 0 ? std::string(quantityName(input)) + " must be above 0" : std::string();
}

std::string firstNotAboveZero(std::initializer_list<std::pair<PositiveInput, double>> values)
{
    for (const auto& [input, value] : values) {
        if (std::string refusal = notAboveZero(input, value); !refusal.empty())
            return refusal;
    }
    return {};
}

} // namespace korvane
