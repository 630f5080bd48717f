#include "materials/ChemicalFormula.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvane {
namespace {

std::vector<ElementCount> elements(const char* text)
{
    const ChemicalFormula formula = parseChemicalFormula(QString::fromLatin1(text));
    EXPECT_TRUE(formula.error.isEmpty()) << text << ": " << formula.error.toStdString();
    return formula.elements;
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
        const ChemicalFormula formula = parseChemicalFormula(QString::fromLatin1(text));
        EXPECT_EQ(formula.error.toStdString(), message) << text;
        EXPECT_TRUE(formula.elements.empty()) << text;
    }
}

// However deep or long the text, the reader answers with an error instead
// of running out of stack.
TEST(ChemicalFormula, NestingAndLengthHaveLimits)
{
    auto nested = [](int depth) {
        return QString(depth, u'(') + QStringLiteral("C") + QStringLiteral(")2").repeated(depth);
    };
    const ChemicalFormula deepest = parseChemicalFormula(nested(64));
    EXPECT_EQ(deepest.error, QString());
    EXPECT_EQ(deepest.elements, (std::vector<ElementCount>{{"C", std::pow(2.0, 64)}}));
    const QString tooDeep = nested(65);
    EXPECT_EQ(parseChemicalFormula(tooDeep).error,
              QStringLiteral("parentheses nested deeper than 64 levels at position 65 of \"%1\"").arg(tooDeep));
    EXPECT_EQ(parseChemicalFormula(QStringLiteral("H").repeated(1000)).elements,
              (std::vector<ElementCount>{{"H", 1000}}));
    EXPECT_EQ(parseChemicalFormula(QStringLiteral("H").repeated(1001)).error,
              QStringLiteral("the formula is longer than 1000 characters"));
}

} // namespace
} // namespace korvane
