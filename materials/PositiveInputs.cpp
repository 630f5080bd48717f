#include "materials/PositiveInputs.h"

namespace korvane {

namespace {

QString quantityName(PositiveInput input)
{
    switch (input) {
    case PositiveInput::CrossSection: return QStringLiteral("the transport cross-section S");
    case PositiveInput::Density: return QStringLiteral("the density");
    case PositiveInput::Mass: return QStringLiteral("the atomic or molecular mass");
    case PositiveInput::Imfp: return QStringLiteral("the IMFP");
    case PositiveInput::TrMfp: return QStringLiteral("the TrMFP");
    case PositiveInput::EffTrMfp: return QStringLiteral("the EffTrMFP");
    }
    return {};
}

} // namespace

QString notAboveZero(PositiveInput input, double value)
{
    return value <= 0 ? quantityName(input) + QStringLiteral(" must be above 0") : QString();
}

QString firstNotAboveZero(std::initializer_list<std::pair<PositiveInput, double>> values)
{
    for (const auto& [input, value] : values) {
        if (QString refusal = notAboveZero(input, value); !refusal.isEmpty())
            return refusal;
    }
    return {};
}

} // namespace korvane
