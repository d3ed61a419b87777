#include "storage/RecordFile.h"

#include "storage/RegularFile.h"

#include <QScopeGuard>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <mutex>
#include <numeric>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tavorel {

namespace {

// The system's reason for the write that just failed was a full disk.
bool lastErrorWasDiskFull()
{
#ifdef Q_OS_WIN
    const DWORD e = GetLastError();
    return e == ERROR_DISK_FULL || e == ERROR_HANDLE_DISK_FULL;
#else
    return errno == ENOSPC || errno == EDQUOT;
#endif
}

} // namespace

RecordFile::~RecordFile()
{
    close();
}

bool RecordFile::open(const QString& path, int recordSize)
{
    close();
    error_.clear();
    if (recordSize <= 0) {
        error_ = QStringLiteral("invalid record size");
        return false;
    }
    // Only a plain file is an archive: a pipe would wait for a writer and a device is not ours.
    if (!isRegularOrAbsent(path)) {
        error_ = QStringLiteral("not a regular file");
        return false;
    }
    file_.setFileName(path);
    // ReadWrite creates a missing file and never truncates an existing one. Unbuffered, so that
    // what is written is in the file before the append lock is released.
    if (!file_.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        error_ = file_.errorString();
        return false;
    }
    if (file_.isSequential()) { // made a pipe or a device since the look at its name
        file_.close();
        error_ = QStringLiteral("not a regular file");
        return false;
    }
    recordSize_ = recordSize;
    return true;
}

void RecordFile::close()
{
    lockDepth_ = 0;
    unlockForAppend();
    if (file_.isOpen())
        file_.close();
    recordSize_ = 0;
}

bool RecordFile::isOpen() const
{
    return file_.isOpen();
}

QString RecordFile::path() const
{
    return file_.fileName();
}

int RecordFile::recordSize() const
{
    return recordSize_;
}

QString RecordFile::errorString() const
{
    return error_;
}

qint64 RecordFile::count() const
{
    if (!isOpen())
        return -1;
    // QFile::size() asks the open handle, so records appended by another copy are counted.
    return file_.size() / recordSize_;
}

qint64 RecordFile::tailBytes() const
{
    return isOpen() ? file_.size() % recordSize_ : 0;
}

bool RecordFile::read(qint64 k, QByteArray& record)
{
    if (!isOpen() || k < 1 || k - 1 > std::numeric_limits<qint64>::max() / recordSize_)
        return false;
    if (!file_.seek((k - 1) * recordSize_)) {
        error_ = file_.errorString();
        return false;
    }
    QByteArray bytes(recordSize_, Qt::Uninitialized);
    if (file_.read(bytes.data(), recordSize_) != recordSize_) {
        error_ = file_.errorString();
        return false;
    }
    record = bytes;
    return true;
}

bool RecordFile::overwrite(qint64 k, const QByteArray& record)
{
    if (!isOpen() || record.size() != recordSize_ || k < 1 || k > count())
        return false;
    QByteArray before;
    const bool hadBefore = read(k, before);
    if (writeAt(k - 1, record))
        return true;
    // Part of the new record may have reached the disk: the old one is put back where it can be,
    // keeping the reason of the first failure.
    if (hadBefore) {
        const QString error = error_;
        const bool full = diskFull_;
        writeAt(k - 1, before);
        error_ = error;
        diskFull_ = full;
    }
    return false;
}

qint64 RecordFile::append(const QByteArray& record)
{
    if (!isOpen() || record.size() != recordSize_)
        return -1;
    if (!lock())
        return -1;
    // The size is read under the lock: no other copy can append between here and the write.
    const qint64 oldSize = file_.size();
    const qint64 index = oldSize / recordSize_;
    bool written = writeAt(index, record);
    if (!written && file_.size() > oldSize) {
        // Part of the record reached the disk: the file goes back to its old end, so that the
        // archive holds no half record (what was after the last whole record stays as it was).
        file_.resize(oldSize);
    }
    unlock();
    return written ? index + 1 : -1;
}

bool RecordFile::cutBack(qint64 bytes)
{
    if (!isOpen())
        return false;
    return file_.size() <= bytes || file_.resize(bytes);
}

bool RecordFile::lock()
{
    if (!isOpen())
        return false;
    if (lockDepth_ > 0) {
        ++lockDepth_;
        return true;
    }
    if (!lockForAppend())
        return false;
    lockDepth_ = 1;
    return true;
}

void RecordFile::unlock()
{
    if (lockDepth_ == 0)
        return;
    if (--lockDepth_ == 0)
        unlockForAppend();
}

bool RecordFile::forEach(const std::function<bool(qint64 k, const QByteArray& record)>& visit)
{
    return forEachStored([&](qint64 k, QByteArrayView record) { return visit(k, record.toByteArray()); });
}

namespace {

// A scan reads a quarter of a megabyte of whole records at a time: a year's archive can hold a
// hundred thousand records, a club's year of a few thousand is a few such runs, and the reads and
// the rows found in them add up to little beside the list they make. (Mapping the file instead was
// measured slower where page faults are dear, and a file shortened by another workstation while
// mapped would end the program.)
qint64 recordsPerRun(int recordSize)
{
    return std::max<qint64>(1, (1 << 18) / recordSize);
}

// Reads up to `size` bytes at `offset`, stopping early only at the end of the file. Returns the
// bytes read, or -1 with `error` set. Elsewhere than on Windows the scan's threads share the one
// descriptor taken before they start, which pread leaves where it was; on Windows a scan reads on
// the caller's thread alone, through the QFile.
qint64 readAt(QFile& file, [[maybe_unused]] int fd, qint64 offset, char* into, qint64 size, QString& error)
{
    qint64 filled = 0;
#ifdef Q_OS_WIN
    if (!file.seek(offset)) {
        error = file.errorString();
        return -1;
    }
#endif
    while (filled < size) {
#ifdef Q_OS_WIN
        const qint64 n = file.read(into + filled, size - filled);
        if (n < 0) {
            error = file.errorString();
            return -1;
        }
#else
        Q_UNUSED(file);
        const ssize_t n = ::pread(fd, into + filled, std::size_t(size - filled), off_t(offset + filled));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = qt_error_string(errno);
            return -1;
        }
#endif
        if (n == 0)
            break;
        filled += n;
    }
    return filled;
}

} // namespace

bool RecordFile::forEachStored(const std::function<bool(qint64 k, QByteArrayView record)>& visit)
{
    if (!isOpen())
        return false;
    const qint64 runBytes = recordsPerRun(recordSize_) * recordSize_;
    QByteArray buffer(std::min(runBytes, std::max<qint64>(file_.size(), recordSize_)), Qt::Uninitialized);
    const int fd = file_.handle();
    qint64 k = 0;
    for (qint64 offset = 0;; offset += buffer.size()) {
        const qint64 got = readAt(file_, fd, offset, buffer.data(), buffer.size(), error_);
        if (got < 0)
            return false;
        // A partial record at the end is not visited.
        const qint64 whole = got / recordSize_;
        for (qint64 i = 0; i < whole; ++i) {
            if (!visit(++k, QByteArrayView(buffer.constData() + i * recordSize_, recordSize_)))
                return true;
        }
        if (got < buffer.size())
            return true;
    }
}

bool RecordFile::scanRuns(RunScan& scan, qint64 poolFrom)
{
    if (!isOpen())
        return false;
    const qint64 runRecords = recordsPerRun(recordSize_);
    const qint64 records = file_.size() / recordSize_;
    const qsizetype runs = qsizetype((records + runRecords - 1) / runRecords);
    scan.begin(runs);
    if (runs == 0)
        return true;

    // One run: read into a buffer of its own, looked at, and the error that ended it, if any. A
    // file shortened since the scan began yields fewer records, or none. A look that runs out of
    // memory ends the scan as a failed read would.
    const int fd = file_.handle();
    std::mutex handOver;
    auto readAndLook = [&](qsizetype run) -> QString {
        const qint64 first = qint64(run) * runRecords;
        const qint64 want = std::min(runRecords, records - first) * recordSize_;
        QString error;
        try {
            QByteArray buffer(want, Qt::Uninitialized);
            const qint64 got = readAt(file_, fd, first * recordSize_, buffer.data(), want, error);
            if (got < 0)
                return error.isEmpty() ? QStringLiteral("read failed") : error;
            scan.look(run, first + 1, QByteArrayView(buffer.constData(), got - got % recordSize_));
        } catch (const std::exception& e) {
            return QString::fromLocal8Bit(e.what());
        }
        // Qt's future already orders the look before its take; passing this lock on says so to
        // ThreadSanitizer too, which cannot see inside Qt's own locks (`make tsan`).
        const std::lock_guard handedOver(handOver);
        return {};
    };
    auto fail = [&](const QString& error) {
        error_ = error;
        return false;
    };

#ifndef Q_OS_WIN
    // A big file's runs are read and looked at on Qt's thread pool, in any order; the caller takes
    // them in file order as they come. On a failure the runs not yet begun are cancelled, and the scan
    // returns (or lets a take's exception go) only after every look under way has ended.
    if (file_.size() >= poolFrom && runs > 1) {
        QList<qsizetype> all(runs);
        std::iota(all.begin(), all.end(), qsizetype(0));
        QFuture<QString> looked = QtConcurrent::mapped(all, readAndLook);
        const auto waitForLooks = qScopeGuard([&] {
            looked.cancel();
            looked.waitForFinished();
        });
        for (qsizetype run = 0; run < runs; ++run) {
            const QString error = looked.resultAt(int(run));
            if (!error.isEmpty())
                return fail(error);
            handOver.lock(); // see readAndLook
            handOver.unlock();
            scan.take(run);
        }
        return true;
    }
#endif
    for (qsizetype run = 0; run < runs; ++run) {
        const QString error = readAndLook(run);
        if (!error.isEmpty())
            return fail(error);
        scan.take(run);
    }
    return true;
}

bool RecordFile::writeAt(qint64 index, const QByteArray& record)
{
    diskFull_ = false;
    errno = 0;
    if (!file_.seek(index * recordSize_) || file_.write(record) != record.size()) {
        error_ = file_.errorString();
        diskFull_ = lastErrorWasDiskFull();
        return false;
    }
    return true;
}

#ifdef Q_OS_WIN

// The lock is taken on a second handle of the same file; byte-range locks are per handle and the
// locked byte is never read or written, so the archive's own handle is not hindered by it.
bool RecordFile::lockForAppend()
{
    HANDLE h = CreateFileW(reinterpret_cast<const wchar_t*>(file_.fileName().utf16()), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error_ = QStringLiteral("cannot open the file to lock it");
        return false;
    }
    OVERLAPPED at{};
    at.Offset = DWORD(quint64(kAppendLockOffset) & 0xFFFFFFFFu);
    at.OffsetHigh = DWORD(quint64(kAppendLockOffset) >> 32);
    if (!LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at)) {
        CloseHandle(h);
        error_ = QStringLiteral("cannot lock the file");
        return false;
    }
    lockHandle_ = h;
    return true;
}

void RecordFile::unlockForAppend()
{
    if (!lockHandle_)
        return;
    HANDLE h = static_cast<HANDLE>(lockHandle_);
    OVERLAPPED at{};
    at.Offset = DWORD(quint64(kAppendLockOffset) & 0xFFFFFFFFu);
    at.OffsetHigh = DWORD(quint64(kAppendLockOffset) >> 32);
    UnlockFileEx(h, 0, 1, 0, &at);
    CloseHandle(h);
    lockHandle_ = nullptr;
}

SharedAppendLock::SharedAppendLock(QFile& file)
{
    HANDLE h = CreateFileW(reinterpret_cast<const wchar_t*>(file.fileName().utf16()), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error_ = QStringLiteral("cannot open the file to lock it");
        return;
    }
    OVERLAPPED at{};
    at.Offset = DWORD(quint64(RecordFile::kAppendLockOffset) & 0xFFFFFFFFu);
    at.OffsetHigh = DWORD(quint64(RecordFile::kAppendLockOffset) >> 32);
    // Without LOCKFILE_EXCLUSIVE_LOCK: shared with other readers, exclusive of an append.
    if (!LockFileEx(h, 0, 0, 1, 0, &at)) {
        CloseHandle(h);
        error_ = QStringLiteral("cannot lock the file");
        return;
    }
    lockHandle_ = h;
    held_ = true;
}

SharedAppendLock::~SharedAppendLock()
{
    if (!lockHandle_)
        return;
    HANDLE h = static_cast<HANDLE>(lockHandle_);
    OVERLAPPED at{};
    at.Offset = DWORD(quint64(RecordFile::kAppendLockOffset) & 0xFFFFFFFFu);
    at.OffsetHigh = DWORD(quint64(RecordFile::kAppendLockOffset) >> 32);
    UnlockFileEx(h, 0, 1, 0, &at);
    CloseHandle(h);
}

#else

namespace {

// Open-file-description locks belong to this open file, not to the process, so two RecordFile
// objects of one process exclude each other too, and closing another descriptor of the same file
// does not drop the lock. Where they are missing, classic POSIX locks still exclude other copies.
#ifdef F_OFD_SETLKW
constexpr int kSetLockWait = F_OFD_SETLKW;
constexpr int kSetLock = F_OFD_SETLK;
#else
constexpr int kSetLockWait = F_SETLKW;
constexpr int kSetLock = F_SETLK;
#endif

bool setAppendLock(int fd, short type, int command)
{
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = off_t(RecordFile::kAppendLockOffset);
    lock.l_len = 1;
    while (fcntl(fd, command, &lock) == -1) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

} // namespace

bool RecordFile::lockForAppend()
{
    if (setAppendLock(file_.handle(), F_WRLCK, kSetLockWait)) {
        locked_ = true;
        return true;
    }
    // A file system that has no byte-range locks at all: append as the program always did,
    // without coordination, rather than refuse every new record.
    if (errno == ENOLCK || errno == EOPNOTSUPP || errno == ENOSYS)
        return true;
    error_ = qt_error_string(errno);
    return false;
}

void RecordFile::unlockForAppend()
{
    if (!locked_)
        return;
    setAppendLock(file_.handle(), F_UNLCK, kSetLock);
    locked_ = false;
}

SharedAppendLock::SharedAppendLock(QFile& file)
{
    if (setAppendLock(file.handle(), F_RDLCK, kSetLockWait)) {
        fd_ = file.handle();
        held_ = true;
        return;
    }
    if (errno == ENOLCK || errno == EOPNOTSUPP || errno == ENOSYS) {
        held_ = true;
        return;
    }
    error_ = QString::fromLocal8Bit(std::strerror(errno));
}

SharedAppendLock::~SharedAppendLock()
{
    if (fd_ >= 0)
        setAppendLock(fd_, F_UNLCK, kSetLock);
}

#endif

} // namespace tavorel
