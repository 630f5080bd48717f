#include "ui/mainwindow/MaterialListModel.h"

namespace korvane::ui {

MaterialListModel::MaterialListModel(MaterialStore& store, QObject* parent)
    : QAbstractTableModel(parent), store_(store), rows_(store.storedRowCount())
{
    store_.addListener(this);
}

MaterialListModel::~MaterialListModel()
{
    store_.removeListener(this);
}

int MaterialListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int MaterialListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant MaterialListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_)
        return {};
    const Material& material = store_.row(index.row());
    return index.column() == 0 ? QVariant(material.name) : QVariant(material.id);
}

QVariant MaterialListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    return section == 0 ? QStringLiteral("Name") : QStringLiteral("ID");
}

void MaterialListModel::rowsReread()
{
    beginResetModel();
    rows_ = store_.storedRowCount();
    endResetModel();
}

} // namespace korvane::ui
