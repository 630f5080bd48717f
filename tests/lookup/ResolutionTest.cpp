#include "lookup/LineEnergies.h"
#include "lookup/MaterialResolution.h"
#include "support/TestMaterials.h"

#include <gtest/gtest.h>

namespace korvane::test {
namespace {

Result<std::vector<MaterialInputs>> resolve(const FixtureDatabase& database, const std::vector<MaterialRef>& refs)
{
    return resolveMaterials(refs, {database.path(), WhenMissing::Refuse, kDefaultValenceTicks});
}

// Materials come back in the order asked for, each with the values the
// formula needs; a refusal carries tpp2m's words and the kind of fault.
TEST(ResolutionTest, MaterialsInTheirOrderAndEachRefusalWithItsCode)
{
    std::vector<Material> rows = fixtureMaterials();
    rows.push_back(material(200, "104", 1, 2, 3, {}, {}, {}, 4));
    const FixtureDatabase database(rows);
    ASSERT_TRUE(database.created());

    const Result<std::vector<MaterialInputs>> found =
        resolve(database,
                {NamedMaterial{QStringLiteral("Cu")}, MaterialByValues{1, 2, 3, 4},
                 FormulaMaterial{QStringLiteral("SiO2"), 2.2f, 9},
                 NamedMaterial{QStringLiteral("104"), NamedMaterial::By::Id}});
    ASSERT_TRUE(found) << found.error();
    ASSERT_EQ(found->size(), 4u);
    EXPECT_EQ((*found)[0].name, QStringLiteral("Cu"));
    EXPECT_EQ((*found)[0].id, 29);
    EXPECT_EQ((*found)[0].values.valenceElectrons, 11.0f);
    EXPECT_EQ((*found)[1].name, QStringLiteral("(inline)"));
    EXPECT_EQ((*found)[1].values.valenceElectrons, 4.0f);
    EXPECT_EQ((*found)[2].name, QStringLiteral("SiO2"));
    EXPECT_EQ((*found)[2].id, std::nullopt);
    EXPECT_EQ((*found)[2].values.valenceElectrons, 4.0f + 2 * 6.0f);
    EXPECT_EQ((*found)[3].name, QStringLiteral("SiO2"));

    const auto refusal = [&](const MaterialRef& ref) { return resolve(database, {ref}); };
    const Result<std::vector<MaterialInputs>> missing = refusal(NamedMaterial{QStringLiteral("cu")});
    EXPECT_EQ(missing.code(), ErrorCode::NotFound);
    EXPECT_EQ(missing.error(), "no material \"cu\" in " + database.path().toStdString() + " (did you mean \"Cu\"?)");
    const Result<std::vector<MaterialInputs>> ambiguous = refusal(NamedMaterial{QStringLiteral("104")});
    EXPECT_EQ(ambiguous.code(), ErrorCode::Ambiguous);
    EXPECT_EQ(ambiguous.error(),
              "\"104\" is ambiguous: the ID of SiO2 and the name of the material with ID 200; "
              "say --id 104 or --name 104");
    const Result<std::vector<MaterialInputs>> unreadable = refusal(FormulaMaterial{QStringLiteral("Si(O2")});
    EXPECT_EQ(unreadable.code(), ErrorCode::InvalidInput);
    EXPECT_EQ(unreadable.error().rfind("--formula: ", 0), 0u) << unreadable.error();
    const Result<std::vector<MaterialInputs>> noRow = refusal(FormulaMaterial{QStringLiteral("Xe")});
    EXPECT_EQ(noRow.code(), ErrorCode::InvalidInput);
    EXPECT_EQ(noRow.error(), "unknown element \"Xe\" in the formula \"Xe\"");

    const QString nowhere = database.folder() + QStringLiteral("/none.db");
    const Result<std::vector<MaterialInputs>> noDatabase =
        resolveMaterials({NamedMaterial{QStringLiteral("Cu")}}, {nowhere, WhenMissing::Refuse, kDefaultValenceTicks});
    EXPECT_EQ(noDatabase.code(), ErrorCode::NotFound);
    EXPECT_EQ(noDatabase.error(),
              "the materials database " + nowhere.toStdString() + " cannot be opened: there is no such file");
    // Values alone need no database.
    EXPECT_TRUE(resolveMaterials({MaterialByValues{1, 2, 3, 4}}, {nowhere, WhenMissing::Refuse, kDefaultValenceTicks}));
}

// A line's energies, and a line that is not found, named as the front end names its input.
TEST(ResolutionTest, ALineWithItsPhotons)
{
    const Result<ResolvedLine> copper =
        resolveLine(QStringLiteral("Cu 2p3/2"), {QStringLiteral("AlKa"), std::nullopt}, QStringLiteral("--line"));
    ASSERT_TRUE(copper) << copper.error();
    EXPECT_EQ(copper->line.line, QStringLiteral("Cu 2p3/2"));
    EXPECT_EQ(copper->line.source, QStringLiteral("Al Kα"));
    EXPECT_EQ(copper->kineticEnergy, float(1486.6 - 931.1));

    const Result<ResolvedLine> unknown = resolveLine(QStringLiteral("Qq 1s"), {std::nullopt, 1000}, QStringLiteral("line"));
    EXPECT_EQ(unknown.error(), "line \"Qq 1s\": unknown element \"Qq\"");
    EXPECT_EQ(unknown.code(), ErrorCode::NotFound);
}

} // namespace
} // namespace korvane::test
