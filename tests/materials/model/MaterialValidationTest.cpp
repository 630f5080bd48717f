#include "materials/model/MaterialValidation.h"
#include "materials/model/NamePattern.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(MaterialValidation, ListsBlankAndNonNumericFieldsInOrder)
{
    MaterialTexts blank{QString(), QStringLiteral("  "), QString(), QString(), QString()};
    MaterialProblems problems = checkMaterial(blank);
    EXPECT_EQ(problems.blank.toStdString(),
              "Name must be filled in\r\ndensity must be filled in\r\n"
              "Number of valence electrons mus be filled in\r\nAtomic mass must be filled in\r\n");
    EXPECT_EQ(
        problems.notNumeric.toStdString(),
        "density must be numeric\r\nNumber of valence electrons must be numeric\r\nAtomic mass must be numeric\r\n");
    EXPECT_EQ(blank.energyGap, QStringLiteral("0"));

    MaterialTexts badGap{QStringLiteral("X"), QStringLiteral("1"), QStringLiteral("4"), QStringLiteral("12"),
                         QStringLiteral("abc")};
    problems = checkMaterial(badGap);
    EXPECT_TRUE(problems.blank.isEmpty());
    EXPECT_EQ(problems.notNumeric, QStringLiteral("Energy gap must be numeric\r\n"));

    MaterialTexts spacesOnly{QStringLiteral("   "), QStringLiteral(" 2.5 "), QStringLiteral("4"), QStringLiteral("12"),
                             QStringLiteral("1")};
    problems = checkMaterial(spacesOnly);
    EXPECT_EQ(problems.blank, QStringLiteral("Name must be filled in\r\n"));
    EXPECT_TRUE(problems.notNumeric.isEmpty()) << "the name is never checked for a number";
}

TEST(NamePattern, StartOfNameWithTheUsersWildcardsOnly)
{
    auto finds = [](const char* typed, const char* name) {
        return NamePattern::startingWith(QString::fromUtf8(typed)).matches(QString::fromUtf8(name));
    };
    EXPECT_TRUE(finds("Si", "SiO2"));
    EXPECT_TRUE(finds("si", "SiO2")) << "letter case does not matter";
    EXPECT_FALSE(finds("SiO2", "Si"));
    EXPECT_TRUE(finds("C*O", "Cu2O"));
    EXPECT_TRUE(finds("C?2", "Cu2O"));
    EXPECT_FALSE(finds("O", "SiO2")) << "only the start of the name";
    EXPECT_FALSE(finds("%", "SiO2"));
    EXPECT_FALSE(finds("_", "SiO2"));
    EXPECT_TRUE(finds("O'", "O'Brien"));
    EXPECT_TRUE(finds("\u00E5", "\u00C5ngstr\u00F6mite"));

    // "#" is one digit; a bracket lists, ranges or excludes one character.
    EXPECT_TRUE(finds("C#", "C2H4"));
    EXPECT_FALSE(finds("#", "#1"));
    EXPECT_TRUE(finds("Si[oc]", "SiC"));
    EXPECT_TRUE(finds("[A-D]u", "cu"));
    EXPECT_FALSE(finds("[d-z]u", "Cu2O"));
    EXPECT_FALSE(finds("Si[!O]", "SiO2"));
    EXPECT_FALSE(finds("Si[!O]", "Si")) << "a bracket stands for one character";
    EXPECT_TRUE(finds("[*?#]", "#1")) << "inside a bracket the wildcards stand for themselves";
    EXPECT_TRUE(finds("[-a]", "-x"));
    // A bracket that is not closed, empty or backwards stands for itself.
    EXPECT_TRUE(finds("[a-", "[a-b"));
    EXPECT_TRUE(finds("[]", "[]x"));
    EXPECT_TRUE(finds("[z-a]", "[z-a]"));
}

} // namespace
} // namespace korvane
