#include "support/TestMaterials.h"
#include "ui/tools/formula/FormulaSumText.h"

#include <gtest/gtest.h>

#include <map>

namespace korvane {
namespace {

TEST(FormulaSumText, WritesTheSumsAsTheWorkedExamplesDo)
{
    const std::map<QString, Material> elements = {
        {"O", test::material(8, "O", 1, 15.999f, 0, std::nullopt, 6, std::nullopt, std::nullopt)},
        {"H", test::material(1, "H", 1, 1.008f, 0, std::nullopt, 1, std::nullopt, std::nullopt)},
        {"Ca", test::material(20, "Ca", 1, 40.078f, 0, 8, 2, std::nullopt, std::nullopt)},
        {"Ti", test::material(22, "Ti", 1, 47.867f, 0, 8, 2, 2, std::nullopt)},
    };
    const ElementLookup lookup = [&elements](const QString& symbol) {
        const auto found = elements.find(symbol);
        return found == elements.end() ? nullptr : &found->second;
    };
    const ElementValence lbeAndD = [](const Material& m) {
        return std::optional<float>(m.valenceSpLbe.value_or(0) + m.valenceD.value_or(0));
    };

    const Result<FormulaSum> hydroxide = sumFormula(QStringLiteral("Ca(OH)2"), lookup, lbeAndD);
    ASSERT_TRUE(hydroxide) << hydroxide.error();
    EXPECT_EQ(valenceSumLine(*hydroxide), QStringLiteral("Nv = 2 + 2*6 + 2*1 = 16"));
    EXPECT_EQ(massSumLine(*hydroxide), QStringLiteral("M = 40.078 + 2*15.999 + 2*1.008 = 74.092"));
    EXPECT_EQ(compoundMassText(massToSumDigits(*hydroxide)), QStringLiteral("74.092"));

    const Result<FormulaSum> oxide = sumFormula(QStringLiteral("TiO1.9"), lookup, lbeAndD);
    ASSERT_TRUE(oxide) << oxide.error();
    EXPECT_EQ(valenceSumLine(*oxide), QStringLiteral("Nv = 4 + 1.9*6 = 15.4"));
    EXPECT_EQ(massSumLine(*oxide), QStringLiteral("M = 47.867 + 1.9*15.999 = 78.2651"));
    EXPECT_EQ(compoundMassText(143.0f), QStringLiteral("143"));
}

} // namespace
} // namespace korvane
