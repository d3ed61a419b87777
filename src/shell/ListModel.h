#pragma once

#include <QAbstractListModel>
#include <QSize>
#include <QStringList>

namespace tavorel {

// The rows of a list screen: fixed-width texts, one per record, shown by a QListView. The model
// holds only the texts (a hundred thousand rows cost little more than their characters); the view
// asks for the rows it paints. Every row has the same size, so the view never measures them all.
class ListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum class Order {
        AsGiven, // archive order: the receipt search, the income summary
        Sorted,  // a-z taken as A-Z, then by character code: the member lists
    };

    explicit ListModel(QObject* parent = nullptr);

    // Replaces every row. The rows are moved in, not copied.
    void setRows(QStringList rows, Order order = Order::AsGiven);
    void clear();

    const QStringList& rows() const { return rows_; }
    QString rowText(int row) const;
    // Characters of the longest row (the view makes room for it).
    int longestRow() const { return longest_; }

    // The size every row takes in the view (set by the view's helper from its font).
    void setItemSize(const QSize& size);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QStringList rows_;
    int longest_ = 0;
    QSize itemSize_;
};

} // namespace tavorel
