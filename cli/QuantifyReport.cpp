#include "cli/QuantifyReport.h"

#include "cli/RowWriter.h"
#include "lookup/SampleQuantification.h"

#include <array>
#include <cmath>

namespace korvane::cli {

namespace {

// The table's titles of the fields, in their order.
constexpr std::array<const char*, 14> kTitles = {
    "Line",     "Element", "Binding energy (eV)", "Energy (eV)", "Area", "\u03C3 (b)",
    "\u03B2",   "W",       "IMFP (\u00C5)",       "T",           "O",    "S",
    "Atomic %", "Error"};

std::vector<Column> quantifyColumns()
{
    std::vector<Column> columns;
    for (std::size_t i = 0; i < kTitles.size(); ++i) {
        const bool text = i < 2 || i + 1 == kTitles.size();
        columns.push_back(
            {quantificationFields()[i].data(), QString::fromUtf8(kTitles[i]), !text, i + 1 == kTitles.size()});
    }
    return columns;
}

// A factor as a Single with the table's decimals; empty where there is none.
Cell factor(double value, int decimals = -1)
{
    return std::isfinite(value) ? Cell::ofSingle(static_cast<float>(value), decimals) : Cell::empty();
}

Cell smallFactor(double value)
{
    return std::isfinite(value) ? Cell::ofSingleWithExponent(static_cast<float>(value)) : Cell::empty();
}

} // namespace

Result<void> writeQuantifyReport(const Command& command, const std::vector<MaterialInputs>& materials, std::FILE* out)
{
    SampleQuantification sample{.matrix = materials.front(),
                                .form = formsToCompute(command.forms).front(),
                                .photonEnergy = command.photonEnergy,
                                .emissionAngle = command.angle,
                                .sourceAngle = command.sourceAngle,
                                .transmissionExponent = command.transmissionExponent,
                                .peaks = command.peaks};
    if (materials.size() > 1) {
        sample.layer = materials[1];
        sample.layerThickness = command.layerThicknesses.front();
    }
    const Result<std::vector<QuantificationRow>> rows = quantifySample(sample);
    if (!rows)
        return Failed{rows.error(), ErrorCode::InvalidInput};
    const std::unique_ptr<RowWriter> writer = makeRowWriter(command.format, quantifyColumns(), out);
    for (const QuantificationRow& r : *rows) {
        const Row row = {Cell::ofText(QString::fromStdString(r.line)),
                         Cell::ofText(QString::fromStdString(r.element)),
                         factor(r.bindingEnergy),
                         Cell::ofSingle(r.kineticEnergy),
                         factor(r.area),
                         factor(r.crossSection, 0),
                         factor(r.asymmetry),
                         factor(r.angularFactor, 3),
                         factor(r.imfp, 2),
                         smallFactor(r.transmission),
                         factor(r.overlayerAttenuation, 3),
                         smallFactor(r.sensitivity),
                         factor(r.atomicPercent, 2),
                         r.error.empty() ? Cell::empty() : Cell::ofText(QString::fromStdString(r.error))};
        if (!writer->write(row))
            return *writer->failure();
    }
    return writer->finish();
}

} // namespace korvane::cli
