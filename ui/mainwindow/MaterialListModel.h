#pragma once

#include "materials/store/MaterialStore.h"

#include <QAbstractTableModel>

namespace korvane::ui {

// The name list: Name and ID of every stored material, read from the store
// row by row as the view asks, so a large table costs nothing up front. It
// starts afresh whenever the store has read its rows again.
class MaterialListModel : public QAbstractTableModel, private MaterialStoreListener {
    Q_OBJECT
public:
    explicit MaterialListModel(MaterialStore& store, QObject* parent = nullptr);
    ~MaterialListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void rowsReread() override;

    MaterialStore& store_;
    int rows_;
};

} // namespace korvane::ui
