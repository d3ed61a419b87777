#include "storage/RegularFile.h"

#include <QFile>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavorel {

bool isRegularOrAbsent(const QString& path)
{
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

bool openRegularForReading(const QString& path, QFile& file)
{
#ifdef Q_OS_WIN
    if (!QFileInfo(path).isFile())
        return false;
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly);
#else
    // O_NONBLOCK: opening a named pipe would otherwise wait for a writer; the open descriptor is
    // then asked what it is, so a pipe put there after a look at the name is refused too.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
#endif
}

} // namespace tavorel
