#include "query/Quantification.h"

#include "core/NumberText.h"

#include "calc/SignalDepth.h"
#include "query/KineticEnergy.h"

#include <array>
#include <cmath>
#include <limits>
#include <set>

namespace korvane {

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

constexpr std::array<std::string_view, 14> kFields = {"line",
                                                      "element",
                                                      "binding_energy_eV",
                                                      "kinetic_energy_eV",
                                                      "area",
                                                      "cross_section_b",
                                                      "asymmetry",
                                                      "angular_factor",
                                                      "imfp_A",
                                                      "transmission",
                                                      "overlayer_attenuation",
                                                      "sensitivity",
                                                      "atomic_percent",
                                                      "error"};

using numbers::sixDigits;

class Refusals {
public:
    explicit Refusals(const InputSpelling& spelling) : spelling_(spelling) {}

    // "--peak "Cu 2p3/2": " and the words.
    Failed about(const QuantificationPeak& peak, const std::string& words) const
    {
        return {spelling_("peak") + " \"" + peak.line + "\": " + words, ErrorCode::InvalidInput};
    }

    std::string spelt(std::string_view name) const { return spelling_(name); }

private:
    const InputSpelling& spelling_;
};

// The beta a peak is taken with, or why it has none.
Result<double> asymmetryOf(const QuantificationPeak& peak, double sourceAngle, const Refusals& refusals)
{
    if (peak.asymmetry) {
        if (!(*peak.asymmetry >= -1 && *peak.asymmetry <= 2))
            return Failed{refusals.spelt("beta") + " \"" + peak.line
                              + "\": the asymmetry parameter must be from -1 to 2",
                          ErrorCode::InvalidInput};
        return *peak.asymmetry;
    }
    if (peak.sLevel)
        return 2.0; // exact for an s level in the dipole limit
    if (std::fabs(sourceAngle - kMagicAngle) <= kMagicAngleTolerance)
        return kNaN; // W = 1 at the magic angle whatever beta is
    return refusals.about(peak,
                          "a level other than s needs its asymmetry parameter " + refusals.spelt("beta") + " \""
                              + peak.line + "=BETA\" away from the magic angle (" + refusals.spelt("source-angle") + " "
                              + sixDigits(sourceAngle) + ")");
}

// The row of a peak with every factor up to S, or the refusal of its inputs.
Result<QuantificationRow> factorsOf(const QuantificationPeak& peak, const QuantificationInputs& inputs,
                                    const Refusals& refusals)
{
    QuantificationRow row{.line = peak.line,
                          .element = peak.element,
                          .bindingEnergy = peak.bindingEnergy,
                          .area = peak.area,
                          .crossSection = peak.crossSection};
    if (!(peak.area > 0) || !std::isfinite(peak.area))
        return refusals.about(peak, "the area must be above 0 (got " + sixDigits(peak.area) + ")");
    const Result<double> kinetic = kineticEnergy(peak.bindingEnergy, peak.photonEnergy);
    if (!kinetic)
        return refusals.about(peak, kinetic.error());
    if (*kinetic < kLowestQuantifiedEnergy)
        return refusals.about(peak,
                              "its kinetic energy " + sixDigits(*kinetic) + " eV is below "
                                  + sixDigits(kLowestQuantifiedEnergy) + " eV");
    if (!(peak.crossSection > 0) || !std::isfinite(peak.crossSection))
        return refusals.about(peak, "no photoionisation cross-section is known at this photon energy");
    row.kineticEnergy = static_cast<float>(*kinetic);
    const Result<double> asymmetry = asymmetryOf(peak, inputs.sourceAngle, refusals);
    if (!asymmetry)
        return asymmetry.failure();
    row.asymmetry = *asymmetry;
    row.angularFactor = std::isnan(row.asymmetry) ? 1.0 : angularFactor(row.asymmetry, inputs.sourceAngle);
    if (!(row.angularFactor > 0))
        return refusals.about(peak,
                              "no photoelectrons leave towards the analyser (W = " + sixDigits(row.angularFactor)
                                  + " at " + refusals.spelt("source-angle") + " " + sixDigits(inputs.sourceAngle)
                                  + " with asymmetry " + sixDigits(row.asymmetry) + ")");
    row.transmission = std::pow(static_cast<double>(row.kineticEnergy), -inputs.transmissionExponent);
    return row;
}

// lambda, O and S of a row, or the words for an IMFP that has no value.
void attenuate(QuantificationRow& row, const QuantificationInputs& inputs)
{
    row.imfp = row.overlayerAttenuation = row.sensitivity = kNaN;
    const Result<float> imfp = inputs.matrixImfp(row.kineticEnergy);
    if (!imfp) {
        row.error = imfp.error();
        return;
    }
    row.imfp = *imfp;
    row.overlayerAttenuation = 1;
    if (inputs.overlayer) {
        const Result<float> layerImfp = inputs.overlayer->imfp(row.kineticEnergy);
        if (!layerImfp) {
            row.error = "the layer: " + layerImfp.error();
            return;
        }
        row.overlayerAttenuation =
            std::exp(-inputs.overlayer->thickness
                     / (static_cast<double>(*layerImfp) * std::cos(inputs.emissionAngle * kDegree)));
    }
    row.sensitivity = row.crossSection * row.angularFactor * row.imfp * row.transmission * row.overlayerAttenuation;
}

} // namespace

Result<void> checkQuantificationAngles(double emissionAngle, double sourceAngle, const InputSpelling& spelling)
{
    if (Result<void> emission = checkAngle(emissionAngle); !emission)
        return emission;
    if (!(sourceAngle >= 0 && sourceAngle <= 180))
        return Failed{spelling("source-angle") + " must be from 0 to 180 degrees", ErrorCode::InvalidInput};
    return {};
}

std::string noPeakToQuantify(const InputSpelling& spelling)
{
    return "no peak to quantify: give " + spelling("peak") + " \"LINE=AREA\"";
}

std::span<const std::string_view> quantificationFields()
{
    return kFields;
}

double angularFactor(double asymmetry, double sourceAngle)
{
    const double sine = std::sin(sourceAngle * kDegree);
    return 1 + asymmetry / 2 * (1.5 * sine * sine - 1);
}

Result<std::vector<QuantificationRow>> quantify(const QuantificationInputs& inputs, const InputSpelling& spelling)
{
    const Refusals refusals(spelling);
    if (inputs.peaks.empty())
        return Failed{noPeakToQuantify(spelling), ErrorCode::InvalidInput};
    if (Result<void> angles = checkQuantificationAngles(inputs.emissionAngle, inputs.sourceAngle, spelling); !angles)
        return angles.failure();
    std::vector<QuantificationRow> rows;
    std::set<std::string> elements;
    for (const QuantificationPeak& peak : inputs.peaks) {
        if (!elements.insert(peak.element).second)
            return refusals.about(peak, "a second peak of " + peak.element + ": give one peak per element");
        Result<QuantificationRow> row = factorsOf(peak, inputs, refusals);
        if (!row)
            return row.failure();
        rows.push_back(std::move(*row));
    }
    double sum = 0;
    for (QuantificationRow& row : rows) {
        attenuate(row, inputs);
        sum += row.area / row.sensitivity;
    }
    for (QuantificationRow& row : rows)
        row.atomicPercent = 100 * (row.area / row.sensitivity) / sum;
    return rows;
}

} // namespace korvane
