#include "calc/AttenuatedOverlayer.h"
#include "calc/ElasticScattering.h"
#include "calc/SimulatedDepth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <stdexcept>

namespace {

using namespace korvane;

constexpr double kPi = 3.14159265358979323846;

SimulatedDepth simulate(const ScatteringMedium& medium, SimulationSettings settings)
{
    EXPECT_TRUE(checkSimulationInputs(medium, settings));
    return SimulatedDepth(*simulateTrajectories(medium, settings));
}

const ElasticAngleSampler& isotropic()
{
    static const ElasticAngleSampler sampler({0, kPi}, {1, 1});
    return sampler;
}

const FormulaScattering& gold()
{
    static const FormulaScattering au = formulaScattering({{79, 1}}, 1000);
    return au;
}

TEST(TrajectorySimulation, WithoutElasticScatteringTheStraightLineExponential)
{
    const double imfp = 20;
    for (const double angle : {0.0, 75.0}) {
        const double l = imfp * std::cos(angle * kPi / 180);
        const SimulatedDepth d = simulate({imfp}, {.angle = angle, .electrons = 1000});
        EXPECT_NEAR(d.total().value, l, 1e-9 * l);
        EXPECT_NEAR(d.meanEscapeDepth().value, l, 1e-9 * l);
        EXPECT_NEAR(d.informationDepth(0.95).value, -std::log(0.05) * l, 1e-9 * l);
        EXPECT_NEAR(d.attenuationLength(l).value, imfp, 1e-9 * imfp);
        EXPECT_NEAR(d.attenuationLength(3 * l).value, imfp, 1e-9 * imfp);
        EXPECT_TRUE(std::isnan(d.attenuationLength(0).value));
        EXPECT_LT(d.total().error, 1e-12 * l);
        for (const std::size_t i : {1u, 50u, 400u}) {
            const double z = static_cast<double>(i) * d.step();
            EXPECT_NEAR(d.phi(i).value / std::exp(-z / l), 1.0, 1e-12) << "at " << z << " Å, " << angle << "°";
            EXPECT_NEAR(d.correctionFactor(i).value, 1.0, 1e-12);
        }
        // Until phi is 1e-4 of the surface's: ln(1e4) / 0.02 steps.
        EXPECT_EQ(d.profileLength(), 460u);
        const std::vector<ProfileDepth> rows = d.profile();
        ASSERT_EQ(rows.size(), 460u);
        EXPECT_EQ(rows[399].depth, 400 * d.step());
        EXPECT_EQ(rows[399].phi.value, d.phi(400).value);
        EXPECT_EQ(rows[399].correctionFactor.error, d.correctionFactor(400).error);
        EXPECT_EQ(rows[399].attenuationLength, d.attenuationLength(rows[399].depth).value);
    }
}

// Chandrasekhar's H-function for isotropic scattering of albedo w, from
// 1/H(mu) = sqrt(1 - w) + (w/2) Int_0^1 mu' H(mu') / (mu + mu') dmu',
// iterated on the midpoints of 400 steps.
std::function<double(double)> chandrasekharH(double w)
{
    constexpr int n = 400;
    std::vector<double> nodes(n), h(n, 1.0);
    for (int i = 0; i < n; ++i)
        nodes[static_cast<std::size_t>(i)] = (i + 0.5) / n;
    const auto next = [nodes, w](const std::vector<double>& values, double m) {
        double sum = 0;
        for (std::size_t j = 0; j < nodes.size(); ++j)
            sum += nodes[j] * values[j] / (m + nodes[j]) / n;
        return 1 / (std::sqrt(1 - w) + w / 2 * sum);
    };
    for (int iteration = 0; iteration < 300; ++iteration) {
        std::vector<double> updated(n);
        for (std::size_t i = 0; i < nodes.size(); ++i)
            updated[i] = next(h, nodes[i]);
        h = updated;
    }
    return [next, h](double m) { return next(h, m); };
}

TEST(TrajectorySimulation, IsotropicScatteringGivesChandrasekharsEscape)
{
    // Its zeroth moment: Int_0^1 H = (2 / w)(1 - sqrt(1 - w)).
    const auto h = chandrasekharH(0.9);
    double moment = 0;
    for (int i = 0; i < 50; ++i)
        moment += h((i + 0.5) / 50) / 50;
    EXPECT_NEAR(moment, 2 / 0.9 * (1 - std::sqrt(0.1)), 1e-3);
    const double imfp = 10;
    for (const double w : {0.3, 0.7, 0.9}) {
        const auto hOfW = chandrasekharH(w);
        for (const double angle : {0.0, 60.0}) {
            const double mu = std::cos(angle * kPi / 180);
            const ScatteringMedium medium{imfp, imfp * (1 - w) / w, imfp * (1 - w) / w, &isotropic()};
            const SimulatedDepth d = simulate(medium, {.angle = angle, .electrons = 30000, .seed = 7});
            const Estimate ratio{d.total().value / (imfp * mu), d.total().error / (imfp * mu)};
            EXPECT_NEAR(ratio.value, std::sqrt(1 - w) * hOfW(mu), 4 * ratio.error)
                << "albedo " << w << ", " << angle << "°";
            EXPECT_LT(ratio.error, 0.01);
            EXPECT_NEAR(d.albedo(), w, 1e-12);
        }
    }
}

TEST(TrajectorySimulation, DeflectionsByGoldsCrossSectionCompoundAsMeanCosinePowers)
{
    const FormulaScattering& au = gold();
    const ElasticAngleSampler sampler(au.angles, au.dcs);
    const double meanCosine = 1 - au.transport / au.elastic;
    EXPECT_NEAR(sampler.meanCosine(), meanCosine, 1e-3);
    std::mt19937_64 random(3);
    std::uniform_real_distribution<double> uniform(0, 1);
    constexpr int kElectrons = 100000;
    const Direction start{std::sin(0.4), 0, std::cos(0.4)};
    for (int collisions = 1; collisions <= 3; ++collisions) {
        double sum = 0, squares = 0;
        for (int i = 0; i < kElectrons; ++i) {
            Direction d = start;
            for (int c = 0; c < collisions; ++c)
                d = deflected(d, sampler.cosine(uniform(random)), 2 * kPi * uniform(random));
            const double cosine = d[0] * start[0] + d[1] * start[1] + d[2] * start[2];
            sum += cosine;
            squares += cosine * cosine;
        }
        const double mean = sum / kElectrons;
        const double error = std::sqrt((squares / kElectrons - mean * mean) / kElectrons);
        EXPECT_NEAR(mean, std::pow(meanCosine, collisions), 4 * error) << collisions << " collisions";
    }
}

// Electrons started at depth, followed forward and counted when they leave
// within `cone` of the analyser axis: the whole signal, normalised as the
// reversed simulation's total.
Estimate forwardTotal(const ScatteringMedium& m, const SimulationSettings& s, double cone, int electrons)
{
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> uniform(0, 1);
    const double theta = s.angle * kPi / 180, alpha = (s.emission.sourceAngle - s.angle) * kPi / 180;
    const Direction analyser{std::sin(theta), 0, -std::cos(theta)};
    const Direction xRays{std::sin(alpha), 0, std::cos(alpha)};
    const double beta = s.emission.asymmetry;
    const double largestWeight = std::max(dipoleWeight(beta, 0), dipoleWeight(beta, 1));
    const double solidAngle = 2 * kPi * (1 - std::cos(cone * kPi / 180));
    double sum = 0, squares = 0;
    for (int i = 0; i < electrons; ++i) {
        // Depth from exp(-z / imfp), weighted back to a uniform source.
        const double z0 = -m.imfp * std::log1p(-uniform(random));
        const double depthWeight = m.imfp * std::exp(z0 / m.imfp);
        Direction d;
        do {
            const double c = 2 * uniform(random) - 1, phi = 2 * kPi * uniform(random);
            d = {std::sqrt(1 - c * c) * std::cos(phi), std::sqrt(1 - c * c) * std::sin(phi), c};
        } while (uniform(random) * largestWeight
                 > dipoleWeight(beta, d[0] * xRays[0] + d[1] * xRays[1] + d[2] * xRays[2]));
        double z = z0, path = 0, score = 0;
        while (path < 30 * m.imfp) {
            const double free = -m.elasticMfp * std::log1p(-uniform(random));
            if (d[2] < 0 && z + d[2] * free <= 0) {
                path += -z / d[2];
                const double toAnalyser = d[0] * analyser[0] + d[1] * analyser[1] + d[2] * analyser[2];
                if (toAnalyser >= std::cos(cone * kPi / 180))
                    score = depthWeight * std::exp(-path / m.imfp);
                break;
            }
            z += d[2] * free;
            path += free;
            d = deflected(d, m.angles->cosine(uniform(random)), 2 * kPi * uniform(random));
        }
        sum += score;
        squares += score * score;
    }
    const double scale = 4 * kPi / (solidAngle * dipoleWeight(beta, std::cos(s.emission.sourceAngle * kPi / 180)));
    const double mean = sum / electrons;
    return {scale * mean, scale * std::sqrt((squares / electrons - mean * mean) / electrons)};
}

TEST(TrajectorySimulation, ReversedDipoleEmissionAgreesWithForwardTrajectories)
{
    const ElasticAngleSampler sampler(gold().angles, gold().dcs);
    const ScatteringMedium medium{15, 6, 10, &sampler};
    const SimulationSettings settings{.angle = 0, .emission = {1.5, 30}, .electrons = 20000};
    const Estimate reversed = simulate(medium, settings).total();
    const Estimate forward = forwardTotal(medium, settings, 12, 100000);
    EXPECT_NEAR(forward.value, reversed.value, 4 * std::hypot(forward.error, reversed.error));
    // The anisotropy is seen: isotropic emission gives a different total.
    SimulationSettings isotropicSettings = settings;
    isotropicSettings.emission.asymmetry = 0;
    const Estimate plain = simulate(medium, isotropicSettings).total();
    EXPECT_GT(std::fabs(plain.value - reversed.value), 10 * std::hypot(plain.error, reversed.error));
}

TEST(TrajectorySimulation, SameBytesWhateverTheThreadsProgressAndCancel)
{
    const ElasticAngleSampler sampler(gold().angles, gold().dcs);
    const ScatteringMedium medium{15, 6, 10, &sampler};
    std::vector<double> progress;
    SimulationSettings settings{.angle = 70, .electrons = 5000, .seed = 5, .threads = 1};
    settings.progress = [&progress](double f) { progress.push_back(f); };
    const SimulationScores one = *simulateTrajectories(medium, settings);
    ASSERT_EQ(progress.size(), static_cast<std::size_t>(kSimulationBatches));
    EXPECT_EQ(progress.back(), 1.0);
    settings.threads = 3;
    settings.progress = nullptr;
    const SimulationScores three = *simulateTrajectories(medium, settings);
    ASSERT_EQ(one.batches.size(), three.batches.size());
    for (std::size_t b = 0; b < one.batches.size(); ++b) {
        EXPECT_EQ(std::memcmp(&one.batches[b].total, &three.batches[b].total, sizeof(double)), 0);
        EXPECT_EQ(one.batches[b].bins, three.batches[b].bins);
    }
    const SimulatedDepth a(one), b(three);
    EXPECT_EQ(a.informationDepth(0.95).value, b.informationDepth(0.95).value);
    settings.seed = 6;
    EXPECT_NE(SimulatedDepth(*simulateTrajectories(medium, settings)).total().value, a.total().value);

    std::atomic<bool> cancel{true};
    settings.cancel = &cancel;
    EXPECT_EQ(simulateTrajectories(medium, settings).error(), "the simulation was cancelled");

    // A thread that fails ends the run with why; the others stop and are joined.
    settings.cancel = nullptr;
    settings.progress = [](double done) {
        if (done > 0.1)
            throw std::bad_alloc();
    };
    const Result<SimulationScores> outOfMemory = simulateTrajectories(medium, settings);
    EXPECT_EQ(outOfMemory.error(), "the simulation ran out of memory");
    EXPECT_EQ(outOfMemory.code(), ErrorCode::OutOfRange);
    settings.progress = [](double) { throw std::runtime_error("no more"); };
    EXPECT_EQ(simulateTrajectories(medium, settings).error(), "the simulation failed: no more");
}

TEST(TrajectorySimulation, BinsBoundedWhateverTheAngleAndStepWithAProfileRefusedBeyond)
{
    const ElasticAngleSampler sampler(gold().angles, gold().dcs);
    const ScatteringMedium medium{15, 6, 10, &sampler};
    for (const auto& [angle, step] : {std::pair{89.9999, 0.02}, std::pair{0.0, 1e-300}}) {
        const SimulationScores scores =
            *simulateTrajectories(medium, {.angle = angle, .electrons = 1000, .step = step});
        // As fine as a million bins down to 28 IMFP allow.
        EXPECT_EQ(scores.binWidth, 28 * 15 / 1e6);
        EXPECT_EQ(scores.binCount, kMostProfileDepths + 1);
        for (const BatchScores& b : scores.batches)
            EXPECT_LE(b.bins.size(), scores.binCount);
        const SimulatedDepth depth(scores);
        EXPECT_LE(depth.profileLength(), kMostProfileDepths);
        EXPECT_GT(depth.informationDepth(0.95).value, 0) << angle << "°";
    }
    // The words at 0° and at 89.9999° are tpp2m simulate's test.
    EXPECT_TRUE(checkProfileStep(0, 2.8e-5));
    EXPECT_EQ(checkProfileStep(60, 5e-5).error(),
              "a profile has at most 1000000 depths, down to 28 IMFP: at this angle the step must be at least 5.6e-05");
    EXPECT_TRUE(checkProfileStep(89.9983, 1));
}

TEST(TrajectorySimulation, WhyAnInformationDepthOrItsErrorIsMissing)
{
    // Straight paths are binned down to a weight of 1e-12: P = 1 - 1e-13 lies deeper.
    const SimulatedDepth straight = simulate({20}, {.electrons = 1000});
    EXPECT_TRUE(straight.checkInformationDepth(0.95));
    EXPECT_TRUE(std::isnan(straight.informationDepth(1 - 1e-13).value));
    EXPECT_EQ(straight.checkInformationDepth(1 - 1e-13).error(),
              "the information depth at this probability lies below 28 IMFP, the deepest the simulation scores");
    // 20 electrons a batch: some batch has none so deep.
    const ElasticAngleSampler sampler(gold().angles, gold().dcs);
    const SimulatedDepth few = simulate({15, 6, 10, &sampler}, {.electrons = 1000});
    EXPECT_TRUE(std::isnan(few.informationDepth(0.999999).error));
    EXPECT_EQ(few.checkInformationDepth(0.999999).error(),
              "too few electrons reached the information depth at this "
              "probability to give its standard error: more electrons are needed");
}

TEST(TrajectorySimulation, OverlayerThicknessSolvedAgainWithTheLengthsAtTheThicknessFound)
{
    const Overlayer straight{30, 40, 45};
    // Lengths that do not change with d: the straight-line answer with them.
    const Result<double> fixed =
        attenuatedOverlayerThickness(straight, {[](double) { return 24.0; }, [](double) { return 32.0; }}, 2, 0.5);
    EXPECT_NEAR(*fixed, *overlayerThickness({24, 32, 45}, 2, 0.5), 1e-4);
    // Lengths that grow with d: the thickness found is the one its own lengths give.
    const auto own = [](double d) { return 20 + d / 10; };
    const auto crossing = [](double d) { return 30 + d / 10; };
    const Result<double> d = attenuatedOverlayerThickness(straight, {own, crossing}, 2, 0.5);
    EXPECT_NEAR(*d, *overlayerThickness({own(*d), crossing(*d), 45}, 2, 0.5), 1e-4);
    const Result<double> unknown =
        attenuatedOverlayerThickness(straight, {[](double) { return NAN; }, [](double) { return 30.0; }}, 2, 0.5);
    EXPECT_EQ(unknown.error(), "the attenuation length is not known at this thickness");
}

TEST(TrajectorySimulation, RefusedInput)
{
    const ScatteringMedium medium{15};
    EXPECT_FALSE(checkSimulationInputs(medium, {.angle = 90}));
    EXPECT_FALSE(checkSimulationInputs(medium, {.angle = -1}));
    EXPECT_FALSE(checkSimulationInputs(medium, {.emission = {2.5, 54.7}}));
    EXPECT_FALSE(checkSimulationInputs(medium, {.angle = 0, .emission = {1, 95}}));
    EXPECT_FALSE(checkSimulationInputs(medium, {.angle = 80, .emission = {1, -15}}));
    EXPECT_FALSE(checkSimulationInputs(medium, {.emission = {2, 0}}));
    EXPECT_FALSE(checkSimulationInputs(medium, {.electrons = 999}));
    EXPECT_FALSE(checkSimulationInputs({15, 5}, {}));
    EXPECT_TRUE(checkSimulationInputs(medium, {.angle = 80, .emission = {-1, 10}}));
}

} // namespace
