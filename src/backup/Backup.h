#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

namespace tavorel {

// Reports how far a long task is: `done` of `total` units. Returns false to stop the task (the user
// pressed "Annulla"); the task then leaves nothing half done behind.
using Progress = std::function<bool(qint64 done, qint64 total)>;

enum class CopyKind {
    ByHand,    // Tavorel_<yyyy-mm-dd>_<hhmm>.zip, never removed by the program
    Automatic, // Tavorel_<yyyy-mm-dd>_<hhmm>_automatica.zip, the ten newest kept
};

struct BackupOutcome {
    enum Status {
        Done,
        NothingToCopy, // the program folder holds no archive
        Cancelled,
        Failed,
    };
    Status status = Failed;
    QString path;     // the copy made
    qint64 bytes = 0; // its size
    int files = 0;    // the files in it, folders not counted
    QString error;    // what failed, for diagnostics
};

// Copies every data file of `programFolder` (see DataFiles.h) into one ZIP file in `targetFolder`,
// named after `when` and `kind` (with "-2", "-3"... when that name is taken: a copy is never
// written over). The archives are read under their append lock, so a save made meanwhile from any
// workstation is in the copy whole or not at all. The ZIP is written under a temporary name, made
// sure of on the disk, read back whole with every entry checked against what was read from the
// files, and only then given its name: whatever fails, no file is left under the final name and
// no temporary file is left at all. `createFolder` lets the target folder be made when missing
// (the program's own copies folder; a folder the user chose must exist).
BackupOutcome makeBackup(const QString& programFolder, const QString& targetFolder, const QDateTime& when,
                         CopyKind kind, bool createFolder, const Progress& progress = {});

// The name a copy made at `when` gets before any "-2" is added.
QString backupFileName(const QDateTime& when, CopyKind kind);

// A copy's size as the user reads it: "850,3 KB", "12,4 MB", "1,25 GB".
QString backupSizeText(qint64 bytes);

// The folder of the automatic copies, and of the copies by hand until the user chooses another.
QString defaultBackupFolder(const QString& programFolder);

// Whether an automatic copy is due on leaving the program `today`: automatic copies are on, the
// program folder holds an archive, and no automatic copy of that day is in the copies folder.
bool automaticCopyDue(const QString& programFolder, const QDate& today);

// The automatic copy made on leaving the program, then the oldest automatic copies beyond the
// ten newest removed (the copies made by hand are never touched).
BackupOutcome makeAutomaticCopy(const QString& programFolder, const QDateTime& when, const Progress& progress = {});

// Removes the oldest automatic copies of `folder` so that `keep` are left; returns those removed.
QStringList pruneAutomaticCopies(const QString& folder, int keep);

inline constexpr int kAutomaticCopiesKept = 10;

} // namespace tavorel
