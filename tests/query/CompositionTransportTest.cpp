#include "calc/TransportTable.h"
#include "query/CompositionTransport.h"

#include <gtest/gtest.h>

namespace {

using namespace korvane;

double table(int z, double energy)
{
    return *shippedTransportTable().crossSection(z, energy);
}

TEST(CompositionTransport, CompoundSumsItsAtomsOverOneFormulaUnit)
{
    const Result<CrossSectionValue> silica = formulaCrossSection("SiO2", 1000);
    ASSERT_TRUE(silica) << silica.error();
    EXPECT_DOUBLE_EQ(silica->a0Squared, table(14, 1000) + 2 * table(8, 1000));
    EXPECT_EQ(silica->source, "formula SiO2");

    const Result<CrossSectionValue> copper = elementCrossSection(29, 500);
    EXPECT_EQ(copper->a0Squared, table(29, 500));
    EXPECT_EQ(copper->source, "Cu (Z = 29)");
    EXPECT_NEAR(bohrRadiusSquaredCm2(), 2.8002852e-17, 1e-24);
}

TEST(CompositionTransport, RowsByIdOrNameAndTheReasonsForNoValue)
{
    EXPECT_EQ(rowCrossSection(79, "Gold, whatever the row calls it", 1000)->a0Squared, table(79, 1000));
    EXPECT_DOUBLE_EQ(rowCrossSection(140, "Al2O3", 2000)->a0Squared, 2 * table(13, 2000) + 3 * table(8, 2000));
    const std::vector<FormulaAtom> atoms = *rowAtoms(140, "Al2O3");
    ASSERT_EQ(atoms.size(), 2u);
    EXPECT_EQ(atoms[0].atomicNumber, 13);
    EXPECT_EQ(atoms[1].count, 3.0);

    EXPECT_EQ(rowCrossSection(150, "polyethylene", 1000).error(), "neither an element nor a chemical formula: polyethylene");
    EXPECT_EQ(rowAtoms(150, "polyethylene").error(), "neither an element nor a chemical formula: polyethylene");

    const std::tuple<Result<CrossSectionValue>, std::string, ErrorCode> failures[] = {
        {formulaCrossSection("XeQ2", 1000), "no element has the symbol Q", ErrorCode::NotFound},
        {formulaCrossSection("SiO2", 20), "no transport cross-section outside 50 eV to 30000 eV",
         ErrorCode::OutOfRange},
        {formulaCrossSection("Si(O", 1000), "not a chemical formula: \"(\" at position 3 of \"Si(O\" is not closed",
         ErrorCode::InvalidInput},
        {elementCrossSection(104, 1000), "no element has the atomic number 104", ErrorCode::NotFound},
    };
    for (const auto& [result, words, code] : failures) {
        EXPECT_EQ(result.error(), words);
        EXPECT_EQ(result.code(), code) << words;
    }
}

} // namespace
