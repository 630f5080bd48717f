#include "calc/TransportTable.h"
#include "materials/MaterialTransport.h"

#include <gtest/gtest.h>

namespace {

using namespace korvane;

double table(int z, double energy)
{
    return *shippedTransportTable().crossSection(z, energy);
}

TEST(MaterialTransport, CompoundSumsItsAtomsOverOneFormulaUnit)
{
    const TransportCrossSection silica = formulaTransportCrossSection(QStringLiteral("SiO2"), 1000);
    ASSERT_TRUE(silica.a0Squared) << silica.error.toStdString();
    EXPECT_DOUBLE_EQ(*silica.a0Squared, table(14, 1000) + 2 * table(8, 1000));
    EXPECT_EQ(silica.source, QStringLiteral("formula SiO2"));

    const TransportCrossSection copper = elementTransportCrossSection(29, 500);
    EXPECT_EQ(*copper.a0Squared, table(29, 500));
    EXPECT_EQ(copper.source, QStringLiteral("Cu (Z = 29)"));
    EXPECT_NEAR(bohrRadiusSquaredCm2(), 2.8002852e-17, 1e-24);
}

TEST(MaterialTransport, RowsByIdOrNameAndTheReasonsForNoValue)
{
    Material gold;
    gold.id = 79;
    gold.name = QStringLiteral("Gold, whatever the row calls it");
    EXPECT_EQ(*materialTransportCrossSection(gold, 1000).a0Squared, table(79, 1000));

    Material oxide;
    oxide.id = 140;
    oxide.name = QStringLiteral("Al2O3");
    EXPECT_DOUBLE_EQ(*materialTransportCrossSection(oxide, 2000).a0Squared, 2 * table(13, 2000) + 3 * table(8, 2000));

    Material polymer;
    polymer.id = 150;
    polymer.name = QStringLiteral("polyethylene");
    const TransportCrossSection none = materialTransportCrossSection(polymer, 1000);
    EXPECT_FALSE(none.a0Squared);
    EXPECT_EQ(none.error, QStringLiteral("neither an element nor a chemical formula: polyethylene"));

    EXPECT_EQ(formulaTransportCrossSection(QStringLiteral("XeQ2"), 1000).error,
              QStringLiteral("no element has the symbol Q"));
    EXPECT_EQ(formulaTransportCrossSection(QStringLiteral("SiO2"), 20).error,
              QStringLiteral("no transport cross-section outside 50 eV to 30000 eV"));
    EXPECT_EQ(elementTransportCrossSection(104, 1000).error, QStringLiteral("no element has the atomic number 104"));
}

} // namespace
