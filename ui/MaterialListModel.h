#pragma once

#include <QAbstractTableModel>

namespace korvane {
class MaterialStore;
}

namespace korvane::ui {

// The name list: Name and ID of every stored material, read from the store
// row by row as the view asks, so a large table costs nothing up front.
class MaterialListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit MaterialListModel(const MaterialStore& store, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // After rows were added or deleted in the store.
    void reload();

private:
    const MaterialStore& store_;
    int rows_;
};

} // namespace korvane::ui
