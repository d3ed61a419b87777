#pragma once

#include "shell/ExportScreen.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringView>

namespace tavorel {

// The grid's texts. A year can hold a hundred thousand receipts, so a row is one text with its
// cells (columns 1 onwards) separated by U+0000, which no cell keeps (it is turned into a blank,
// as the export does with every control character); the record number of column 0 is the row's.
class ExportGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr QChar kSeparator = QChar(0);

    explicit ExportGridModel(const QList<ExportColumn>& columns, QObject* parent)
        : QAbstractTableModel(parent), columns_(columns)
    {
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(rows_.size()); }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(columns_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        return cell(index.row(), index.column());
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (!index.isValid() || role != Qt::EditRole || index.column() == 0 || columns_[index.column()].readOnly)
            return false;
        QList<QStringView> cells = split(rows_.at(index.row()));
        const QString typed = clean(value.toString());
        cells[index.column() - 1] = typed;
        QString row;
        for (qsizetype c = 0; c < cells.size(); ++c) {
            if (c > 0)
                row += kSeparator;
            row += cells[c];
        }
        rows_[index.row()] = row;
        emit dataChanged(index, index);
        return true;
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        Qt::ItemFlags f = QAbstractTableModel::flags(index);
        if (index.isValid() && !columns_[index.column()].readOnly)
            f |= Qt::ItemIsEditable;
        return f;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < columns_.size())
            return columns_[section].title;
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    QString cell(int row, int column) const
    {
        if (column == 0)
            return QString::number(row + 1);
        const QList<QStringView> cells = split(rows_.at(row));
        return column - 1 < cells.size() ? cells[column - 1].toString() : QString();
    }

    void resize(qint64 count)
    {
        beginResetModel();
        rows_ = QList<QString>(count);
        endResetModel();
    }

    // Rows are filled after resize(), before the view shows them; rowsChanged() tells the view.
    void setRow(qint64 row, QString&& cells)
    {
        if (row >= 0 && row < rows_.size())
            rows_[row] = std::move(cells);
    }

    void rowsChanged()
    {
        if (!rows_.isEmpty())
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }

    const QList<QString>& rows() const { return rows_; }

    // The cells of a row, columns 1 onwards; `into` is reused from row to row.
    static void split(const QString& row, QList<QStringView>& into)
    {
        into.resize(0);
        qsizetype from = 0;
        for (;;) {
            const qsizetype at = row.indexOf(kSeparator, from);
            if (at < 0) {
                into.append(QStringView(row).sliced(from));
                return;
            }
            into.append(QStringView(row).sliced(from, at - from));
            from = at + 1;
        }
    }

    static QList<QStringView> split(const QString& row)
    {
        QList<QStringView> cells;
        split(row, cells);
        return cells;
    }

    static QString clean(QString text) { return text.replace(kSeparator, QLatin1Char(' ')); }

private:
    QList<ExportColumn> columns_;
    QList<QString> rows_;
};

} // namespace tavorel
