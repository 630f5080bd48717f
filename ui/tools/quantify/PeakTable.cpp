#include "ui/tools/quantify/PeakTable.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QRegularExpression>

#include <algorithm>

namespace korvane::ui {

std::vector<TypedPeak> pastedPeaks(const QString& text)
{
    std::vector<TypedPeak> peaks;
    for (const QString& line : text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")))) {
        if (line.trimmed().isEmpty())
            continue;
        QStringList cells = line.split(u'\t');
        for (QString& cell : cells)
            cell = cell.trimmed();
        // "Cu 2p3/2" in one cell is the element and its level.
        const qsizetype blank = cells[0].indexOf(QRegularExpression(QStringLiteral("\\s")));
        if (blank > 0) {
            const QString line = cells.takeFirst();
            cells.prepend(line.mid(blank).trimmed());
            cells.prepend(line.left(blank));
        }
        while (cells.size() < PeakTable::ColumnCount)
            cells.append(QString());
        peaks.push_back({cells[0], cells[1], cells[2], cells[3]});
    }
    return peaks;
}

PeakTable::PeakTable(QWidget* parent) : QTableWidget(0, ColumnCount, parent)
{
    setObjectName(QStringLiteral("tblPeaks"));
    setHorizontalHeaderLabels({QStringLiteral("Element"), QStringLiteral("Level"), QStringLiteral("Area"),
                               QStringLiteral("\u03B2 (optional)")});
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    setTabKeyNavigation(false); // Tab moves on to the next control
    tidyRows();
    connect(this, &QTableWidget::itemChanged, this, [this] {
        if (!filling_)
            cellEdited();
    });
}

std::vector<TypedPeak> PeakTable::peaks() const
{
    std::vector<TypedPeak> peaks;
    const auto cell = [this](int row, int column) {
        const QTableWidgetItem* item = this->item(row, column);
        return item ? item->text().trimmed() : QString();
    };
    for (int row = 0; row < rowCount(); ++row)
        if (!rowIsBlank(row))
            peaks.push_back({cell(row, Element), cell(row, Level), cell(row, Area), cell(row, Beta)});
    return peaks;
}

void PeakTable::paste(const QString& text)
{
    const std::vector<TypedPeak> pasted = pastedPeaks(text);
    if (pasted.empty())
        return;
    filling_ = true;
    // A copied cell holds no tab and no line break; in the element's column
    // it is a whole line ("Cu 2p3/2") when it holds a blank.
    const QString cell = text.trimmed();
    const int column = std::max(0, currentColumn());
    const bool oneCell = !cell.contains(QRegularExpression(QStringLiteral("[\t\r\n]")))
                         && !(column == Element && cell.contains(QRegularExpression(QStringLiteral("\\s"))));
    const int first = std::max(0, currentRow());
    if (oneCell) {
        setItem(first, column, new QTableWidgetItem(cell));
    } else {
        if (rowCount() < first + int(pasted.size()))
            setRowCount(first + int(pasted.size()));
        for (std::size_t i = 0; i < pasted.size(); ++i)
            setRow(first + int(i), pasted[i]);
    }
    filling_ = false;
    tidyRows();
    emit peaksChanged();
}

void PeakTable::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        paste(QGuiApplication::clipboard()->text());
        return;
    }
    if (event->key() == Qt::Key_Delete && state() != EditingState) {
        filling_ = true;
        for (QTableWidgetItem* item : selectedItems())
            item->setText(QString());
        filling_ = false;
        cellEdited();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void PeakTable::setRow(int row, const TypedPeak& peak)
{
    const QString cells[ColumnCount] = {peak.element, peak.level, peak.area, peak.beta};
    for (int column = 0; column < ColumnCount; ++column)
        setItem(row, column, new QTableWidgetItem(cells[column]));
}

bool PeakTable::rowIsBlank(int row) const
{
    for (int column = 0; column < ColumnCount; ++column)
        if (const QTableWidgetItem* cell = item(row, column); cell && !cell->text().trimmed().isEmpty())
            return false;
    return true;
}

void PeakTable::tidyRows()
{
    for (int row = rowCount() - 2; row >= 0; --row)
        if (rowIsBlank(row))
            removeRow(row);
    if (rowCount() == 0 || !rowIsBlank(rowCount() - 1))
        insertRow(rowCount());
}

void PeakTable::cellEdited()
{
    tidyRows();
    emit peaksChanged();
}

} // namespace korvane::ui
