#include "query/KineticEnergy.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(KineticEnergy, FromABindingEnergyAndASource)
{
    const Result<const XraySource*> aluminium = sourceOfKey("AlKa");
    ASSERT_TRUE(aluminium);
    EXPECT_EQ((*aluminium)->photonEnergy, 1486.6);
    EXPECT_EQ(*kineticEnergy(932.7, (*aluminium)->photonEnergy), 1486.6 - 932.7);
    EXPECT_EQ(electronVolts(1486.6 - 932.7), "553.9 eV");

    const Result<const XraySource*> unknown = sourceOfKey("alka");
    EXPECT_EQ(unknown.error(), "unknown source \"alka\" (choose from MgKa, AlKa, AgLa, CrKa, GaKa)");
    EXPECT_EQ(unknown.code(), ErrorCode::NotFound);

    for (const double binding : {1486.6, 8979.0})
        EXPECT_EQ(kineticEnergy(binding, 1486.6).code(), ErrorCode::NoPhysicalValue) << binding;
    EXPECT_EQ(kineticEnergy(8979, 1486.6).error(), "its binding energy 8979 eV is not below the photon energy 1486.6 eV");
}

} // namespace
} // namespace korvane
