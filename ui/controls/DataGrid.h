#pragma once

#include <QTableView>

namespace korvane::ui {

// The list of materials as the classic data grid shows it: one header line,
// a narrow record-selector column on the left whose arrow marks the current
// row, and Tab moving on to the next control rather than to the next cell.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    DataGrid(const QFont& headerFont, QWidget* parent);

protected:
    void changeEvent(QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
};

} // namespace korvane::ui
