#include "storage/RecordFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tavorel {

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
    file_.setFileName(path);
    // ReadWrite creates a missing file and never truncates an existing one. Unbuffered, so that
    // what is written is in the file before the append lock is released.
    if (!file_.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        error_ = file_.errorString();
        return false;
    }
    recordSize_ = recordSize;
    return true;
}

void RecordFile::close()
{
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
    return writeAt(k - 1, record);
}

qint64 RecordFile::append(const QByteArray& record)
{
    if (!isOpen() || record.size() != recordSize_)
        return -1;
    if (!lockForAppend())
        return -1;
    // The size is read under the lock: no other copy can append between here and the write.
    const qint64 index = file_.size() / recordSize_;
    const bool written = writeAt(index, record);
    unlockForAppend();
    return written ? index + 1 : -1;
}

bool RecordFile::forEach(const std::function<bool(qint64 k, const QByteArray& record)>& visit)
{
    return forEachStored([&](qint64 k, QByteArrayView record) { return visit(k, record.toByteArray()); });
}

bool RecordFile::forEachStored(const std::function<bool(qint64 k, QByteArrayView record)>& visit)
{
    if (!isOpen())
        return false;
    if (!file_.seek(0)) {
        error_ = file_.errorString();
        return false;
    }
    // Reads about a megabyte at a time: a year's archive can hold a hundred thousand records. (Mapping
    // the file instead was measured slower where page faults are dear, and a file shortened by
    // another workstation while mapped would end the program.)
    const qint64 chunkRecords = std::max<qint64>(1, (1 << 20) / recordSize_);
    QByteArray buffer(chunkRecords * recordSize_, Qt::Uninitialized);
    qint64 filled = 0;
    qint64 k = 0;
    for (;;) {
        const qint64 n = file_.read(buffer.data() + filled, buffer.size() - filled);
        if (n < 0) {
            error_ = file_.errorString();
            return false;
        }
        if (n == 0)
            return true; // end of file; a partial record left in the buffer does not count
        filled += n;
        const qint64 whole = filled / recordSize_;
        for (qint64 i = 0; i < whole; ++i) {
            if (!visit(++k, QByteArrayView(buffer.constData() + i * recordSize_, recordSize_)))
                return true;
        }
        const qint64 rest = filled - whole * recordSize_;
        std::memmove(buffer.data(), buffer.constData() + whole * recordSize_, size_t(rest));
        filled = rest;
    }
}

bool RecordFile::writeAt(qint64 index, const QByteArray& record)
{
    if (!file_.seek(index * recordSize_) || file_.write(record) != record.size()) {
        error_ = file_.errorString();
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
    error_ = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

void RecordFile::unlockForAppend()
{
    if (!locked_)
        return;
    setAppendLock(file_.handle(), F_UNLCK, kSetLock);
    locked_ = false;
}

#endif

} // namespace tavorel
