#include "query/PositiveInputs.h"

namespace korvane {

namespace {

const char* quantityName(PositiveInput input)
{
    switch (input) {
    case PositiveInput::CrossSection: return "the transport cross-section S";
    case PositiveInput::Density: return "the density";
    case PositiveInput::Mass: return "the atomic or molecular mass";
    case PositiveInput::ValenceElectrons: return "Nv";
    case PositiveInput::Imfp: return "the IMFP";
    case PositiveInput::TrMfp: return "the TrMFP";
    case PositiveInput::EffTrMfp: return "the EffTrMFP";
    }
    return "";
}

} // namespace

Result<void> checkAboveZero(PositiveInput input, double value)
{
    if (value <= 0)
        return Failed{std::string(quantityName(input)) + " must be above 0", ErrorCode::InvalidInput};
    return {};
}

Result<void> checkAllAboveZero(std::initializer_list<std::pair<PositiveInput, double>> values)
{
    for (const auto& [input, value] : values) {
        if (Result<void> above = checkAboveZero(input, value); !above)
            return above;
    }
    return {};
}

} // namespace korvane
