#include "support/WindowFixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>

namespace korvane::ui {
namespace {

// Texts a user may type or paste into any field, past what the number reading
// itself is tested with: one too large, a very long one, a digit of another
// script, and an empty paste.
const QStringList kBadInputs = {QStringLiteral("abc"), QStringLiteral("1e999"), QString(10000, u'7'),
                                QStringLiteral("\u0663"), QString()};

class BadInputTest : public test::WindowFixture {
protected:
    // Replaces the field's text as a paste from the clipboard does.
    static void paste(QLineEdit* box, const QString& input)
    {
        QGuiApplication::clipboard()->setText(input);
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        if (input.isEmpty())
            QTest::keyClick(box, Qt::Key_Delete);
    }
};

TEST_F(BadInputTest, TypedNumbersThatAreNoneFailTheWayEachFieldDoesAndAreNeverWritten)
{
    clickRow(3); // SiO2
    ASSERT_FALSE(controls().txtIMFP_2M->text().isEmpty());
    click(controls().cmdCalc_CF);
    click(controls().cmdElastic2);
    click(controls().cmdCalc1);
    paste(controls().txtDepth, QStringLiteral("10"));
    const QString cf2 = controls().txtCF2->text();
    ASSERT_FALSE(cf2.isEmpty());

    // The depth of approximation 2 fails silently, the energy aloud (and
    // takes approximation 2's CF with the IMFP).
    for (const QString& input : kBadInputs) {
        paste(controls().txtDepth, input);
        EXPECT_EQ(controls().txtCF2->text(), cf2) << input.left(12).toStdString();
    }
    for (const QString& input : kBadInputs) {
        const std::string shown = input.left(12).toStdString();
        paste(controls().txtElectronEnergy, QStringLiteral("1000"));
        paste(controls().txtElectronEnergy, input);
        EXPECT_TRUE(controls().txtError->isVisible()) << shown;
        EXPECT_EQ(controls().txtIMFP_2M->text(), QString()) << shown;
        EXPECT_EQ(controls().txtCF2->text(), QString()) << shown;
    }

    // Material parameters that are no number are never written.
    // Each kind of field with the words of its refusal.
    const std::pair<QLineEdit*, const char*> fields[] = {{controls().txtBulkDensity, "density must be"},
                                                         {controls().txtEnergyGap, "Energy gap must be numeric"},
                                                         {controls().txt_d, "could not be saved"}};
    const auto before = test::storedMaterials(database.path());
    clickRow(2); // Cu
    for (const auto& [box, problem] : fields) {
        for (const QString& input : kBadInputs) {
            const std::string shown = box->objectName().toStdString() + " " + input.left(12).toStdString();
            click(controls().cmdChangeParam);
            paste(box, input);
            prompts.messages.clear();
            click(controls().cmdSave);
            if (input.isEmpty() && box != controls().txtBulkDensity) {
                // A blank gap is saved as 0 and a blank group as empty.
                EXPECT_EQ(window->editingMode(), Form1::EditingMode::Browsing) << shown;
                continue;
            }
            ASSERT_FALSE(prompts.messages.empty()) << shown;
            EXPECT_TRUE(prompts.messages.back().text.contains(QLatin1String(problem))) << shown;
            EXPECT_EQ(window->editingMode(), Form1::EditingMode::Changing) << shown;
            click(controls().cmdClose);
        }
    }
    const auto after = test::storedMaterials(database.path());
    EXPECT_EQ(after.at(29).density, before.at(29).density);
}

} // namespace
} // namespace korvane::ui
