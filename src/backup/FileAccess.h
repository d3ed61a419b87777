#pragma once

#include "storage/RegularFile.h"

#include <QString>

class QFile;

namespace tavorel {

// Small file steps the backups need and Qt does not offer as such.

// openRegularForReading (storage/RegularFile.h) opens the files the copies read.

enum class RenameResult { Done, TargetExists, Failed };
// Gives `from` the name `to` when no file has it; an existing file is never replaced, even when
// another program makes one at the same moment (where the file system can tell).
RenameResult renameWithoutReplacing(const QString& from, const QString& to);

// Makes sure what was written through `file` is on the disk; false when the disk says it is not.
bool syncFile(QFile& file);
// Drops the file's pages from the system's cache after a sync, so that reading it back reads the
// disk (a USB stick that lost what it was given is then found out) rather than memory.
void dropCachedPages(QFile& file);

} // namespace tavorel
