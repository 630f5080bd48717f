#include "materials/FormulaSum.h"
#include "support/TestMaterials.h"

#include <gtest/gtest.h>

#include <map>

namespace korvane {
namespace {

TEST(FormulaSum, WritesTheSumsAsTheWorkedExamplesDoAndNamesWhatStopsThem)
{
    std::map<QString, Material> elements = {
        {"O", test::material(8, "O", 1, 15.999f, 0, std::nullopt, 6, std::nullopt, std::nullopt)},
        {"H", test::material(1, "H", 1, 1.008f, 0, std::nullopt, 1, std::nullopt, std::nullopt)},
        {"Ca", test::material(20, "Ca", 1, 40.078f, 0, 8, 2, std::nullopt, std::nullopt)},
        {"Ti", test::material(22, "Ti", 1, 47.867f, 0, 8, 2, 2, std::nullopt)},
        {"Xe", test::material(54, "Xe", 1, 131.29f, 0, std::nullopt, 3e38f, 3e38f, std::nullopt)},
    };
    elements["Og"] = test::material(118, "Og", 1, 1, 0, std::nullopt, 8, std::nullopt, std::nullopt);
    elements["Og"].atomicWeight.reset();
    const ElementLookup lookup = [&elements](const QString& symbol) {
        const auto found = elements.find(symbol);
        return found == elements.end() ? nullptr : &found->second;
    };
    const ElementValence lbeAndD = [](const Material& m) {
        return std::optional<float>(m.valenceSpLbe.value_or(0) + m.valenceD.value_or(0));
    };

    FormulaSum sum = sumFormula(QStringLiteral("Ca(OH)2"), lookup, lbeAndD);
    EXPECT_EQ(sum.valenceLine(), QStringLiteral("Nv = 2 + 2*6 + 2*1 = 16"));
    EXPECT_EQ(sum.massLine(), QStringLiteral("M = 40.078 + 2*15.999 + 2*1.008 = 74.09"));

    sum = sumFormula(QStringLiteral("TiO1.9"), lookup, lbeAndD);
    EXPECT_EQ(sum.valenceLine(), QStringLiteral("Nv = 4 + 1.9*6 = 15.4"));
    EXPECT_EQ(compoundMassText(143.0f), QStringLiteral("143"));

    const std::vector<std::pair<QString, FormulaSum::Problem>> stopped = {
        {"Ti(O", FormulaSum::Problem::Syntax},
        {"TiN", FormulaSum::Problem::UnknownElement},
        {"OgO", FormulaSum::Problem::ElementData},
        {"Xe2", FormulaSum::Problem::TooLarge},
    };
    for (const auto& [formula, problem] : stopped) {
        sum = sumFormula(formula, lookup, lbeAndD);
        EXPECT_EQ(sum.problem, problem) << formula.toStdString();
        EXPECT_FALSE(sum.error.isEmpty());
    }
    EXPECT_EQ(sumFormula(QStringLiteral("OgO"), lookup, lbeAndD).error,
              QStringLiteral("the element Og has no atomic weight in the database"));
}

} // namespace
} // namespace korvane
