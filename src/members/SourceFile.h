#pragma once

#include <QByteArray>
#include <QString>

class QFile;

namespace tavorel {

// The files the member editor reads (a picture or a document the user picks, a member's photo)
// are opened only when they are regular files: a named pipe, a device or a folder is never opened,
// so that choosing one cannot hang the program waiting for a writer.

// Opens `path` for reading when it is a regular file (after any link); false otherwise.
bool openRegularFile(QFile& file, const QString& path);

// What one read of a regular file gave: its bytes and the stamp of that same file.
struct RegularFileRead {
    enum class Outcome { Read, Missing, NotRegular, TooBig, Unreadable } outcome = Outcome::Missing;
    QByteArray bytes;
    QByteArray stamp;
};
// Reads the whole of a regular file of at most `maxSize` bytes.
RegularFileRead readRegularFile(const QString& path, qint64 maxSize);

// The size, modification time and identity of the file at `path` as they are now: a file replaced
// by another (even of the same size, in the same second) gets another stamp. "-" when there is
// nothing there, "*" for something that is not a regular file.
QByteArray fileStamp(const QString& path);

} // namespace tavorel
