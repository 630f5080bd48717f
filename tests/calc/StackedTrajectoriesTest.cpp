#include "calc/StackedTrajectories.h"

#include "calc/ElasticScattering.h"
#include "calc/ImfpCalculator.h"
#include "calc/StackedSignal.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvane {
namespace {

// An element's medium at 1000 eV, its elastic table kept by the caller.
struct Element {
    FormulaScattering elastic;
    ElasticAngleSampler sampler;
    ScatteringMedium medium;

    Element(int z, float density, float mass, float nv)
        : elastic(formulaScattering({{z, 1}}, 1000)), sampler(elastic.angles, elastic.dcs),
          medium{*imfp(ImfpForm::NonRelativistic, {density, nv, mass, 0, 1000}).length,
                 meanFreePath(density, mass, elastic.elastic), meanFreePath(density, mass, elastic.transport),
                 &sampler}
    {
    }
};

double sum(const std::vector<Estimate>& signals)
{
    double total = 0;
    for (const Estimate& s : signals)
        total += s.value;
    return total;
}

TEST(StackedTrajectories, WithoutElasticScatteringTheStraightLineAtZeroAndSixtyDegrees)
{
    const std::vector<StackLayer> layers = {{{20}, 10}, {{30}, 5}, {{25}, INFINITY}};
    for (const double angle : {0.0, 60.0}) {
        const SimulationSettings settings{.angle = angle, .electrons = 1000, .threads = 1};
        ASSERT_TRUE(checkStackInputs(layers, settings));
        const Result<std::vector<Estimate>> mc = simulateStack(layers, settings);
        ASSERT_TRUE(mc) << mc.error();
        const std::vector<double> sla = straightLineSignals(std::vector<double>{20, 30, 25}, std::vector<double>{10, 5}, angle);
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_NEAR((*mc)[k].value, sla[k], 1e-12 * sla[k]) << angle << " " << k;
            EXPECT_LE((*mc)[k].error, 1e-12 * sla[k]);
        }
    }
}

// Gold cut at 0.49 IMFP cos θ (a boundary of simulate's depth bins) and at
// twice that: the same trajectories as simulate's, layer by layer.
TEST(StackedTrajectories, OneMaterialCutIntoLayersGivesSimulatesProfileIntegrals)
{
    const Element gold(79, 19.3f, 196.97f, 11);
    const SimulationSettings settings{.angle = 40, .electrons = 20000, .seed = 7, .threads = 2};
    const Result<SimulationScores> whole = simulateTrajectories(gold.medium, settings);
    ASSERT_TRUE(whole);
    const double h = whole->binWidth;
    const std::vector<StackLayer> layers = {{gold.medium, 24.5 * h}, {gold.medium, 25 * h}, {gold.medium}};
    const Result<std::vector<Estimate>> cut = simulateStack(layers, settings);
    ASSERT_TRUE(cut) << cut.error();
    // The bins up to each interface, pooled over the batches.
    double above[2] = {0, 0}, total = 0;
    for (const BatchScores& b : whole->batches) {
        total += b.total;
        for (std::size_t i = 0; i < b.bins.size(); ++i)
            above[i < 25 ? 0 : 1] += i < 50 ? b.bins[i] : 0.0;
    }
    const double scale = whole->normalisation / double(settings.electrons);
    EXPECT_NEAR((*cut)[0].value, scale * above[0], 1e-9 * scale * total);
    EXPECT_NEAR((*cut)[1].value, scale * above[1], 1e-9 * scale * total);
    EXPECT_NEAR(sum(*cut), scale * total, 1e-9 * scale * total);
    EXPECT_GT((*cut)[0].error, 0);
    // The same bytes on any number of threads: tpp2m stack's test.
}

// A scattering layer lengthens the paths that cross it, so it lets less
// through than its IMFP says; a weakly scattering one lets nearly as much.
// Same substrate, overlayers of gold and carbon 5 Å thick: the substrate's
// signal against its straight line.
TEST(StackedTrajectories, GoldOverCarbonDimsTheCarbonMoreThanCarbonOverGoldDimsTheGold)
{
    const Element gold(79, 19.3f, 196.97f, 11), carbon(6, 2.26f, 12.011f, 4);
    const SimulationSettings settings{.angle = 0, .electrons = 40000, .threads = 2};
    const auto substrateShare = [&](const Element& top, const Element& bottom) {
        const std::vector<StackLayer> layers = {{top.medium, 5}, {bottom.medium}};
        const Result<std::vector<Estimate>> mc = simulateStack(layers, settings);
        const std::vector<double> sla =
            straightLineSignals(std::vector<double>{top.medium.imfp, bottom.medium.imfp}, std::vector<double>{5}, 0);
        return Estimate{(*mc)[1].value / sla[1], (*mc)[1].error / sla[1]};
    };
    const Estimate carbonUnderGold = substrateShare(gold, carbon), carbonUnderCarbon = substrateShare(carbon, carbon);
    const Estimate goldUnderCarbon = substrateShare(carbon, gold), goldUnderGold = substrateShare(gold, gold);
    EXPECT_LT(carbonUnderGold.value + 3 * carbonUnderGold.error, carbonUnderCarbon.value) << carbonUnderCarbon.value;
    EXPECT_GT(goldUnderCarbon.value - 3 * goldUnderCarbon.error, goldUnderGold.value) << goldUnderCarbon.value;
    // Both below the straight line: elastic scattering only lengthens paths.
    EXPECT_LT(carbonUnderGold.value, 1);
    EXPECT_LT(goldUnderCarbon.value, 1);
}

} // namespace
} // namespace korvane
