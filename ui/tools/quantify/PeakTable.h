#pragma once

#include <QString>
#include <QTableWidget>

#include <vector>

namespace korvane::ui {

// A peak as its row holds it: the texts of its cells, trimmed.
struct TypedPeak {
    QString element; // "Cu"
    QString level;   // "2p3/2"
    QString area;    // "1000"
    QString beta;    // "" where the level's own β (or none) is meant
    bool operator==(const TypedPeak&) const = default;
};

// The peaks of a spreadsheet's copied cells, one per line: element, level,
// area and β tab-separated, or the line whole in the first cell ("Cu 2p3/2")
// followed by the area and β. Blank lines are passed over.
std::vector<TypedPeak> pastedPeaks(const QString& text);

// The table of peaks a quantification reads: element, level, area and an
// optional β, one peak per row. Typing into the blank row at the foot adds a
// peak; a row emptied of every cell goes. Ctrl+V pastes copied spreadsheet
// rows from the current row down, over the rows there, as many rows as were
// copied; a copied single cell goes into the current cell.
class PeakTable : public QTableWidget {
    Q_OBJECT
public:
    enum Column { Element, Level, Area, Beta, ColumnCount };

    explicit PeakTable(QWidget* parent = nullptr);

    // The rows that hold anything, in order.
    std::vector<TypedPeak> peaks() const;
    void paste(const QString& text);

signals:
    // Once per edit or paste that changed a cell.
    void peaksChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setRow(int row, const TypedPeak& peak);
    bool rowIsBlank(int row) const;
    // Drops emptied rows and keeps one blank row at the foot.
    void tidyRows();
    void cellEdited();

    bool filling_ = false; // cells are being set by the table itself
};

} // namespace korvane::ui
