#include "backup/FileAccess.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <io.h>
#include <qt_windows.h>
#else
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavorel {

RenameResult renameWithoutReplacing(const QString& from, const QString& to)
{
#ifdef Q_OS_WIN
    // Without MOVEFILE_REPLACE_EXISTING the move fails when the target exists.
    if (MoveFileExW(reinterpret_cast<const wchar_t*>(from.utf16()), reinterpret_cast<const wchar_t*>(to.utf16()),
                    MOVEFILE_WRITE_THROUGH))
        return RenameResult::Done;
    const DWORD error = GetLastError();
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? RenameResult::TargetExists
                                                                       : RenameResult::Failed;
#else
    const QByteArray f = QFile::encodeName(from);
    const QByteArray t = QFile::encodeName(to);
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, f.constData(), AT_FDCWD, t.constData(), RENAME_NOREPLACE) == 0)
        return RenameResult::Done;
    if (errno == EEXIST)
        return RenameResult::TargetExists;
    // File systems that cannot refuse to replace (some network shares) are asked the plain way.
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return RenameResult::Failed;
#endif
    struct stat st {};
    if (::lstat(t.constData(), &st) == 0)
        return RenameResult::TargetExists;
    return std::rename(f.constData(), t.constData()) == 0 ? RenameResult::Done : RenameResult::Failed;
#endif
}

bool syncFile(QFile& file)
{
    if (!file.flush())
        return false;
#ifdef Q_OS_WIN
    return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle())));
#else
    int result = 0;
    do {
        result = ::fsync(file.handle());
    } while (result != 0 && errno == EINTR);
    return result == 0;
#endif
}

void dropCachedPages(QFile& file)
{
#if defined(Q_OS_LINUX)
    ::posix_fadvise(file.handle(), 0, 0, POSIX_FADV_DONTNEED);
#else
    Q_UNUSED(file);
#endif
}

} // namespace tavorel
