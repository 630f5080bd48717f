#include "cli/Tpp2mRun.h"
#include "support/FindChild.h"
#include "support/WindowFixture.h"
#include "ui/tools/quantify/PeakTable.h"
#include "ui/tools/StateFollower.h"
#include "ui/tools/quantify/QuantificationWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace korvane::ui {
namespace {

class QuantificationWindowTest : public test::WindowFixture {
protected:
    QuantificationWindow* open()
    {
        find<QAction>("mnuQuantification")->trigger();
        return window->findChild<QuantificationWindow*>();
    }
    template <typename T = QWidget>
    static T* in(QuantificationWindow* quantification, const char* name)
    {
        return test::child<T>(quantification, name);
    }
    // Copies `text` and pastes it into the peaks table at `row` with Ctrl+V.
    static void paste(QuantificationWindow* quantification, const QString& text, int row = 0, int column = 0)
    {
        auto* peaks = in<PeakTable>(quantification, "tblPeaks");
        QGuiApplication::clipboard()->setText(text);
        peaks->setFocus();
        peaks->setCurrentCell(row, column);
        QTest::keyClick(peaks, Qt::Key_V, Qt::ControlModifier);
    }
    static std::vector<TypedPeak> peaks(QuantificationWindow* quantification)
    {
        return in<PeakTable>(quantification, "tblPeaks")->peaks();
    }
    // What "Copy as CSV" puts on the clipboard.
    static QString copied(QuantificationWindow* quantification)
    {
        QGuiApplication::clipboard()->clear();
        in<QPushButton>(quantification, "cmdCopyCsv")->click();
        return QGuiApplication::clipboard()->text();
    }
    // What tpp2m quantify --csv writes for `material` with the arguments the
    // window's inputs stand for.
    QString tpp2mCsv(const QString& material, const QStringList& arguments)
    {
        const test::Tpp2mRun run =
            test::runProgram(database.folder(), QStringLiteral(TPP2M_PATH),
                             QStringList{"quantify", material} + arguments + QStringList{"--csv"});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        return run.out;
    }
};

// A spreadsheet's rows, in either shape, one peak per row, with the blank row
// for the next peak kept at the foot.
TEST_F(QuantificationWindowTest, PastedSpreadsheetRowsFillThePeaksTable)
{
    QuantificationWindow* quantification = open();
    ASSERT_NE(quantification, nullptr);
    paste(quantification, QStringLiteral("Cu\t2p3/2\t1000\r\nO 1s\t250\t1.5\r\n"));
    EXPECT_EQ(peaks(quantification), (std::vector<TypedPeak>{{"Cu", "2p3/2", "1000", ""}, {"O", "1s", "250", "1.5"}}));
    auto* table = in<PeakTable>(quantification, "tblPeaks");
    EXPECT_EQ(table->rowCount(), 3);

    // A single copied cell goes into the current cell; rows pasted lower down
    // replace the rows there and add the rest.
    paste(quantification, QStringLiteral("400"), 1, PeakTable::Area);
    paste(quantification, QStringLiteral("Si 2p\t80\nC 1s\t30\n"), 2);
    EXPECT_EQ(peaks(quantification), (std::vector<TypedPeak>{{"Cu", "2p3/2", "1000", ""},
                                                             {"O", "1s", "400", "1.5"},
                                                             {"Si", "2p", "80", ""},
                                                             {"C", "1s", "30", ""}}));

    // Emptying a row's cells takes the peak away.
    table->setFocus();
    table->setRangeSelected(QTableWidgetSelectionRange(1, 0, 1, PeakTable::ColumnCount - 1), true);
    QTest::keyClick(table, Qt::Key_Delete);
    EXPECT_EQ(peaks(quantification).size(), 3u);
    EXPECT_EQ(table->rowCount(), 4);
}

// The window's results are tpp2m quantify's, digit for digit, for the main
// window's material; they follow it while shown, and once shown again after
// it moved while hidden.
TEST_F(QuantificationWindowTest, ResultsAreTpp2mQuantifysForTheMainWindowsMaterial)
{
    clickRow(4); // Cu2O
    QuantificationWindow* quantification = open();
    ASSERT_NE(quantification, nullptr);
    paste(quantification, QStringLiteral("Cu\t2p3/2\t1000\nO 1s\t250\n"));
    typeInto(in<QLineEdit>(quantification, "txtAngle"), QStringLiteral("30"));
    typeInto(in<QLineEdit>(quantification, "txtTransmissionExponent"), QStringLiteral("0.5"));
    auto* layer = in<QComboBox>(quantification, "cboLayer");
    layer->setCurrentIndex(layer->findText(QStringLiteral("SiO2")));
    typeInto(in<QLineEdit>(quantification, "txtLayerThickness"), QStringLiteral("5"));
    const QStringList arguments = {"--source", "AlKa", "--peak", "Cu 2p3/2=1000", "--peak", "O 1s=250",
                                   "--angle", "30", "--transmission-exponent", "0.5", "--layer", "SiO2:5"};
    const QString cu2o = tpp2mCsv("Cu2O", arguments);
    EXPECT_EQ(copied(quantification).toStdString(), cu2o.toStdString());
    auto* results = in<QTableWidget>(quantification, "tblResults");
    ASSERT_EQ(results->rowCount(), 2);
    EXPECT_EQ(results->item(1, 0)->text(), QStringLiteral("O 1s"));
    EXPECT_EQ(results->item(1, 6)->text(), QStringLiteral("2")); // an s level's beta

    auto* follower = quantification->findChild<StateFollower*>(QStringLiteral("stateFollower"));
    const int runs = follower->runs();
    clickRow(3); // SiO2
    EXPECT_EQ(follower->runs(), runs + 1);
    EXPECT_EQ(copied(quantification).toStdString(), tpp2mCsv("SiO2", arguments).toStdString());

    quantification->close();
    clickRow(4);
    EXPECT_EQ(follower->runs(), runs + 1);
    find<QAction>("mnuQuantification")->trigger();
    EXPECT_EQ(follower->runs(), runs + 2);
    EXPECT_EQ(copied(quantification).toStdString(), cu2o.toStdString());
}

// A refusal shows tpp2m's words and no numbers, and nothing to copy; the
// numbers are back once the input is mended.
TEST_F(QuantificationWindowTest, ARefusalShowsItsWordsAndNoNumbers)
{
    clickRow(2); // Cu
    QuantificationWindow* quantification = open();
    ASSERT_NE(quantification, nullptr);
    auto* problem = in<QLabel>(quantification, "lblProblem");
    auto* results = in<QTableWidget>(quantification, "tblResults");
    EXPECT_EQ(problem->text(), QStringLiteral("no peak to quantify: type a line and its area in the table"));

    paste(quantification, QStringLiteral("Cu 2p\t1000\nCu 3p\t80\n"));
    EXPECT_EQ(problem->text(), QStringLiteral("Peak \"Cu 3p\": a second peak of Cu: give one peak per element"));
    EXPECT_EQ(results->rowCount(), 0);
    EXPECT_FALSE(in(quantification, "cmdCopyCsv")->isEnabled());
    EXPECT_EQ(quantification->csv(), QString());

    paste(quantification, QStringLiteral("O 1s\t250\t3"), 1);
    const test::Tpp2mRun tpp2m = test::runProgram(
        database.folder(), QStringLiteral(TPP2M_PATH),
        {"quantify", "Cu", "--source", "AlKa", "--peak", "Cu 2p=1000", "--peak", "O 1s=250", "--beta", "O 1s=3"});
    // tpp2m's words, the input named by the window's caption.
    EXPECT_EQ("tpp2m: --beta" + problem->text().toStdString().substr(std::string("\u03B2").size()) + "\n",
              tpp2m.err.toStdString());
    EXPECT_EQ(problem->text(), QStringLiteral("\u03B2 \"O 1s\": the asymmetry parameter must be from -1 to 2"));
    EXPECT_EQ(results->rowCount(), 0);

    paste(quantification, QStringLiteral("2"), 1, PeakTable::Beta);
    EXPECT_TRUE(problem->isHidden());
    EXPECT_EQ(results->rowCount(), 2);
    EXPECT_TRUE(in(quantification, "cmdCopyCsv")->isEnabled());

    // A new material in the main window has no numbers yet.
    click(controls().cmdNew);
    EXPECT_EQ(problem->text(), QStringLiteral("The material in the main window lacks a number the IMFP needs: its "
                                              "density, valence electrons, atomic mass and band gap."));
    EXPECT_EQ(results->rowCount(), 0);
}

} // namespace
} // namespace korvane::ui
