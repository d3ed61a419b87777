#pragma once

#include "storage/RecordLayout.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

#include <functional>
#include <vector>

namespace tavorel {

class RunScan;

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
    // Writes the record after the last whole one and returns its number, or -1. A write that
    // fails part-way (a full disk) cuts the file back to what it was, so no half record stays.
    qint64 append(const QByteArray& record);
    // Cuts the file back to `bytes` when it is longer: a step of several writes (blank records, then
    // the record) that failed part-way leaves the file as it was. Call it with the lock held.
    bool cutBack(qint64 bytes);
    // Holds the append lock over a whole step (read, compare, write) so that no other copy of the
    // program appends or writes under the lock meanwhile. Holds nest: the lock goes with the
    // last unlock() or with close().
    bool lock();
    void unlock();
    // The last failure was a full disk (ENOSPC, ERROR_DISK_FULL).
    bool diskFull() const { return diskFull_; }
    // Visits every whole record from the first, in order, with its number; stops early when
    // `visit` returns false. Returns false on a read failure.
    bool forEach(const std::function<bool(qint64 k, const QByteArray& record)>& visit);
    // The same without a copy of each record: `record` points into the read buffer and is valid
    // only during the call. For scans that look at every record and keep only a few. Both read on
    // the caller's thread, a quarter of a megabyte at a time.
    bool forEachStored(const std::function<bool(qint64 k, QByteArrayView record)>& visit);
    // Looks at the whole records the file holds when the scan begins, a run of a quarter of a
    // megabyte at a time, each read into a buffer of its own: a file of `poolFrom` bytes or more
    // on Qt's thread pool (QtConcurrent), a smaller one on the caller's thread. See RunScan for
    // what runs where. Returns false on a read failure, after handing over, in order, the runs
    // looked at before it. Neither scan moves this file's position in a way anyone relies on.
    bool scanRuns(RunScan& scan, qint64 poolFrom = kPoolFromBytes);
    // Below this a scan stays on the caller's thread: starting the pool's threads costs more than
    // they save on a club's year (see bench/bench_search.cpp).
    static constexpr qint64 kPoolFromBytes = 32LL << 20;

private:
    bool writeAt(qint64 index, const QByteArray& record);
    bool lockForAppend();
    void unlockForAppend();

    QFile file_;
    int recordSize_ = 0;
    QString error_;
    bool diskFull_ = false;
    int lockDepth_ = 0;
#ifdef Q_OS_WIN
    void* lockHandle_ = nullptr;
#else
    bool locked_ = false;
#endif
};

// Holds an archive's append lock while the archive is read whole through `file`, open for reading
// (a backup, a check of every record): the lock is taken shared, so such readers do not wait for
// each other, while an append, from this copy of the program or another, waits until it is let go
// and can never leave half a record in what is read. Where the file system has no byte-range locks
// at all nothing is held and reading goes on, as appending does there.
class SharedAppendLock {
public:
    explicit SharedAppendLock(QFile& file);
    ~SharedAppendLock();
    SharedAppendLock(const SharedAppendLock&) = delete;
    SharedAppendLock& operator=(const SharedAppendLock&) = delete;

    // False when the lock could not be taken (the reason is in errorString()).
    bool held() const { return held_; }
    QString errorString() const { return error_; }

private:
    bool held_ = false;
    QString error_;
#ifdef Q_OS_WIN
    void* lockHandle_ = nullptr;
#else
    int fd_ = -1;
#endif
};

// Typed access through a record layout; each refuses a file opened with another record size, and
// the writes a record with a character the file cannot hold (firstUnstorable).

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
    return file.recordSize() == T::RecordSize && !firstUnstorable(record) && file.overwrite(k, encodeRecord(record));
}

template <typename T>
qint64 appendRecord(RecordFile& file, const T& record)
{
    return file.recordSize() == T::RecordSize && !firstUnstorable(record) ? file.append(encodeRecord(record)) : -1;
}

// What RecordFile::scanRuns does with the runs of records it reads.
class RunScan {
public:
    virtual ~RunScan() = default;
    // On the caller's thread, before anything else: how many runs the scan has (0 for an empty
    // file, and then nothing else is called).
    virtual void begin(qsizetype runs) = 0;
    // Run `run` (0 to runs - 1): records `first`, `first` + 1, ... end to end in `records`, whole
    // records only. Called once for each run, on any thread and several at once, so it may touch
    // only what belongs to that run and what no thread changes during the scan.
    virtual void look(qsizetype run, qint64 first, QByteArrayView records) = 0;
    // On the caller's thread, in run order, each run after its look: where the runs' findings
    // are put together.
    virtual void take(qsizetype run) = 0;
};

// scanRuns with a `Part` for each run: `look(first, records, part)` fills the run's part on any
// thread, `take(part)` receives the parts in file order on the caller's thread, and each part is
// dropped once taken, so a long scan holds only the parts not yet taken.
template <typename Part, typename Look, typename Take>
bool scanInParts(RecordFile& file, Look&& look, Take&& take)
{
    struct Scan final : RunScan {
        Scan(Look& l, Take& t) : look_(l), take_(t) {}
        void begin(qsizetype runs) override { parts_.resize(std::size_t(runs)); }
        void look(qsizetype run, qint64 first, QByteArrayView records) override
        {
            look_(first, records, parts_[std::size_t(run)]);
        }
        void take(qsizetype run) override
        {
            take_(parts_[std::size_t(run)]);
            parts_[std::size_t(run)] = Part();
        }
        Look& look_;
        Take& take_;
        std::vector<Part> parts_;
    };
    Scan scan(look, take);
    return file.scanRuns(scan);
}

// Calls `visit(k, record)` for each record of a run that scanRuns handed to a look.
template <typename Visit>
void forEachInRun(qint64 first, QByteArrayView records, int recordSize, Visit&& visit)
{
    const qsizetype count = records.size() / recordSize;
    for (qsizetype i = 0; i < count; ++i)
        visit(first + i, QByteArrayView(records.data() + i * recordSize, recordSize));
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
