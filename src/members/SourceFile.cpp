#include "members/SourceFile.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QDateTime>
#include <QTimeZone>
#endif

namespace tavorel {

namespace {

#ifdef Q_OS_UNIX
QByteArray stampOf(const struct stat& st)
{
    return QByteArray::number(qint64(st.st_size)) + ' ' + QByteArray::number(qint64(st.st_mtim.tv_sec)) + '.' +
           QByteArray::number(qint64(st.st_mtim.tv_nsec)) + ' ' + QByteArray::number(quint64(st.st_dev)) + ':' +
           QByteArray::number(quint64(st.st_ino));
}
#else
QByteArray stampOf(const QFileInfo& info)
{
    return QByteArray::number(info.size()) + ' ' +
           QByteArray::number(info.lastModified(QTimeZone::UTC).toMSecsSinceEpoch());
}
#endif

// Opens a regular file for reading, giving its stamp; false with `missing` telling why.
bool openChecked(QFile& file, const QString& path, QByteArray* stamp, bool* missing)
{
    *missing = false;
#ifdef Q_OS_UNIX
    // Opened without waiting (a pipe with no writer would block the open itself), then looked at
    // through the descriptor, so that what is checked is what is read.
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        *missing = errno == ENOENT || errno == ENOTDIR;
        return false;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (stamp)
        *stamp = stampOf(st);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
#else
    const QFileInfo info(path);
    if (!info.exists()) {
        *missing = true;
        return false;
    }
    if (!info.isFile())
        return false;
    if (stamp)
        *stamp = stampOf(info);
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly);
#endif
}

} // namespace

bool openRegularFile(QFile& file, const QString& path)
{
    bool missing = false;
    return openChecked(file, path, nullptr, &missing);
}

RegularFileRead readRegularFile(const QString& path, qint64 maxSize)
{
    RegularFileRead r;
    QFile file;
    bool missing = false;
    if (!openChecked(file, path, &r.stamp, &missing)) {
        r.outcome = missing
                        ? RegularFileRead::Outcome::Missing
                        : (QFileInfo::exists(path) && !QFileInfo(path).isFile() ? RegularFileRead::Outcome::NotRegular
                                                                                : RegularFileRead::Outcome::Unreadable);
        r.stamp.clear();
        return r;
    }
    if (file.size() > maxSize) {
        r.outcome = RegularFileRead::Outcome::TooBig;
        return r;
    }
    r.bytes = file.readAll();
    r.outcome =
        file.error() == QFileDevice::NoError ? RegularFileRead::Outcome::Read : RegularFileRead::Outcome::Unreadable;
    return r;
}

QByteArray fileStamp(const QString& path)
{
#ifdef Q_OS_UNIX
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return QByteArrayLiteral("-");
    if (!S_ISREG(st.st_mode))
        return QByteArrayLiteral("*");
    return stampOf(st);
#else
    const QFileInfo info(path);
    if (!info.exists())
        return QByteArrayLiteral("-");
    if (!info.isFile())
        return QByteArrayLiteral("*");
    return stampOf(info);
#endif
}

} // namespace tavorel
