#include "lists/RowTable.h"

#include "rules/TextRules.h"
#include "storage/Cp1252.h"

#include <algorithm>
#include <cstring>

namespace tavorel {

void RowTable::clear()
{
    *this = RowTable();
}

void RowTable::growText(qsizetype extra)
{
    text_.reserve(std::max({text_.size() + extra, 2 * text_.capacity(), kRowRoom}));
}

QString RowTable::at(qsizetype i) const
{
    const QByteArrayView bytes = bytesAt(i);
    QString row(bytes.size(), Qt::Uninitialized);
    fromCp1252(bytes, row.data());
    return row;
}

QByteArrayView RowTable::bytesAt(qsizetype i) const
{
    const Row& r = rows_.at(std::size_t(i));
    return QByteArrayView(text_.constData() + r.at, r.size);
}

void RowTable::append(QByteArrayView row)
{
    if (text_.capacity() - text_.size() < row.size())
        growText(row.size());
    const qsizetype at = text_.size();
    text_.append(row);
    endRow(at);
}

void RowTable::append(const QString& row)
{
    append(QByteArrayView(toCp1252(row)));
}

void RowTable::appendRows(RowTable&& rows)
{
    if (rows_.empty()) {
        // Moved, not copied; the room this table had goes with the rows it had.
        *this = std::move(rows);
        rows.clear();
        return;
    }
    if (text_.capacity() - text_.size() < rows.text_.size())
        growText(rows.text_.size());
    const qsizetype base = text_.size();
    text_.append(rows.text_);
    for (const Row& r : rows.rows_) {
        rows_.push_back({r.head, r.at + base, r.size});
    }
    longest_ = std::max(longest_, rows.longest_);
    rows.clear();
}

void RowTable::endRow(qsizetype at)
{
    const qsizetype size = text_.size() - at;
    rows_.push_back({keyAZ(text_.constData() + at, std::min<qsizetype>(8, size)), at, size});
    longest_ = std::max(longest_, int(size));
}

void RowTable::sort()
{
    // Sorted in place, with no buffer of keys (compareAZ): a row's first eight bytes of key, kept
    // with the row, decide most comparisons. The rows were appended in order, so where a row lies
    // in the text breaks ties: the sort is stable.
    std::sort(rows_.begin(), rows_.end(), [this](const Row& a, const Row& b) {
        if (a.head != b.head)
            return a.head < b.head;
        const int order = compareAZ(QByteArrayView(text_.constData() + a.at, a.size),
                                    QByteArrayView(text_.constData() + b.at, b.size));
        return order != 0 ? order < 0 : a.at < b.at;
    });
}

QStringList RowTable::toStringList() const
{
    QStringList rows;
    rows.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        rows.append(at(i));
    return rows;
}

RowTable RowTable::fromStringList(const QStringList& rows)
{
    RowTable table;
    for (const QString& row : rows)
        table.append(row);
    return table;
}

} // namespace tavorel
