#include "query/PositiveInputs.h"
#include "query/ShownText.h"
#include "query/TypedNumber.h"
#include "query/ValenceGroups.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(PositiveInputs, RefusesZeroAndBelowInOneWording)
{
    EXPECT_EQ(checkAboveZero(PositiveInput::Density, 0).error(), "the density must be above 0");
    EXPECT_EQ(checkAboveZero(PositiveInput::Mass, -1).error(), "the atomic or molecular mass must be above 0");
    EXPECT_EQ(checkAboveZero(PositiveInput::CrossSection, -0.0).error(),
              "the transport cross-section S must be above 0");
    EXPECT_EQ(checkAboveZero(PositiveInput::TrMfp, 0).error(), "the TrMFP must be above 0");
    EXPECT_EQ(checkAboveZero(PositiveInput::ValenceElectrons, -4).error(), "Nv must be above 0");
    EXPECT_TRUE(checkAboveZero(PositiveInput::Imfp, 1e-300));
    EXPECT_EQ(checkAboveZero(PositiveInput::Imfp, 0).code(), ErrorCode::InvalidInput);
    EXPECT_EQ(
        checkAllAboveZero({{PositiveInput::Imfp, 3}, {PositiveInput::EffTrMfp, 0}, {PositiveInput::Mass, 0}}).error(),
        "the EffTrMFP must be above 0");
    EXPECT_TRUE(checkAllAboveZero({{PositiveInput::Imfp, 3}}));
}

TEST(ValenceGroups, DefaultTicksAndTheTotalOfTheTickedGroups)
{
    const ValenceGroupTexts copper{"8.0", "1.0", "10.0", ""};
    EXPECT_EQ(valenceTotal(copper, kDefaultValenceTicks), 11.0f);
    EXPECT_EQ(valenceTotal(copper, {true, true, true, true}), 19.0f);
    EXPECT_EQ(valenceTotal(copper, kNoValenceTicks), 0.0f);
    // Each group counts by its leading number; too large for a Single: no total.
    EXPECT_EQ(valenceTotal({"2.5 x", "1 0", "", ""}, {true, true, false, false}), 12.5f);
    EXPECT_FALSE(valenceTotal({"abc", "1e39", "", ""}, {true, true, false, false}));
    EXPECT_FALSE(valenceTotal({"3e38", "3e38", "", ""}, {true, true, false, false}));
    EXPECT_EQ(valenceGroupText(4), "4.0");

    ValenceTicks ticks = kNoValenceTicks;
    EXPECT_TRUE(ticks.tick("hbe"));
    EXPECT_TRUE(ticks.tick("f"));
    EXPECT_FALSE(ticks.tick("p"));
    EXPECT_EQ(ticks, (ValenceTicks{true, false, false, true}));
}

TEST(ValenceGroups, TheIncludeTextTicksTheNamedGroupsOrSaysWhichNameIsUnknown)
{
    EXPECT_EQ(*readIncludedGroups("none"), kNoValenceTicks);
    EXPECT_EQ(*readIncludedGroups(" hbe ,\tlbe"), (ValenceTicks{true, true, false, false}));
    EXPECT_EQ(*readIncludedGroups("lbe,d,f"), kDefaultValenceTicks);
    EXPECT_EQ(readIncludedGroups("d,,f").error(),
              "unknown valence group \"\" in --include (choose from hbe, lbe, d, f, or none)");
    EXPECT_EQ(readIncludedGroups("d, None").code(), ErrorCode::InvalidInput);
    EXPECT_EQ(readIncludedGroups("d, None").error(),
              "unknown valence group \"None\" in --include (choose from hbe, lbe, d, f, or none)");
}

TEST(ShownText, LengthsAndFactorsAsTheWindowShowsThem)
{
    EXPECT_EQ(shown::length(29.1188f), "29.12 \u00C5");
    EXPECT_EQ(shown::length(-3.1f), "-3.10 \u00C5");
    EXPECT_EQ(shown::factor(1.0816f), "1.082");
    EXPECT_EQ(shown::factor(0), "0.000");
}

TEST(TypedNumber, ATextWrittenAsANumberButNotHeldIsOutOfRange)
{
    EXPECT_EQ(*readTypedNumber("energy", " 1e3 "), 1000.0);
    EXPECT_EQ(*readTypedNumber("energy", "-0.0e-400"), 0.0);
    EXPECT_EQ(readTypedNumber("energy", "1e400").error(), "energy: \"1e400\" is out of range");
    EXPECT_EQ(readTypedNumber("energy", "1e400").code(), ErrorCode::OutOfRange);
    EXPECT_EQ(readTypedNumber("energy", "1e-400").error(), "energy: \"1e-400\" is out of range");
    for (const char* text : {"abc", "1e", "1.2.3", ".", "inf", "nan", "", "0x10", "1,5"}) {
        EXPECT_EQ(readTypedNumber("--log", text).error(), std::string("--log: \"") + text + "\" is not a number");
        EXPECT_EQ(readTypedNumber("--log", text).code(), ErrorCode::InvalidInput);
    }
    EXPECT_EQ(*readTypedSingle("energy", "1486.6"), 1486.6f);
    EXPECT_EQ(readTypedSingle("energy", "1e39").error(), "energy: \"1e39\" is out of range");
    EXPECT_EQ(readTypedSingle("energy", "-1e-50").error(), "energy: \"-1e-50\" is out of range");
    EXPECT_EQ(readTypedSingle("energy", "x").error(), "energy: \"x\" is not a number");
}

} // namespace
} // namespace korvane
