#pragma once

#include "lists/RowTable.h"

#include <QAbstractListModel>
#include <QSize>

namespace tavorel {

// The rows of a list screen: fixed-width texts, one per record, shown by a QListView. The model
// holds the rows as a RowTable (a hundred thousand rows cost one byte a character); the view asks
// for the rows it paints, and only those become text. Every row has the same size, so the view never measures them all.
class ListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum class Order {
        AsGiven, // archive order: the receipt search, the income summary
        Sorted,  // a-z taken as A-Z, then by character code: the member lists
    };

    explicit ListModel(QObject* parent = nullptr);

    // Replaces every row. The rows are moved in, not copied.
    void setRows(RowTable rows, Order order = Order::AsGiven);
    void clear();

    const RowTable& rows() const { return rows_; }
    QString rowText(int row) const;
    // Characters of the longest row (the view makes room for it).
    int longestRow() const { return rows_.longest(); }

    // The size every row takes in the view (set by the view's helper from its font).
    void setItemSize(const QSize& size);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    RowTable rows_;
    QSize itemSize_;
};

} // namespace tavorel
