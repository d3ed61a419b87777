#include "printing/RowTable.h"

#include "storage/Cp1252.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <mutex>

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

// The big buffers of finished tables, kept for the next ones. Memory a process touches for the
// first time costs a page fault a page, which on some systems costs more than writing the rows
// into it; and the allocator gives big freed buffers back to the system, so every list of a
// hundred thousand rows would pay those faults again. A scan's tables of a run each (about a
// megabyte of records) are kept by the handful, the biggest table's text and rows one of each,
// since a screen shows one list at a time.
class RowTable::Kept {
public:
    static constexpr qsizetype kSmallest = 64 * 1024; // smaller ones come quickly from the allocator
    static constexpr qsizetype kRunSized = 1024 * 1024;

    static Kept& instance()
    {
        // Never destroyed: a table may still go after the program's statics are gone.
        static Kept* const kept = new Kept;
        return *kept;
    }
    // An empty buffer with room for at least `bytes`, if one is kept.
    QByteArray takeText(qsizetype bytes)
    {
        std::lock_guard lock(mutex_);
        return takeFrom(texts_, bytes, roomOfText);
    }
    std::vector<Row> takeRows(std::size_t rows)
    {
        std::lock_guard lock(mutex_);
        return takeFrom(rowLists_, qsizetype(rows * sizeof(Row)), roomOfRows);
    }
    // `text` must hold no rows any more; the caller's array is left null either way, and a small
    // one is simply freed.
    void give(QByteArray&& text)
    {
        QByteArray b = std::move(text);
        if (b.capacity() < kSmallest || !b.isDetached())
            return;
        b.resize(0); // keeps its room
        const qsizetype bytes = b.capacity();
        std::lock_guard lock(mutex_);
        keep(texts_, std::move(b), bytes, roomOfText);
    }
    // The same for a row index; the caller's is left empty.
    void give(std::vector<Row>&& rows)
    {
        std::vector<Row> v = std::move(rows);
        if (roomOfRows(v) < kSmallest)
            return;
        v.clear();
        const qsizetype bytes = roomOfRows(v);
        std::lock_guard lock(mutex_);
        keep(rowLists_, std::move(v), bytes, roomOfRows);
    }

private:
    static constexpr std::size_t kRunSizedKept = 8;

    static qsizetype roomOfText(const QByteArray& b) { return b.capacity(); }
    static qsizetype roomOfRows(const std::vector<Row>& v) { return qsizetype(v.capacity() * sizeof(Row)); }

    // The smallest kept buffer with room for `need`.
    template <typename Buffer, typename Room>
    static Buffer takeFrom(std::vector<Buffer>& kept, qsizetype need, Room room)
    {
        auto best = kept.end();
        for (auto it = kept.begin(); it != kept.end(); ++it) {
            if (room(*it) >= need && (best == kept.end() || room(*it) < room(*best)))
                best = it;
        }
        if (best == kept.end())
            return {};
        Buffer b = std::move(*best);
        kept.erase(best);
        return b;
    }
    // Keeps up to kRunSizedKept buffers of a run's size, and of the bigger ones only the biggest.
    template <typename Buffer, typename Room>
    static void keep(std::vector<Buffer>& kept, Buffer&& b, qsizetype bytes, Room room)
    {
        if (bytes > kRunSized) {
            for (auto it = kept.begin(); it != kept.end(); ++it) {
                if (room(*it) > kRunSized) {
                    if (room(*it) < bytes)
                        *it = std::move(b);
                    return;
                }
            }
            kept.push_back(std::move(b));
            return;
        }
        const auto runSized = std::count_if(kept.begin(), kept.end(), [&](const Buffer& k) { return room(k) <= kRunSized; });
        if (std::size_t(runSized) < kRunSizedKept)
            kept.push_back(std::move(b));
    }

    std::mutex mutex_;
    std::vector<QByteArray> texts_;
    std::vector<std::vector<Row>> rowLists_;
};

RowTable::~RowTable()
{
    giveBack();
}

void RowTable::giveBack()
{
    // Either way this table is left empty: give() takes the buffers, keeping only big ones.
    Kept::instance().give(std::move(text_));
    Kept::instance().give(std::move(rows_));
}

void RowTable::clear()
{
    giveBack();
    longest_ = 0;
}

void RowTable::growText(qsizetype extra)
{
    const qsizetype need = std::max({text_.size() + extra, 2 * text_.capacity(), kRowRoom});
    QByteArray bigger;
    if (need >= Kept::kSmallest)
        bigger = Kept::instance().takeText(need);
    if (bigger.capacity() < need)
        bigger.reserve(need);
    bigger.append(text_);
    // The buffer left behind goes back only when it is of a run's size: a big list's smaller
    // buffers, left behind as it grows, are not worth keeping beside it.
    if (text_.capacity() <= Kept::kRunSized)
        Kept::instance().give(std::move(text_));
    text_ = std::move(bigger);
}

void RowTable::growRows()
{
    const std::size_t need = std::max<std::size_t>(2 * rows_.capacity(), 64);
    std::vector<Row> bigger;
    if (qsizetype(need * sizeof(Row)) >= Kept::kSmallest)
        bigger = Kept::instance().takeRows(need);
    bigger.reserve(need);
    bigger.insert(bigger.end(), rows_.begin(), rows_.end());
    if (qsizetype(rows_.capacity() * sizeof(Row)) <= Kept::kRunSized)
        Kept::instance().give(std::move(rows_));
    rows_ = std::move(bigger);
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
        if (rows_.size() == rows_.capacity())
            growRows();
        rows_.push_back({r.head, r.at + base, r.size});
    }
    longest_ = std::max(longest_, rows.longest_);
    rows.clear();
}

void RowTable::endRow(qsizetype at)
{
    const qsizetype size = text_.size() - at;
    if (rows_.size() == rows_.capacity())
        growRows();
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
