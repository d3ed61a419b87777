#include "shell/ListModel.h"

#include "printing/ListRows.h"

namespace tavorel {

ListModel::ListModel(QObject* parent) : QAbstractListModel(parent)
{
}

void ListModel::setRows(QStringList rows, Order order)
{
    if (order == Order::Sorted)
        ListRows::sort(rows);
    beginResetModel();
    rows_ = std::move(rows);
    longest_ = 0;
    for (const QString& row : std::as_const(rows_))
        longest_ = std::max(longest_, int(row.size()));
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
