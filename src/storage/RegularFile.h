#pragma once

#include <QString>

class QFile;

namespace tavorel {

// The program reads and writes plain files only. A named pipe, a device or a folder where one of
// its files should be is never opened: reading a pipe waits for a writer that never comes, and a
// device is not ours to read or fill.

// True when `path` is a regular file (a link is followed to it) or names nothing yet.
bool isRegularOrAbsent(const QString& path);

// Opens `path` for reading when it is a regular file; false for anything else, without waiting
// on a pipe even for a moment.
bool openRegularForReading(const QString& path, QFile& file);

// The settings files and the password store hold a few lines: one bigger than this is not one the
// program wrote, and is refused rather than read.
inline constexpr qint64 kMaxSettingsFileBytes = 1024 * 1024;

} // namespace tavorel
