#pragma once

#include "storage/RecordLayout.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

#include <functional>

namespace tavorel {

// An archive of fixed-size records, open for one user action and closed when the object goes
// away. Record numbers count from 1: record k starts at byte (k - 1) * recordSize. The count is
// the size of the open file divided by the record size; a partial record at the end is not
// counted, and the next append writes over it.
//
// Every operation returns its failure (false or -1) instead of reporting it: the screen that
// asked shows the access message.
class RecordFile {
public:
    // Append serialises on an exclusive lock of this one byte, far past any end of file an
    // archive can reach, so that copies of the program sharing the folder never write two records
    // at the same offset. Nothing is ever read or written there: the file format stays as it is.
    static constexpr qint64 kAppendLockOffset = 0x7FFFFFFF00000000LL;

    RecordFile() = default;
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Opens the file for reading and writing, creating it empty only when it does not exist. A
    // file that exists but cannot be opened (permissions, a folder of that name) is an error and
    // is left exactly as it was: an archive is never truncated.
    bool open(const QString& path, int recordSize);
    void close();
    bool isOpen() const;

    QString path() const;
    int recordSize() const;
    // The system's reason for the last failure, for diagnostics.
    QString errorString() const;

    // Whole records in the file now, or -1 when it is not open.
    qint64 count() const;
    // Bytes after the last whole record: a record whose save never finished, or 0.
    qint64 tailBytes() const;
    // Reads record k (1-based); false if it is not a whole record of the file.
    bool read(qint64 k, QByteArray& record);
    // Rewrites record k (1..count) in place; its number does not change.
    bool overwrite(qint64 k, const QByteArray& record);
    // Writes the record after the last whole one and returns its number, or -1.
    qint64 append(const QByteArray& record);
    // Visits every whole record from the first, in order, with its number; stops early when
    // `visit` returns false. Returns false on a read failure.
    bool forEach(const std::function<bool(qint64 k, const QByteArray& record)>& visit);
    // The same without a copy of each record: `record` points into the read buffer and is valid
    // only during the call. For scans that look at every record and keep only a few.
    // Both read a big file ahead on a second thread while `visit` runs on the caller's: `visit`
    // must not use this RecordFile (its record size excepted) until the scan returns.
    bool forEachStored(const std::function<bool(qint64 k, QByteArrayView record)>& visit);

private:
    bool writeAt(qint64 index, const QByteArray& record);
    bool lockForAppend();
    void unlockForAppend();

    QFile file_;
    int recordSize_ = 0;
    QString error_;
#ifdef Q_OS_WIN
    void* lockHandle_ = nullptr;
#else
    bool locked_ = false;
#endif
};

// Typed access through a record layout; each refuses a file opened with another record size.

template <typename T>
bool readRecord(RecordFile& file, qint64 k, T& record)
{
    QByteArray bytes;
    if (file.recordSize() != T::RecordSize || !file.read(k, bytes))
        return false;
    record = decodeRecord<T>(bytes);
    return true;
}

template <typename T>
bool overwriteRecord(RecordFile& file, qint64 k, const T& record)
{
    return file.recordSize() == T::RecordSize && file.overwrite(k, encodeRecord(record));
}

template <typename T>
qint64 appendRecord(RecordFile& file, const T& record)
{
    return file.recordSize() == T::RecordSize ? file.append(encodeRecord(record)) : -1;
}

// What a scan could not show: records that are not whole (a length byte beyond its field, so the
// file is damaged there) and a torn record at the end.
struct ScanDamage {
    qint64 unreadable = 0;
    bool tornTail = false;
    bool any() const { return unreadable > 0 || tornTail; }
    // How many records the user is told could not be read: a torn tail is one record whose save
    // never finished.
    qint64 records() const { return unreadable + (tornTail ? 1 : 0); }
};

// Visits every whole record (see recordIsWhole) from the first, skipping and counting in `damage`
// those that are not. For the scans that list records (searches, expiry lists, the income
// summary): they show what can be read and, when damage.unreadable is not 0, tell the user how
// many records of which file they skipped. `visit(k, record)` returns true to go on.
template <typename T, typename Visit>
bool forEachReadableRecord(RecordFile& file, Visit&& visit, ScanDamage& damage)
{
    damage = {};
    if (file.recordSize() != T::RecordSize)
        return false;
    damage.tornTail = file.tailBytes() > 0;
    return file.forEach([&](qint64 k, const QByteArray& bytes) {
        if (!recordIsWhole<T>(bytes)) {
            ++damage.unreadable;
            return true;
        }
        return visit(k, decodeRecord<T>(bytes));
    });
}

// `visit(k, record)` returns true to go on, false to stop.
template <typename T, typename Visit>
bool forEachRecord(RecordFile& file, Visit&& visit)
{
    if (file.recordSize() != T::RecordSize)
        return false;
    return file.forEach([&](qint64 k, const QByteArray& bytes) { return visit(k, decodeRecord<T>(bytes)); });
}

} // namespace tavorel
