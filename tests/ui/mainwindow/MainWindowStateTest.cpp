#include "ui/mainwindow/MainWindowState.h"

#include "calc/ImfpCalculator.h"

#include <gtest/gtest.h>

namespace korvane::ui {
namespace {

using Change = MainWindowState::Change;
using Field = MainWindowState::Field;

// Each `changed` as it arrives, with the IMFP the state holds at that moment.
struct Told {
    MainWindowState::Changes what;
    std::optional<float> imfp;
};

class MainWindowStateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QObject::connect(&state, &MainWindowState::changed, [this](MainWindowState::Changes what) {
            told.push_back({what, state.imfp() ? std::optional<float>(*state.imfp()) : std::nullopt});
        });
    }
    // SiO2 at 1000 eV, as a move of the main window gives it: one action.
    void showSilica()
    {
        const MainWindowState::ChangeScope move(state);
        for (const auto& [field, text] : {std::pair{Field::Density, "2.65"}, {Field::ValenceElectrons, "16"},
                                          {Field::Mass, "60.08"}, {Field::BandGap, "9.1"}, {Field::Energy, "1000"},
                                          {Field::Name, "SiO2"}})
            state.setText(field, QString::fromLatin1(text));
        state.setSavedId(104);
    }

    MainWindowState state;
    std::vector<Told> told;
};

TEST_F(MainWindowStateTest, OneActionIsToldOnceAfterTheImfpIsRecomputedAndNamesWhatChanged)
{
    const float silica = *imfp(ImfpForm::NonRelativistic, {2.65f, 16, 60.08f, 9.1f, 1000}).length;
    showSilica();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].what, Change::Material | Change::Energy | Change::Imfp);
    EXPECT_EQ(told[0].imfp, silica);

    // The same values again, or a value changed and changed back within one
    // action (as Nv is set to 0 while a move runs), tell nothing.
    showSilica();
    {
        const MainWindowState::ChangeScope move(state);
        state.setText(Field::ValenceElectrons, QStringLiteral("0"));
        state.setText(Field::ValenceElectrons, QStringLiteral("16"));
    }
    EXPECT_EQ(told.size(), 1u);

    // A change of the editing mode alone leaves the IMFP and says so.
    state.setEditingMode(MainWindowState::EditingMode::Changing);
    state.setText(Field::Energy, QStringLiteral("2000"));
    state.setForm(ImfpForm::Relativistic);
    ASSERT_EQ(told.size(), 4u);
    EXPECT_EQ(told[1].what, MainWindowState::Changes(Change::EditingMode));
    EXPECT_EQ(told[2].what, Change::Energy | Change::Imfp);
    EXPECT_EQ(told[2].imfp, *imfp(ImfpForm::NonRelativistic, {2.65f, 16, 60.08f, 9.1f, 2000}).length);
    EXPECT_EQ(told[3].what, Change::Form | Change::Imfp);
    EXPECT_EQ(told[3].imfp, *imfp(ImfpForm::Relativistic, {2.65f, 16, 60.08f, 9.1f, 2000}).length);
}

TEST_F(MainWindowStateTest, AnEnergyThatIsNoNumberSaysWhyInTpp2mWordsAndLeavesNoImfp)
{
    showSilica();
    const std::pair<const char*, const char*> refused[] = {
        {"", "energy: \"\" is not a number"},
        {"1e39", "energy: \"1e39\" is out of range"},   // a Double, but no Single
        {"1e400", "energy: \"1e400\" is out of range"}, // not even a Double
    };
    for (const auto& [text, words] : refused) {
        state.setText(Field::Energy, QString::fromLatin1(text));
        ASSERT_FALSE(state.energy()) << text;
        EXPECT_EQ(state.energy().error(), words);
        ASSERT_FALSE(state.imfp()) << text;
        EXPECT_EQ(state.imfp().error(), words);
        EXPECT_EQ(told.back().imfp, std::nullopt) << text;
    }
    EXPECT_EQ(state.energy().code(), ErrorCode::OutOfRange);
    state.setText(Field::Energy, QStringLiteral(" 1473.0"));
    EXPECT_EQ(state.energy()->eV, 1473.0);
    EXPECT_EQ(state.energy()->written, QStringLiteral("1473.0"));
    EXPECT_TRUE(state.imfp());
}

} // namespace
} // namespace korvane::ui
