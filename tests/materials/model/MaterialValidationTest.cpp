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
    // Letter case does not matter; only the start of the name is matched; "#" is one digit; a bracket lists,
    // ranges or excludes one character, and inside it the wildcards stand for themselves; a bracket that is not
    // closed, empty or backwards stands for itself.
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"Si", "SiO2", true},      {"si", "SiO2", true},
        {"SiO2", "Si", false},     {"C*O", "Cu2O", true},
        {"C?2", "Cu2O", true},     {"O", "SiO2", false},
        {"%", "SiO2", false},      {"_", "SiO2", false},
        {"O'", "O'Brien", true},   {"\u00E5", "\u00C5ngstr\u00F6mite", true},
        {"C#", "C2H4", true},      {"#", "#1", false},
        {"Si[oc]", "SiC", true},   {"[A-D]u", "cu", true},
        {"[d-z]u", "Cu2O", false}, {"Si[!O]", "SiO2", false},
        {"Si[!O]", "Si", false},   {"[*?#]", "#1", true},
        {"[-a]", "-x", true},      {"[a-", "[a-b", true},
        {"[]", "[]x", true},       {"[z-a]", "[z-a]", true}};
    for (const auto& [typed, name, found] : cases)
        EXPECT_EQ(NamePattern::startingWith(QString::fromUtf8(typed)).matches(QString::fromUtf8(name)), found)
            << typed << " in " << name;
}

} // namespace
} // namespace korvane
