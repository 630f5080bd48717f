#include "query/ValueWithError.h"
#include "support/FindChild.h"
#include "support/WindowFixture.h"
#include "ui/tools/StateFollower.h"
#include "ui/tools/stack/StackWindow.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

namespace korvane::ui {
namespace {

class StackWindowTest : public test::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        window->findChild<QAction*>(QStringLiteral("mnuLayeredSample"))->trigger();
        stack = window->findChild<StackWindow*>();
        ASSERT_NE(stack, nullptr);
    }

    template <typename T = QLineEdit>
    T* in(const char* name) const
    {
        return test::child<T>(stack, name);
    }
    std::string label(const char* name) const { return in<QLabel>(name)->text().toStdString(); }
    void press(const char* button) { QTest::mouseClick(in<QPushButton>(button), Qt::LeftButton); }
    // The cells of the results under a heading, row by row.
    std::vector<std::string> column(const char* heading) const
    {
        const auto* table = in<QTableWidget>("tblResults");
        std::vector<std::string> cells;
        for (int c = 0; c < table->columnCount(); ++c)
            if (table->horizontalHeaderItem(c)->text() == QString::fromUtf8(heading))
                for (int r = 0; r < table->rowCount(); ++r)
                    cells.push_back(table->item(r, c)->text().toStdString());
        return cells;
    }
    // A field of tpp2m stack's CSV over the fixture database, row by row,
    // with the decimals its table gives (-1: as written).
    std::vector<std::string> tpp2m(const QStringList& arguments, const char* field, int decimals = -1) const
    {
        QProcess run;
        run.setWorkingDirectory(database.folder());
        run.start(QStringLiteral(TPP2M_PATH), QStringList{QStringLiteral("stack")} + arguments + QStringList{"--csv"});
        EXPECT_TRUE(run.waitForFinished(60000));
        const QStringList lines = QString::fromUtf8(run.readAllStandardOutput()).trimmed().split(u'\n');
        const int at = int(lines.front().split(u',').indexOf(QLatin1String(field)));
        std::vector<std::string> cells;
        for (qsizetype i = 1; i < lines.size(); ++i)
        {
            const QString cell = lines[i].split(u',')[at].trimmed();
            cells.push_back((decimals < 0 ? cell : QString::number(cell.toFloat(), 'f', decimals)).toStdString());
        }
        return cells;
    }

    StackWindow* stack = nullptr;
};

// SiO2 15 Å on Si, the window's opening sample, at the main window's 1000 eV
// and 0°, and then by the Si 2p3/2 line of Al Kα at 0° and 70°: every number
// as tpp2m stack gives it for the same sample; the shares add to 100 %.
TEST_F(StackWindowTest, StraightLineRowsMatchTpp2mWithAndWithoutALine)
{
    const QStringList sample{"--layer", "SiO2:15", "--substrate", "Si"};
    EXPECT_EQ(column("IMFP (\u00C5)"), tpp2m(sample + QStringList{"--energy", "1000"}, "imfp_A", 2));
    EXPECT_EQ(column("sla signal (\u00C5)"), tpp2m(sample + QStringList{"--energy", "1000"}, "signal_A", 3));
    EXPECT_EQ(column("sla signal (\u00C5)"), (std::vector<std::string>{"11.723", "14.256"}));
    EXPECT_EQ(column("sla share (%)"), (std::vector<std::string>{"45.1", "54.9"}));
    EXPECT_EQ(column("mc signal (\u00C5)"), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(label("lblEnergy"), "1000 eV from the main window, non-relativistic form");

    typeInto(in("txtAngles"), QStringLiteral("0, 70"));
    auto* line = in<QComboBox>("cboLine");
    line->setCurrentIndex(line->findData(QStringLiteral("Si 2p3/2")));
    const QStringList withLine = sample + QStringList{"--line", "Si 2p3/2", "--source", "AlKa", "--angle", "0,70"};
    EXPECT_EQ(label("lblEnergy"), "1387.7 eV (Si 2p3/2 by Al K\u03B1), non-relativistic form");
    EXPECT_EQ(column("sla signal (\u00C5)"), tpp2m(withLine, "signal_A", 3));
    EXPECT_EQ(column("Atoms (\u00C5\u207B\u00B3)"), tpp2m(withLine, "atoms_per_A3"));
    EXPECT_EQ(column("sla intensity"), tpp2m(withLine, "intensity"));
    // The oxide's share of the Si 2p peak grows from 24 % to 59 % towards grazing emission.
    EXPECT_EQ(column("sla peak (%)"), (std::vector<std::string>{"24.1", "75.9", "58.9", "41.1"}));
}

// A thickness below 0.01 Å, a material the database lacks and an energy the
// elastic scattering does not reach are refused in tpp2m's words, with no
// numbers left from before; a change of the main window's energy recomputes
// the rows while the window is shown, and only then.
TEST_F(StackWindowTest, RefusalsShowTheirWordsAndTheMainWindowsEnergyIsFollowed)
{
    auto* results = in<QTableWidget>("tblResults");
    typeInto(in("txtLayerThickness1"), QStringLiteral("0"));
    EXPECT_EQ(label("lblStackMessage"), "layer 1 (SiO2): a layer is at least 0.01 \u00C5 thick (got \"0\")");
    EXPECT_EQ(results->rowCount(), 0);
    typeInto(in("txtLayerThickness1"), QStringLiteral("15"));
    in<QComboBox>("cboLayerMaterial1")->setCurrentText(QStringLiteral("Foo"));
    EXPECT_EQ(label("lblStackMessage"), "layer 1 (Foo): no material \"Foo\" in DataBase/TPP2-data.db");
    EXPECT_EQ(results->rowCount(), 0);
    in<QComboBox>("cboLayerMaterial1")->setCurrentText(QStringLiteral("SiO2"));
    typeInto(in("txtAngles"), QStringLiteral("0, 90"));
    EXPECT_EQ(label("lblStackMessage"), "the angle must be at least 0\u00B0 and below 90\u00B0");
    typeInto(in("txtAngles"), QStringLiteral("0"));
    EXPECT_EQ(label("lblStackMessage"), "");

    const auto* follower = stack->findChild<StateFollower*>(QStringLiteral("stateFollower"));
    const int runs = follower->runs();
    typeInto(controls().txtElectronEnergy, QStringLiteral("40"));
    EXPECT_EQ(label("lblStackMessage"), "stack takes energies from 50 eV to 30000 eV (got 40 eV)");
    EXPECT_EQ(results->rowCount(), 0);
    typeInto(controls().txtElectronEnergy, QStringLiteral("2000"));
    EXPECT_EQ(follower->runs(), runs + 8); // once for every key typed
    EXPECT_EQ(column("sla signal (\u00C5)"),
              tpp2m({"--layer", "SiO2:15", "--substrate", "Si", "--energy", "2000"}, "signal_A", 3));

    stack->hide();
    typeInto(controls().txtElectronEnergy, QStringLiteral("1000"));
    EXPECT_EQ(follower->runs(), runs + 8);
    stack->show();
    EXPECT_EQ(follower->runs(), runs + 9);
    EXPECT_EQ(column("sla signal (\u00C5)"), (std::vector<std::string>{"11.723", "14.256"}));
}

// Simulate runs off the GUI thread; Cancel and a change of one of its inputs
// end the run in flight with the depth window's words and nothing of it
// arrives later; a finished run fills the Monte Carlo's columns with errors.
TEST_F(StackWindowTest, SimulateCancelAndAFinishedRun)
{
    typeInto(in("txtElectrons"), QStringLiteral("10000000"));
    press("cmdSimulate");
    EXPECT_EQ(label("lblSimulationMessage"), "Simulating...");
    EXPECT_TRUE(in<QPushButton>("cmdCancel")->isEnabled());
    press("cmdCancel");
    EXPECT_EQ(label("lblSimulationMessage"), "The simulation was cancelled.");
    EXPECT_EQ(in<QProgressBar>("prgSimulation")->value(), 0);
    EXPECT_TRUE(in<QPushButton>("cmdSimulate")->isEnabled());

    press("cmdSimulate");
    typeInto(in("txtLayerThickness1"), QStringLiteral("20"));
    EXPECT_EQ(label("lblSimulationMessage"), "The inputs changed: the simulation was cancelled.");
    EXPECT_FALSE(in<QPushButton>("cmdCancel")->isEnabled());
    QTest::qWait(300);
    EXPECT_EQ(column("mc signal (\u00C5)"), (std::vector<std::string>{"", ""}));

    typeInto(in("txtElectrons"), QStringLiteral("20000"));
    press("cmdSimulate");
    QTRY_VERIFY_WITH_TIMEOUT(!column("mc signal (\u00C5)").front().empty(), 120000);
    EXPECT_EQ(label("lblSimulationMessage"), "");
    for (const std::string& cell : column("mc signal (\u00C5)"))
        EXPECT_NE(cell.find(" \u00B1 "), std::string::npos) << cell;
    // The same numbers as tpp2m's simulation of the same electrons and seed.
    const QStringList mc{"--layer", "SiO2:20", "--substrate", "Si", "--energy", "1000", "--model", "mc", "--electrons", "20000"};
    const std::vector<std::string> values = tpp2m(mc, "signal_A"), errors = tpp2m(mc, "signal_sd_A");
    for (std::size_t k = 0; k < values.size(); ++k)
        EXPECT_EQ(column("mc signal (\u00C5)")[k],
                  shown::valueWithError(std::stod(values[k]), std::stod(errors[k])));
    const std::vector<std::string> shares = column("mc share (%)");
    EXPECT_NEAR(std::stod(shares[0]) + std::stod(shares[1]), 100, 0.11);
}

} // namespace
} // namespace korvane::ui
