#include "query/FormulaSum.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace korvane {
namespace {

TEST(FormulaSum, SumsTheTermsAndNamesWhatStopsTheSum)
{
    // Nv of the s+p (lower) and d groups, and the atomic weight.
    const std::map<std::string, ElementValues> elements = {
        {"O", {6.0f, 15.999f}},
        {"H", {1.0f, 1.008f}},
        {"Ca", {2.0f, 40.078f}},
        {"Xe", {3e38f, 131.29f}},
        {"Og", {8.0f, std::nullopt}},
        {"Pm", {std::nullopt, 145.0f}},
    };
    const ElementValuesLookup lookup = [&elements](const std::string& symbol) -> std::optional<ElementValues> {
        const auto found = elements.find(symbol);
        return found == elements.end() ? std::nullopt : std::optional(found->second);
    };

    const Result<FormulaSum> sum = sumFormula("Ca(OH)2", lookup);
    ASSERT_TRUE(sum) << sum.error();
    EXPECT_EQ(sum->valenceElectrons, 16.0f);
    EXPECT_EQ(sum->mass, static_cast<float>(double(40.078f) + 2 * double(15.999f) + 2 * double(1.008f)));
    ASSERT_EQ(sum->terms.size(), 3u);
    EXPECT_EQ(sum->terms[1].symbol, "O");
    EXPECT_EQ(sum->terms[1].count, 2.0);

    const std::vector<std::tuple<std::string, ErrorCode, std::string>> stopped = {
        {"Ti(O", ErrorCode::InvalidInput, "\"(\" at position 3 of \"Ti(O\" is not closed"},
        {"TiN", ErrorCode::NotFound, "unknown element \"Ti\" in the formula \"TiN\""},
        {"OgO", ErrorCode::NotFound, "the element Og has no atomic weight in the database"},
        {"Pm2O3", ErrorCode::NotFound, "the element Pm has no usable valence electrons in the database"},
        {"Xe2", ErrorCode::OutOfRange, "the formula \"Xe2\" is too large"},
    };
    for (const auto& [formula, code, words] : stopped) {
        const Result<FormulaSum> stoppedSum = sumFormula(formula, lookup);
        EXPECT_EQ(stoppedSum.code(), code) << formula;
        EXPECT_EQ(stoppedSum.error(), words) << formula;
    }
}

} // namespace
} // namespace korvane
