#include "query/ImfpEvaluation.h"
#include "query/ShownText.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

const MaterialValues kCopper{8.96f, 63.546f, 0.0f, 11.0f};

TEST(ImfpEvaluation, GivesTheWindowsNumberForAMaterial)
{
    const Result<float> imfp = evaluateImfp(kCopper, 1000, ImfpForm::NonRelativistic);
    ASSERT_TRUE(imfp) << imfp.error();
    EXPECT_EQ(shown::length(*imfp), "15.45 \u00C5");
    EXPECT_EQ(*imfp, *korvane::imfp(ImfpForm::NonRelativistic, {8.96f, 11.0f, 63.546f, 0.0f, 1000}).length);
}

// Each failure in the words tpp2m and the Python module print, with its kind.
TEST(ImfpEvaluation, WordsEachFailureOnce)
{
    const std::pair<MaterialValues, const char*> missing[] = {
        {{std::nullopt, 63.546f, 0.0f, 11.0f}, "no density in the database"},
        {{8.96f, 63.546f, 0.0f, std::nullopt}, "no Nv in the database"},
        {{8.96f, std::nullopt, 0.0f, 11.0f}, "no atomic weight in the database"},
        {{8.96f, 63.546f, std::nullopt, 11.0f}, "no energy gap in the database"},
        {{std::nullopt, std::nullopt, std::nullopt, std::nullopt}, "no density in the database"},
    };
    for (const auto& [material, words] : missing) {
        const Result<float> imfp = evaluateImfp(material, 1000, ImfpForm::Relativistic);
        EXPECT_EQ(imfp.error(), words);
        EXPECT_EQ(imfp.code(), ErrorCode::NotFound) << words;
    }
    // Density, Nv, mass, gap, energy.
    const std::tuple<ImfpInputs, const char*, ErrorCode> failing[] = {
        {{8.96f, 11, 63.546f, 0, 0}, "energy must be above 0 eV", ErrorCode::InvalidInput},
        {{8.96f, 0, 63.546f, 0, 1000}, "Nv is 0", ErrorCode::InvalidInput},
        {{8.96f, 11, 0, 0, 1000}, "mass is 0", ErrorCode::InvalidInput},
        {{-8.96f, 11, 63.546f, 0, 1000}, "density must be above 0", ErrorCode::InvalidInput},
        {{8.96f, 11, -63.546f, 0, 1000}, "the TPP-2M formula fails for these values", ErrorCode::NoPhysicalValue},
        {{0.125f, 2, 4.002602f, 22, 1000}, "the formula gives no physical IMFP for these values",
         ErrorCode::NoPhysicalValue},
    };
    for (const auto& [inputs, words, code] : failing) {
        for (const ImfpForm form : {ImfpForm::NonRelativistic, ImfpForm::Relativistic}) {
            const Result<float> imfp = evaluateImfp(inputs, form);
            EXPECT_EQ(imfp.error(), words);
            EXPECT_EQ(imfp.code(), code) << words;
        }
    }
}

} // namespace
} // namespace korvane
