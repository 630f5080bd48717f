#include "query/ChemicalFormula.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvane {
namespace {

std::vector<ElementCount> elements(const std::string& text)
{
    const Result<std::vector<ElementCount>> formula = parseChemicalFormula(text);
    EXPECT_TRUE(formula) << text << ": " << formula.error();
    return formula ? *formula : std::vector<ElementCount>{};
}

TEST(ChemicalFormula, CountsEachElementOnceInTheOrderOfFirstAppearance)
{
    using E = std::vector<ElementCount>;
    EXPECT_EQ(elements("SiO2"), (E{{"Si", 1}, {"O", 2}}));
    EXPECT_EQ(elements("C22H10N2O5"), (E{{"C", 22}, {"H", 10}, {"N", 2}, {"O", 5}}));
    EXPECT_EQ(elements("Mg3(Si2(OH)2)2"), (E{{"Mg", 3}, {"Si", 4}, {"O", 4}, {"H", 4}}));
    EXPECT_EQ(elements("TiO1.9"), (E{{"Ti", 1}, {"O", 1.9}}));
    // Symbols are read as written; the table decides whether they are elements.
    EXPECT_EQ(elements("SiOx"), (E{{"Si", 1}, {"Ox", 1}}));
}

TEST(ChemicalFormula, AnErrorNamesTheOffendingTextAndNothingIsKept)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "the formula is empty"},
        {"2SiO", "unexpected \"2\" at position 1 of \"2SiO\""},
        {"Siiii", "unexpected \"i\" at position 4 of \"Siiii\""},
        {"Si(O2", "\"(\" at position 3 of \"Si(O2\" is not closed"},
        {"SiO)2", "\")\" at position 4 of \"SiO)2\" has no matching \"(\""},
        {"Ca()2", "empty parentheses at position 3 of \"Ca()2\""},
        {"Si0O2", "the count \"0\" at position 3 of \"Si0O2\" is not above 0"},
        {"SiO2.", "unexpected \".\" at position 5 of \"SiO2.\""},
    };
    for (const auto& [text, message] : cases) {
        const Result<std::vector<ElementCount>> formula = parseChemicalFormula(text);
        EXPECT_EQ(formula.error(), message) << text;
        EXPECT_EQ(formula.code(), ErrorCode::InvalidInput) << text;
    }
}

// However deep or long the text, the reader answers with an error instead
// of running out of stack.
TEST(ChemicalFormula, NestingAndLengthHaveLimitsCountedAsATextFieldCounts)
{
    auto nested = [](int depth) {
        std::string text(std::size_t(depth), '(');
        text += "C";
        for (int i = 0; i < depth; ++i)
            text += ")2";
        return text;
    };
    EXPECT_EQ(elements(nested(64)), (std::vector<ElementCount>{{"C", std::pow(2.0, 64)}}));
    const std::string tooDeep = nested(65);
    EXPECT_EQ(parseChemicalFormula(tooDeep).error(),
              "parentheses nested deeper than 64 levels at position 65 of \"" + tooDeep + "\"");
    EXPECT_EQ(elements(std::string(1000, 'H')), (std::vector<ElementCount>{{"H", 1000}}));
    EXPECT_EQ(parseChemicalFormula(std::string(1001, 'H')).error(), "the formula is longer than 1000 characters");
    // The text is UTF-8, measured and positioned as a text field counts it:
    // one unit per character, two beyond the Basic Multilingual Plane.
    EXPECT_EQ(parseChemicalFormula("Si\u00E9O2").error(), "unexpected \"\u00E9\" at position 3 of \"Si\u00E9O2\"");
    EXPECT_EQ(parseChemicalFormula("\u00A0\u3000 ").error(), "the formula is empty");
    std::string astral;
    for (int i = 0; i < 500; ++i)
        astral += "\U0001F600";
    EXPECT_EQ(parseChemicalFormula(astral).error(), "unexpected \"\U0001F600\" at position 1 of \"" + astral + "\"");
    EXPECT_EQ(parseChemicalFormula(astral + "H").error(), "the formula is longer than 1000 characters");
}

} // namespace
} // namespace korvane
