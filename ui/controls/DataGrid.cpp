#include "ui/controls/DataGrid.h"

#include <QEvent>
#include <QHeaderView>
#include <QPainter>

namespace korvane::ui {

namespace {

constexpr int kRecordSelectorWidth = 12; // pixels
constexpr int kRowPadding = 3;           // pixels between a row's text and the next row

// The record-selector column: blank buttons, the current row's with a
// small black arrow pointing at the row.
class RecordSelectors : public QHeaderView {
public:
    explicit RecordSelectors(QTableView* grid) : QHeaderView(Qt::Vertical, grid), grid_(grid) {}

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override
    {
        painter->save();
        QHeaderView::paintSection(painter, rect, logicalIndex);
        painter->restore();
        if (logicalIndex != grid_->currentIndex().row())
            return;
        const QPointF centre = QRectF(rect).center();
        const QPointF arrow[] = {centre + QPointF(-2, -4), centre + QPointF(2, 0), centre + QPointF(-2, 4)};
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(Qt::black);
        painter->drawPolygon(arrow, 3);
        painter->restore();
    }

private:
    QTableView* grid_;
};

} // namespace

DataGrid::DataGrid(const QFont& headerFont, QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);

    auto* selectors = new RecordSelectors(this);
    setVerticalHeader(selectors);
    selectors->setSectionResizeMode(QHeaderView::Fixed);
    selectors->setFixedWidth(kRecordSelectorWidth);
    selectors->setSectionsClickable(false);

    QHeaderView* header = horizontalHeader();
    header->setFont(headerFont);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setHighlightSections(false);
}

void DataGrid::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        verticalHeader()->setDefaultSectionSize(fontMetrics().height() + kRowPadding);
}

void DataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    verticalHeader()->viewport()->update();
}

} // namespace korvane::ui
