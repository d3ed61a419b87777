#include "storage/RecordFile.h"

#include <QScopeGuard>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

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

namespace {

// The most threads a scan in runs reads on, the caller's included.
constexpr int kMostScanThreads = 4;

// One buffer of the scan: whole records, except perhaps at the end of the file.
struct Chunk {
    QByteArray bytes; // from the pool: at least `size` bytes
    qint64 size = 0;  // what a full chunk holds: whole records
    qint64 filled = 0;
    bool end = false;    // the file ended in (or right after) this chunk
    bool failed = false; // the read failed; `error` says why
    QString error;
};

// The scans' buffers outlive the scans. Memory a process touches for the first time costs a page
// fault a page, which on some systems costs as much as reading the page from the page cache; and
// the allocator gives the three megabytes of a scan back to the system when the scan frees them,
// so every search, list and summary would pay that again. A few buffers are kept instead.
class BufferPool {
public:
    static constexpr qint64 kBufferBytes = 1 << 20;

    static BufferPool& instance()
    {
        static BufferPool pool;
        return pool;
    }
    // A buffer of at least `size` bytes (a megabyte, unless one record is bigger).
    QByteArray take(qint64 size)
    {
        {
            std::lock_guard lock(mutex_);
            for (auto it = free_.begin(); it != free_.end(); ++it) {
                if (it->size() >= size) {
                    QByteArray b = std::move(*it);
                    free_.erase(it);
                    return b;
                }
            }
        }
        return QByteArray(std::max(size, kBufferBytes), Qt::Uninitialized);
    }
    void give(QByteArray&& buffer)
    {
        std::lock_guard lock(mutex_);
        if (free_.size() < kKept && buffer.size() == kBufferBytes)
            free_.push_back(std::move(buffer));
    }

private:
    // As many as a scan uses at once: three chunks read ahead, or one a thread of a scan in runs.
    static constexpr std::size_t kKept = std::max<std::size_t>(3, kMostScanThreads);
    std::mutex mutex_;
    std::vector<QByteArray> free_;
};

// Fills `chunk` from the file's position until it is full or the file ends.
void fillChunk(QFile& file, Chunk& chunk)
{
    chunk.filled = 0;
    chunk.end = false;
    chunk.failed = false;
    while (chunk.filled < chunk.size) {
        const qint64 n = file.read(chunk.bytes.data() + chunk.filled, chunk.size - chunk.filled);
        if (n < 0) {
            chunk.failed = true;
            chunk.error = file.errorString();
            return;
        }
        if (n == 0) {
            chunk.end = true;
            return;
        }
        chunk.filled += n;
    }
}

// Reads the file a chunk ahead of the scan on a thread of its own, so that reading the next
// megabyte and looking at this one overlap. Only this thread touches the file until it is joined.
class ReadAhead {
public:
    ReadAhead(QFile& file, qint64 chunkBytes) : file_(file)
    {
        for (Chunk& c : chunks_) {
            c.bytes = BufferPool::instance().take(chunkBytes);
            c.size = chunkBytes;
        }
        for (int i = 0; i < kChunks; ++i)
            free_.push_back(&chunks_[i]);
        thread_ = std::thread([this] { run(); });
    }
    ~ReadAhead()
    {
        stopping_.store(true, std::memory_order_relaxed);
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        thread_.join();
        for (Chunk& c : chunks_)
            BufferPool::instance().give(std::move(c.bytes));
    }
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The next chunk in file order; give it back with release() before asking again.
    Chunk* next()
    {
        spinWhile([this] { return readyCount_.load(std::memory_order_acquire) == 0; });
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !ready_.empty(); });
        readyCount_.fetch_sub(1, std::memory_order_relaxed);
        Chunk* c = ready_.front();
        ready_.pop_front();
        return c;
    }
    void release(Chunk* c)
    {
        {
            std::lock_guard lock(mutex_);
            free_.push_back(c);
            freeCount_.fetch_add(1, std::memory_order_release);
        }
        changed_.notify_all();
    }

private:
    static constexpr int kChunks = 3;

    // Reading or looking at a chunk takes some tens of microseconds: the side that waits for the
    // other first spins that long, since putting a thread to sleep and waking it costs more than
    // that on some machines, twice per chunk.
    template <typename Waiting>
    static void spinWhile(Waiting waiting)
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(200);
        while (waiting()) {
            for (int i = 0; i < 64 && waiting(); ++i)
                std::this_thread::yield();
            if (std::chrono::steady_clock::now() > until)
                return;
        }
    }

    void run()
    {
        for (;;) {
            Chunk* c = nullptr;
            spinWhile([this] {
                return freeCount_.load(std::memory_order_acquire) == 0 && !stopping_.load(std::memory_order_relaxed);
            });
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [this] { return stop_ || !free_.empty(); });
                if (stop_)
                    return;
                c = free_.front();
                free_.pop_front();
                freeCount_.fetch_sub(1, std::memory_order_relaxed);
            }
            fillChunk(file_, *c);
            {
                std::lock_guard lock(mutex_);
                ready_.push_back(c);
                readyCount_.fetch_add(1, std::memory_order_release);
            }
            changed_.notify_all();
            if (c->end || c->failed)
                return;
        }
    }

    QFile& file_;
    Chunk chunks_[kChunks];
    std::deque<Chunk*> free_;
    std::deque<Chunk*> ready_;
    bool stop_ = false;
    std::atomic<int> freeCount_{kChunks};
    std::atomic<int> readyCount_{0};
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::condition_variable changed_;
    std::thread thread_;
};

} // namespace

bool RecordFile::forEachStored(const std::function<bool(qint64 k, QByteArrayView record)>& visit)
{
    if (!isOpen())
        return false;
    if (!file_.seek(0)) {
        error_ = file_.errorString();
        return false;
    }
    // Reads about a megabyte at a time: a year's archive can hold a hundred thousand records.
    // (Mapping the file instead was measured slower where page faults are dear, and a file
    // shortened by another workstation while mapped would end the program.) Every chunk but the
    // last is full, so records never straddle two chunks.
    const qint64 chunkRecords = std::max<qint64>(1, (1 << 20) / recordSize_);
    const qint64 chunkBytes = chunkRecords * recordSize_;
    qint64 k = 0;
    // Visits the whole records of a chunk; false when `visit` asked to stop.
    auto visitChunk = [&](const Chunk& c) {
        const qint64 whole = c.filled / recordSize_;
        for (qint64 i = 0; i < whole; ++i) {
            if (!visit(++k, QByteArrayView(c.bytes.constData() + i * recordSize_, recordSize_)))
                return false;
        }
        return true;
    };
    // A file of one chunk is read here; a bigger one is read ahead on a second thread, or here too
    // when the system gives no thread. A partial record at the end is not visited either way.
    std::optional<ReadAhead> ahead;
    if (file_.size() > chunkBytes) {
        try {
            ahead.emplace(file_, chunkBytes);
        } catch (const std::system_error&) {
        }
    }
    if (!ahead) {
        Chunk c;
        c.bytes = BufferPool::instance().take(chunkBytes);
        c.size = chunkBytes;
        const auto giveBack = qScopeGuard([&] { BufferPool::instance().give(std::move(c.bytes)); });
        for (;;) {
            fillChunk(file_, c);
            if (c.failed) {
                error_ = c.error;
                return false;
            }
            if (!visitChunk(c) || c.end)
                return true;
        }
    }
    for (;;) {
        Chunk* c = ahead->next();
        if (c->failed) {
            error_ = c->error;
            return false;
        }
        const bool goOn = visitChunk(*c) && !c->end;
        ahead->release(c);
        if (!goOn)
            return true;
    }
}

namespace {

// Reads up to `size` bytes at `offset` into `into`, stopping early only at the end of the file.
// Returns the bytes read, or -1 with `error` set. On Windows each thread of a scan has a QFile of
// its own; elsewhere the threads share one descriptor, which pread leaves where it was.
qint64 readAt(QFile& file, qint64 offset, char* into, qint64 size, QString& error)
{
#ifdef Q_OS_WIN
    if (!file.seek(offset)) {
        error = file.errorString();
        return -1;
    }
#endif
    qint64 filled = 0;
    while (filled < size) {
#ifdef Q_OS_WIN
        const qint64 n = file.read(into + filled, size - filled);
        if (n < 0) {
            error = file.errorString();
            return -1;
        }
#else
        const ssize_t n = ::pread(file.handle(), into + filled, std::size_t(size - filled), off_t(offset + filled));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = QString::fromLocal8Bit(std::strerror(errno));
            return -1;
        }
#endif
        if (n == 0)
            break;
        filled += n;
    }
    return filled;
}

// The state of one run of a scan in runs, as its look leaves it.
enum RunState : int { kPending = 0, kLooked = 1, kFailed = 2 };

} // namespace

bool RecordFile::scanRuns(RunScan& scan)
{
    if (!isOpen())
        return false;
    // The same runs as forEachStored's chunks: about a megabyte of whole records, which a core
    // reads and then tests while they are still in its cache.
    const qint64 runRecords = std::max<qint64>(1, (1 << 20) / recordSize_);
    const qint64 runBytes = runRecords * recordSize_;
    const qint64 records = file_.size() / recordSize_;
    const qsizetype runs = qsizetype((records + runRecords - 1) / runRecords);
    scan.begin(runs);
    if (runs == 0)
        return true;

    std::atomic<qsizetype> next{0};
    std::atomic<bool> failed{false};
    std::vector<std::atomic<int>> state(static_cast<std::size_t>(runs));
    for (auto& s : state)
        s.store(kPending, std::memory_order_relaxed);
    std::mutex errorMutex;
    QString firstError;
    qsizetype taken = 0;
    // Hands the runs looked at so far to `take`, in order; only the caller's thread does.
    auto takeReady = [&] {
        while (taken < runs && state[std::size_t(taken)].load(std::memory_order_acquire) == kLooked)
            scan.take(taken++);
    };
    // Ends the scan at `run`: no thread claims another run, and the caller stops taking there.
    auto fail = [&](qsizetype run, const QString& error) {
        {
            std::lock_guard lock(errorMutex);
            if (firstError.isEmpty())
                firstError = error;
        }
        failed.store(true, std::memory_order_relaxed);
        auto& done = state[std::size_t(run)];
        done.store(kFailed, std::memory_order_release);
        done.notify_all();
    };
    // One thread's share: claims the next run not yet claimed, reads it, looks at it, and again,
    // until the runs or the file end or a read fails somewhere.
    auto work = [&](QFile& in, bool caller) {
        QByteArray buffer = BufferPool::instance().take(runBytes);
        const auto giveBack = qScopeGuard([&] { BufferPool::instance().give(std::move(buffer)); });
        while (!failed.load(std::memory_order_relaxed)) {
            const qsizetype run = next.fetch_add(1, std::memory_order_relaxed);
            if (run >= runs)
                return;
            const qint64 first = qint64(run) * runRecords;
            const qint64 want = std::min(runRecords, records - first) * recordSize_;
            QString error;
            const qint64 got = readAt(in, first * recordSize_, buffer.data(), want, error);
            auto& done = state[std::size_t(run)];
            if (got < 0) {
                fail(run, error);
                return;
            }
            // A file shortened since the scan began yields fewer records, or none. A look that
            // runs out of memory ends the scan as a failed read would, on whichever thread.
            try {
                scan.look(run, first + 1, QByteArrayView(buffer.constData(), got - got % recordSize_));
            } catch (const std::exception& e) {
                fail(run, QString::fromLocal8Bit(e.what()));
                return;
            }
            done.store(kLooked, std::memory_order_release);
            done.notify_all();
            if (caller)
                takeReady();
        }
    };

    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const qsizetype helpersWanted = std::min<qsizetype>({qsizetype(cores), kMostScanThreads, runs}) - 1;
    std::vector<std::thread> helpers;
#ifdef Q_OS_WIN
    std::vector<std::unique_ptr<QFile>> helperFiles;
#endif
    // Should taking a run throw on this thread, the helpers are stopped and joined before the
    // exception leaves the scan.
    const auto stopHelpers = qScopeGuard([&] {
        failed.store(true, std::memory_order_relaxed);
        for (std::thread& t : helpers) {
            if (t.joinable())
                t.join();
        }
    });
    for (qsizetype i = 0; i < helpersWanted; ++i) {
        QFile* in = &file_;
#ifdef Q_OS_WIN
        auto own = std::make_unique<QFile>(file_.fileName());
        if (!own->open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            break;
        in = own.get();
        helperFiles.push_back(std::move(own));
#endif
        try {
            helpers.emplace_back([&work, in] { work(*in, false); });
        } catch (const std::system_error&) {
            break; // fewer helpers, or the caller alone
        }
    }
    work(file_, true);
    // Every run up to the first that failed was claimed, so each of them ends looked at or
    // failed: the caller waits for them in order.
    while (taken < runs) {
        auto& done = state[std::size_t(taken)];
        done.wait(kPending, std::memory_order_acquire);
        if (done.load(std::memory_order_acquire) != kLooked)
            break;
        scan.take(taken++);
    }
    for (std::thread& t : helpers)
        t.join();
    if (failed.load()) {
        error_ = firstError.isEmpty() ? QStringLiteral("read failed") : firstError;
        return false;
    }
    return true;
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
