#include "ui/tools/quantify/QuantificationCells.h"

#include "core/NumberText.h"
#include "core/TableWriter.h"
#include "presentation/LocaleNumberText.h"

#include <array>
#include <cmath>
#include <optional>

namespace korvane::ui {

namespace {

enum Field {
    Line, Element, BindingEnergy, KineticEnergy, Area, CrossSection, Asymmetry, AngularFactor,
    Imfp, Transmission, OverlayerAttenuation, Sensitivity, AtomicPercent, Error, FieldCount
};

// How a number field is written: the decimals the window shows (shortest
// where -1), and whether its full value takes an exponent (T and S span
// many decades).
struct NumberForm {
    int decimals = -1;
    bool exponent = false;
};

constexpr std::array<NumberForm, FieldCount> kForms = {{
    {}, {}, {}, {}, {}, {0}, {}, {3}, {2}, {-1, true}, {3}, {-1, true}, {2}, {},
}};

std::optional<double> numberOf(const QuantificationRow& row, int field)
{
    switch (field) {
    case BindingEnergy: return row.bindingEnergy;
    case KineticEnergy: return row.kineticEnergy;
    case Area: return row.area;
    case CrossSection: return row.crossSection;
    case Asymmetry: return row.asymmetry;
    case AngularFactor: return row.angularFactor;
    case Imfp: return row.imfp;
    case Transmission: return row.transmission;
    case OverlayerAttenuation: return row.overlayerAttenuation;
    case Sensitivity: return row.sensitivity;
    case AtomicPercent: return row.atomicPercent;
    default: return std::nullopt;
    }
}

const std::string& textOf(const QuantificationRow& row, int field)
{
    return field == Line ? row.line : field == Element ? row.element : row.error;
}

// The full value as tpp2m's CSV writes it: the Single the factor is held as.
std::string fullValue(float value, const NumberForm& form)
{
    return form.exponent ? numbers::shortest(value) : numbers::shortestFixed(value);
}

} // namespace

QStringList quantificationHeadings()
{
    return {QStringLiteral("Line"),
            QStringLiteral("Element"),
            QStringLiteral("Binding\nenergy (eV)"),
            QStringLiteral("Kinetic\nenergy (eV)"),
            QStringLiteral("Area"),
            QStringLiteral("\u03C3 (b)"),
            QStringLiteral("\u03B2"),
            QStringLiteral("W"),
            QStringLiteral("\u03BB (Å)"),
            QStringLiteral("T"),
            QStringLiteral("O"),
            QStringLiteral("S"),
            QStringLiteral("Atomic\npercent (%)"),
            QStringLiteral("Error")};
}

QString quantificationLegend()
{
    return QStringLiteral("S = \u03C3 W \u03BB T O: \u03C3 the photoionisation cross-section per atom (Scofield's; "
                          "both components of a doublet written without its spin-orbit part); W = 1 + (\u03B2/2)"
                          "((3/2) sin\u00B2\u03C8 \u2212 1) the angular factor, 1 for every \u03B2 at the magic "
                          "angle; \u03BB the IMFP in the matrix; T = E\u207B\u207F the transmission; "
                          "O = exp(\u2212d / (\u03BB\u2032 cos \u03B8)) the attenuation by a contamination layer "
                          "of thickness d and IMFP \u03BB\u2032. An element's atomic percent is its A/S over the "
                          "sum of every peak's.");
}

QString shownCell(const QuantificationRow& row, int field)
{
    const std::optional<double> number = numberOf(row, field);
    if (!number)
        return QString::fromStdString(textOf(row, field));
    if (!std::isfinite(*number))
        return {};
    const float value = static_cast<float>(*number);
    const NumberForm& form = kForms[field];
    return form.decimals >= 0 ? numbertext::fixed(value, form.decimals)
                              : numbertext::localised(fullValue(value, form));
}

std::string quantificationCsv(const std::vector<QuantificationRow>& rows)
{
    std::vector<TableColumn> columns;
    for (const std::string_view field : quantificationFields())
        columns.push_back({std::string(field)});
    TableWriter csv(TableFormat::Csv, std::move(columns));
    for (const QuantificationRow& row : rows) {
        for (int field = 0; field < FieldCount; ++field) {
            const std::optional<double> number = numberOf(row, field);
            if (!number) {
                const std::string& text = textOf(row, field);
                text.empty() ? csv.empty() : csv.text(text);
            } else if (std::isfinite(*number)) {
                csv.number(fullValue(static_cast<float>(*number), kForms[field]));
            } else {
                csv.empty();
            }
        }
        csv.endRow();
    }
    return csv.finishedText();
}

} // namespace korvane::ui
