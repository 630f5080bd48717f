#include "lines/PhotoelectronLine.h"
#include "lines/PhotoionisationCrossSection.h"
#include "lookup/MaterialImfp.h"
#include "lookup/SampleQuantification.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

const MaterialInputs kCu2O{QStringLiteral("Cu2O"), std::nullopt, {6.0f, 143.09f, 2.1f, 24.0f}};

// The peaks take xraylib's binding energies and cross-sections (a doublet
// written without its spin-orbit part as both shells) and the matrix's IMFP
// as tpp2m imfp gives it; the layer attenuates with its own IMFP.
TEST(SampleQuantificationTest, TakesXraylibsLevelsAndTheImfpOfTheMatrix)
{
    const double alKa = 1486.6;
    const SampleQuantification sample{.matrix = kCu2O,
                                      .layer = MaterialInputs{QStringLiteral("C"), std::nullopt, {2.0f, 12.011f, 0, 4}},
                                      .layerThickness = 5,
                                      .form = ImfpForm::Relativistic,
                                      .photonEnergy = alKa,
                                      .emissionAngle = 20,
                                      .peaks = {{"Cu 2p", 1000, std::nullopt}, {"O 1s", 250, std::nullopt}}};
    const Result<std::vector<QuantificationRow>> rows = quantifySample(sample);
    ASSERT_TRUE(rows) << rows.error();
    const QuantificationRow& copper = (*rows)[0];
    const QuantificationRow& oxygen = (*rows)[1];
    EXPECT_EQ(copper.element, "Cu");
    EXPECT_EQ(copper.bindingEnergy, lines::findLine("Cu 2p3/2")->bindingEnergy);
    EXPECT_EQ(copper.kineticEnergy, static_cast<float>(alKa - copper.bindingEnergy));
    EXPECT_EQ(copper.crossSection,
              *lines::photoionisationCrossSection(29, *lines::findCoreLevel("2p3/2"), alKa)
                  + *lines::photoionisationCrossSection(29, *lines::findCoreLevel("2p1/2"), alKa));
    EXPECT_NEAR(oxygen.crossSection, 40000, 400);
    EXPECT_EQ(oxygen.imfp, *evaluateImfp(kCu2O, oxygen.kineticEnergy, ImfpForm::Relativistic));
    const double carbonImfp = *evaluateImfp(*sample.layer, oxygen.kineticEnergy, ImfpForm::Relativistic);
    EXPECT_DOUBLE_EQ(oxygen.overlayerAttenuation, std::exp(-5 / (carbonImfp * std::cos(20 * std::acos(-1.0) / 180))));
    EXPECT_NEAR(copper.atomicPercent + oxygen.atomicPercent, 100, 1e-12);

    SampleQuantification unknown = sample;
    unknown.peaks[1].line = "Xx 1s";
    EXPECT_EQ(quantifySample(unknown).error(), "--peak \"Xx 1s\": unknown element \"Xx\"");
    unknown.peaks = {{"Cu 1s", 1000, std::nullopt}, {"O 1s", 250, std::nullopt}};
    EXPECT_EQ(quantifySample(unknown).error(),
              "--peak \"Cu 1s\": its binding energy 8978.9 eV is not below the photon energy 1486.6 eV");
}

} // namespace
} // namespace korvane
