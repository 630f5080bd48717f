#include "Tpp2mRun.h"

#include <gtest/gtest.h>

namespace korvane::test {
namespace {

// The sums over the atoms and the reasons for no value are the materials
// layer's test; here each way of naming a material reaches them once.
using TransportCommandTest = Tpp2mFixture;

TEST_F(TransportCommandTest, ElementsByIdCompoundsByFormulaAndTheRowsWithout)
{
    EXPECT_EQ(output("transport Cu --energy 1000,20 --formula Al2O3 --element Qq --csv"),
              "material,id,energy_eV,transport_cross_section_a0sq,transport_cross_section_cm2,"
              "elastic_cross_section_cm2,error\n"
              "Cu,29,1000,1.1463349,3.2100646e-17,1.2645882e-16,\n"
              "Cu,29,20,,,,no transport cross-section outside 50 eV to 30000 eV\n"
              "Al2O3,,1000,1.4882064,4.1674024e-17,3.913712e-16,\n"
              "Al2O3,,20,,,,no transport cross-section outside 50 eV to 30000 eV\n"
              "Qq,,1000,,,,no element has the symbol Qq\n"
              "Qq,,20,,,,no element has the symbol Qq\n");
}

TEST_F(TransportCommandTest, Cf2AndDepthWithoutCrossSectionComputeAndNameIt)
{
    EXPECT_EQ(output("cf2 SiC --energy 1000 --depth 5 --csv"),
              "material,id,energy_eV,form,imfp_A,cross_section_a0sq,cross_section_from,trmfp_A,efftrmfp_A,depth_A,"
              "cf2,error\n"
              "SiC,110,1000,non-relativistic,22.409105,0.6072429,formula SiC,121.949776,18.930496,5,1.0898792,\n");
    EXPECT_EQ(output("depth Cu --energy 1000 --csv"),
              "material,id,energy_eV,form,imfp_A,angle_deg,correction,cross_section_a0sq,cross_section_from,"
              "information_depth_A,mean_escape_depth_A,error\n"
              "Cu,29,1000,non-relativistic,15.448975,0,none,,,46.28099,15.448975,\n"
              "Cu,29,1000,non-relativistic,15.448975,0,cf1,,,34.171906,12.030557,\n"
              "Cu,29,1000,non-relativistic,15.448975,0,cf2,1.1463349,Cu (Z = 29),34.414696,12.016999,\n");
}

} // namespace
} // namespace korvane::test
