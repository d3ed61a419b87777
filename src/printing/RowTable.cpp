#include "printing/RowTable.h"

#include "storage/Cp1252.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace tavorel {

namespace {

// Up to eight bytes of a row as one big-endian number, zero-padded, with a to z taken as A to Z:
// the row's sort key, eight characters at a time.
quint64 keyBytes(const char* text, qsizetype length)
{
    uchar bytes[8] = {};
    std::memcpy(bytes, text, std::size_t(length));
    const quint64 v = qFromBigEndian<quint64>(bytes);
    // The bytes from 'a' (0x61) to 'z' (0x7A) lose 0x20, all eight at once; a byte with its high
    // bit set is left as it is.
    constexpr quint64 kHigh = 0x8080808080808080ULL;
    constexpr quint64 kEach = 0x0101010101010101ULL;
    const quint64 low = v & ~kHigh;
    const quint64 fromA = low + kEach * (0x80 - 0x61);
    const quint64 pastZ = low + kEach * (0x80 - 0x7B);
    const quint64 lower = fromA & ~pastZ & ~v & kHigh;
    return v - (lower >> 2);
}

} // namespace

void RowTable::clear()
{
    text_.clear();
    rows_.clear();
    longest_ = 0;
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
    const qsizetype at = text_.size();
    text_.append(row);
    endRow(at);
}

void RowTable::append(const QString& row)
{
    append(QByteArrayView(toCp1252(row)));
}

void RowTable::endRow(qsizetype at)
{
    const qsizetype size = text_.size() - at;
    rows_.push_back({keyBytes(text_.constData() + at, std::min<qsizetype>(8, size)), at, size});
    longest_ = std::max(longest_, int(size));
}

void RowTable::sort()
{
    // Sorted in place, with no buffer of keys: on some systems a big list's first-touched memory
    // costs more than the comparisons. A row's key is its bytes with a to z taken as A to Z
    // (Windows-1252 orders the other characters by their code already): its first eight bytes,
    // kept with the row, decide most comparisons; the rest is compared eight bytes at a time. The
    // rows were appended in order, so where a row lies in the text breaks ties: the sort is stable.
    const char* text = text_.constData();
    std::sort(rows_.begin(), rows_.end(), [text](const Row& a, const Row& b) {
        if (a.head != b.head)
            return a.head < b.head;
        const qsizetype n = std::min(a.size, b.size);
        for (qsizetype from = 8; from < n; from += 8) {
            const qsizetype length = std::min<qsizetype>(8, n - from);
            const quint64 x = keyBytes(text + a.at + from, length);
            const quint64 y = keyBytes(text + b.at + from, length);
            if (x != y)
                return x < y;
        }
        if (a.size != b.size)
            return a.size < b.size;
        return a.at < b.at;
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
