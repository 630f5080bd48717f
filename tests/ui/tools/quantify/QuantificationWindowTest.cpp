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

// A refusal shows tpp2m's words and no numbers, and nothing to copy; the
// numbers are back once the input is mended.
TEST_F(QuantificationWindowTest, ARefusalShowsItsWordsAndNoNumbers)
{
    clickRow(2); // Cu
    QuantificationWindow* quantification = open();
    ASSERT_NE(quantification, nullptr);
    auto* problem = in<QLabel>(quantification, "lblProblem");
    auto* results = in<QTableWidget>(quantification, "tblResults");
    EXPECT_EQ(problem->text(), QStringLiteral("no peak to quantify: give --peak \"LINE=AREA\""));

    paste(quantification, QStringLiteral("Cu 2p\t1000\nCu 3p\t80\n"));
    EXPECT_EQ(problem->text(), QStringLiteral("--peak \"Cu 3p\": a second peak of Cu: give one peak per element"));
    EXPECT_EQ(results->rowCount(), 0);
    EXPECT_FALSE(in(quantification, "cmdCopyCsv")->isEnabled());
    EXPECT_EQ(quantification->csv(), QString());

    paste(quantification, QStringLiteral("O 1s\t250\t3"), 1);
    EXPECT_EQ(problem->text(), QStringLiteral("--peak \"O 1s\": the asymmetry parameter must be from -1 to 2"));
    EXPECT_EQ(results->rowCount(), 0);

    paste(quantification, QStringLiteral("2"), 1, PeakTable::Beta);
    EXPECT_TRUE(problem->isHidden());
    EXPECT_EQ(results->rowCount(), 2);
    EXPECT_TRUE(in(quantification, "cmdCopyCsv")->isEnabled());
}

} // namespace
} // namespace korvane::ui
