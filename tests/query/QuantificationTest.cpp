#include "query/Quantification.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvane {
namespace {

// An IMFP that grows as E^0.75, as the TPP-2M formula does well above 200 eV.
Result<float> matrixImfp(float energy)
{
    return static_cast<float>(0.2 * std::pow(energy, 0.75));
}

Result<float> carbonImfp(float energy)
{
    return static_cast<float>(0.3 * std::pow(energy, 0.75));
}

// Cu 2p3/2, O 1s and C 1s at Al Kα with made-up cross-sections.
std::vector<QuantificationPeak> peaks()
{
    return {{"Cu 2p3/2", "Cu", 932.7, 1486.6, 14900, false, 1.37, 0},
            {"O 1s", "O", 543.1, 1486.6, 40000, true, std::nullopt, 0},
            {"C 1s", "C", 284.2, 1486.6, 13600, true, std::nullopt, 0}};
}

double percentOf(const Result<std::vector<QuantificationRow>>& rows, std::size_t i)
{
    return (*rows)[i].atomicPercent;
}

TEST(Quantification, GivesBackTheCompositionItsAreasWereMadeFrom)
{
    QuantificationInputs inputs{.matrixImfp = matrixImfp,
                                .overlayer = QuantificationOverlayer{carbonImfp, 7.5},
                                .emissionAngle = 30,
                                .sourceAngle = 70,
                                .transmissionExponent = 0.5,
                                .peaks = peaks()};
    const double composition[] = {0.45, 0.35, 0.20};
    const double cosTheta = std::cos(30 * std::acos(-1.0) / 180);
    const double sin2Psi = std::pow(std::sin(70 * std::acos(-1.0) / 180), 2);
    for (std::size_t i = 0; i < 3; ++i) {
        QuantificationPeak& peak = inputs.peaks[i];
        const float kinetic = static_cast<float>(peak.photonEnergy - peak.bindingEnergy);
        const double beta = peak.asymmetry.value_or(2);
        const double s = peak.crossSection * (1 + beta / 2 * (1.5 * sin2Psi - 1)) * *matrixImfp(kinetic)
            * std::pow(kinetic, -0.5) * std::exp(-7.5 / (*carbonImfp(kinetic) * cosTheta));
        peak.area = 1000 * composition[i] * s;
    }
    const Result<std::vector<QuantificationRow>> rows = quantify(inputs);
    ASSERT_TRUE(rows) << rows.error();
    ASSERT_EQ(rows->size(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_NEAR(percentOf(rows, i) / 100, composition[i], 1e-6) << (*rows)[i].line;
    const QuantificationRow& oxygen = (*rows)[1];
    EXPECT_EQ(oxygen.line, "O 1s");
    EXPECT_EQ(oxygen.kineticEnergy, 943.5f);
    EXPECT_EQ(oxygen.asymmetry, 2); // an s level's own
    EXPECT_NEAR(oxygen.angularFactor, 1 + 1.5 * sin2Psi - 1, 1e-15);
    EXPECT_NEAR(oxygen.transmission, 1 / std::sqrt(943.5), 1e-15);
    EXPECT_EQ(oxygen.error, "");
    EXPECT_EQ(quantificationFields().size(), 14u);
    EXPECT_EQ(quantificationFields()[13], "error");
}

TEST(Quantification, AngularFactorIsOneAtTheMagicAngleForEveryAsymmetry)
{
    EXPECT_NEAR(kMagicAngle, std::acos(1 / std::sqrt(3.0)) * 180 / std::acos(-1.0), 1e-13);
    for (const double beta : {-1.0, 0.0, 0.8, 1.37, 2.0})
        EXPECT_NEAR(angularFactor(beta, kMagicAngle), 1, 1e-15) << beta;
    EXPECT_DOUBLE_EQ(angularFactor(2, 90), 1.5);
    EXPECT_DOUBLE_EQ(angularFactor(2, 0), 0);
    // A level without beta is taken with W = 1 within 0.1° of the magic angle, 54.7 among them.
    std::vector<QuantificationPeak> given = peaks();
    given[0].asymmetry.reset();
    for (QuantificationPeak& peak : given)
        peak.area = 100;
    const Result<std::vector<QuantificationRow>> rows =
        quantify({.matrixImfp = matrixImfp, .sourceAngle = 54.7, .peaks = given});
    ASSERT_TRUE(rows) << rows.error();
    EXPECT_TRUE(std::isnan((*rows)[0].asymmetry));
    EXPECT_EQ((*rows)[0].angularFactor, 1);
    EXPECT_EQ((*rows)[1].asymmetry, 2);
    EXPECT_NEAR((*rows)[1].angularFactor, 1, 1e-3);
}

TEST(Quantification, OverlayerOfNoThicknessChangesNothingAndAThickOneFavoursTheFasterPeaks)
{
    std::vector<QuantificationPeak> given = peaks();
    for (QuantificationPeak& peak : given)
        peak.area = 100;
    const QuantificationInputs bare{.matrixImfp = matrixImfp, .peaks = given};
    QuantificationInputs covered = bare;
    covered.overlayer = QuantificationOverlayer{carbonImfp, 0};
    const Result<std::vector<QuantificationRow>> none = quantify(bare);
    const Result<std::vector<QuantificationRow>> zero = quantify(covered);
    covered.overlayer->thickness = 30;
    const Result<std::vector<QuantificationRow>> thick = quantify(covered);
    ASSERT_TRUE(none && zero && thick);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(percentOf(zero, i), percentOf(none, i));
        EXPECT_EQ((*zero)[i].overlayerAttenuation, 1);
    }
    // Equal areas: the slow Cu 2p3/2 electrons lose most in the layer, so
    // its fraction rises and the fast C 1s's falls.
    EXPECT_GT(percentOf(thick, 0), percentOf(none, 0));
    EXPECT_LT(percentOf(thick, 2), percentOf(none, 2));
    EXPECT_LT((*thick)[0].overlayerAttenuation, (*thick)[1].overlayerAttenuation);
}

TEST(Quantification, RefusesInOneLineAndNamesThePeak)
{
    const auto refusal = [](auto change) {
        std::vector<QuantificationPeak> given = peaks();
        for (QuantificationPeak& peak : given)
            peak.area = 100;
        QuantificationInputs inputs{.matrixImfp = matrixImfp, .peaks = given};
        change(inputs);
        const Result<std::vector<QuantificationRow>> rows = quantify(inputs);
        EXPECT_EQ(rows.code(), ErrorCode::InvalidInput);
        return rows.error();
    };
    EXPECT_EQ(refusal([](QuantificationInputs& in) { in.peaks.clear(); }),
              "no peak to quantify: give --peak \"LINE=AREA\"");
    EXPECT_EQ(refusal([](QuantificationInputs& in) { in.peaks[1].area = 0; }),
              "--peak \"O 1s\": the area must be above 0 (got 0)");
    EXPECT_EQ(refusal([](QuantificationInputs& in) { in.peaks[2].element = "O"; }),
              "--peak \"C 1s\": a second peak of O: give one peak per element");
    EXPECT_EQ(refusal([](QuantificationInputs& in) { in.peaks[0].bindingEnergy = 8979; }),
              "--peak \"Cu 2p3/2\": its binding energy 8979 eV is not below the photon energy 1486.6 eV");
    EXPECT_EQ(refusal([](QuantificationInputs& in) { in.peaks[0].bindingEnergy = 1440; }),
              "--peak \"Cu 2p3/2\": its kinetic energy 46.6 eV is below 50 eV");
    EXPECT_EQ(refusal([](QuantificationInputs& in) { in.peaks[0].asymmetry = 2.5; }),
              "--beta \"Cu 2p3/2\": the asymmetry parameter must be from -1 to 2");
    EXPECT_EQ(refusal([](QuantificationInputs& in) {
                  in.peaks[0].asymmetry.reset();
                  in.sourceAngle = 54.6;
              }),
              "--peak \"Cu 2p3/2\": a level other than s needs its asymmetry parameter --beta \"Cu 2p3/2=BETA\" "
              "away from the magic angle (--source-angle 54.6)");
    EXPECT_EQ(refusal([](QuantificationInputs& in) { in.emissionAngle = 90; }),
              "the angle must be at least 0\u00B0 and below 90\u00B0");
    EXPECT_EQ(refusal([](QuantificationInputs& in) { in.sourceAngle = -1; }),
              "--source-angle must be from 0 to 180 degrees");
    EXPECT_EQ(refusal([](QuantificationInputs& in) { in.sourceAngle = 0; }),
              "--peak \"O 1s\": no photoelectrons leave towards the analyser (W = 0 at --source-angle 0 with "
              "asymmetry 2)");
}

TEST(Quantification, PeakWithoutImfpTakesEveryFractionAway)
{
    std::vector<QuantificationPeak> given = peaks();
    for (QuantificationPeak& peak : given)
        peak.area = 100;
    const auto imfp = [](float energy) -> Result<float> {
        if (energy > 1200)
            return Failed{"the formula gives no physical IMFP for these values", ErrorCode::NoPhysicalValue};
        return matrixImfp(energy);
    };
    const Result<std::vector<QuantificationRow>> rows = quantify({.matrixImfp = imfp, .peaks = given});
    ASSERT_TRUE(rows) << rows.error();
    EXPECT_EQ((*rows)[2].error, "the formula gives no physical IMFP for these values");
    EXPECT_EQ((*rows)[0].error, "");
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_TRUE(std::isnan(percentOf(rows, i)));
}

} // namespace
} // namespace korvane
