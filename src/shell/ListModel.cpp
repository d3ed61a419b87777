#include "shell/ListModel.h"

namespace tavorel {

ListModel::ListModel(QObject* parent) : QAbstractListModel(parent)
{
}

void ListModel::setRows(RowTable rows, Order order)
{
    if (order == Order::Sorted)
        rows.sort();
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void ListModel::clear()
{
    setRows({});
}

QString ListModel::rowText(int row) const
{
    return row >= 0 && row < rows_.size() ? rows_.at(row) : QString();
}

void ListModel::setItemSize(const QSize& size)
{
    if (size == itemSize_)
        return;
    itemSize_ = size;
    if (!rows_.isEmpty())
        emit dataChanged(index(0), index(int(rows_.size()) - 1), {Qt::SizeHintRole});
}

int ListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return rows_.at(index.row());
    case Qt::SizeHintRole:
        return itemSize_.isValid() ? QVariant(itemSize_) : QVariant();
    default:
        return {};
    }
}

Qt::ItemFlags ListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace tavorel
