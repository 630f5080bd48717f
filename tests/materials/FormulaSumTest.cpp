#include "materials/FormulaSum.h"
#include "support/TestMaterials.h"

#include <gtest/gtest.h>

#include <map>

namespace korvane {
namespace {

TEST(FormulaSum, NamesWhatStopsTheSum)
{
    std::map<QString, Material> elements = {
        {"O", test::material(8, "O", 1, 15.999f, 0, std::nullopt, 6, std::nullopt, std::nullopt)},
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

    const std::vector<std::pair<QString, FormulaSum::Problem>> stopped = {
        {"Ti(O", FormulaSum::Problem::Syntax},
        {"TiN", FormulaSum::Problem::UnknownElement},
        {"OgO", FormulaSum::Problem::ElementData},
        {"Xe2", FormulaSum::Problem::TooLarge},
    };
    for (const auto& [formula, problem] : stopped) {
        const FormulaSum sum = sumFormula(formula, lookup, lbeAndD);
        EXPECT_EQ(sum.problem, problem) << formula.toStdString();
        EXPECT_FALSE(sum.error.isEmpty());
    }
    EXPECT_EQ(sumFormula(QStringLiteral("OgO"), lookup, lbeAndD).error,
              QStringLiteral("the element Og has no atomic weight in the database"));
}

} // namespace
} // namespace korvane
