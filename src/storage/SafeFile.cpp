#include "storage/SafeFile.h"

#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <unistd.h>
#endif

namespace tavorel {

namespace {

// The new content must be on the disk before it takes the old file's place. QSaveFile syncs on
// commit but does not look at the result; a disk that cannot keep the data says so here.
bool syncToDisk(QSaveFile& file)
{
#ifdef Q_OS_UNIX
    int result = 0;
    do {
        result = ::fsync(file.handle());
    } while (result != 0 && errno == EINTR);
    return result == 0;
#else
    Q_UNUSED(file);
    return true;
#endif
}

} // namespace

bool replaceFileContents(const QString& path, const QByteArray& data)
{
    return replaceFileContents(path, [&data](QIODevice& out) { return out.write(data) == data.size(); });
}

bool replaceFileContents(const QString& path, const std::function<bool(QIODevice& out)>& write)
{
    QSaveFile file(path);
    // No fallback to writing the target in place when no temporary file can be made beside it:
    // that would leave a half-written file behind on failure.
    file.setDirectWriteFallback(false);
    // Unbuffered: every write reaches the system at once, so a failure (full disk, size limit)
    // is the failure of that write and is remembered until commit(), whatever the writer does
    // with the result; a buffered failure could be retried unseen or reported to nobody.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (!write(file) || !file.flush() || !syncToDisk(file)) {
        file.cancelWriting();
        file.commit(); // discards the temporary file; the target is not touched
        return false;
    }
    return file.commit();
}

} // namespace tavorel
