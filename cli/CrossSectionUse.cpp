#include "cli/CrossSectionUse.h"

#include "calc/SignalDepth.h"
#include "lookup/MaterialCrossSection.h"

namespace korvane::cli {

bool computesCrossSection(const Command& command)
{
    if (command.request.crossSection)
        return false;
    switch (command.kind) {
    case CommandKind::Cf2: return !command.effTrMfp && !command.imfp;
    case CommandKind::Depth: return !(command.request.angle > kMaxCorrectedAngle);
    default: return false;
    }
}

Result<TransportCrossSection> crossSectionUsed(const Command& command, const MaterialInputs& material, double energy)
{
    if (command.request.crossSection)
        return TransportCrossSection{*command.request.crossSection, QString()};
    return crossSectionOf(material, energy);
}

void appendCrossSectionColumns(const Command& command, std::vector<Column>* columns)
{
    if (!computesCrossSection(command))
        return;
    columns->push_back({"cross_section_a0sq", QStringLiteral("S (a0\u00B2)"), true});
    columns->push_back({"cross_section_from", QStringLiteral("S from")});
}

void appendCrossSectionCells(const Command& command, const std::optional<TransportCrossSection>& s, Row* row)
{
    if (!computesCrossSection(command))
        return;
    row->push_back(s ? Cell::ofSingle(static_cast<float>(s->a0Squared)) : Cell::empty());
    row->push_back(s && !s->source.isEmpty() ? Cell::ofText(s->source) : Cell::empty());
}

} // namespace korvane::cli
