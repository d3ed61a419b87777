#pragma once

#include "backup/Backup.h"
#include "backup/DataFiles.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace tavorel {

// What a copy holds, as read from its ZIP file before anything is restored.
struct CopyContents {
    enum Status {
        Ok,
        NotAZip,    // not a ZIP file, or one that cannot be read to its end
        NotTavorel, // a ZIP, but not a copy made by Tavorel: no password store, no archive, or an
                    // entry that is not one of the program's data files
        Unsafe,     // an entry with an absolute name, "..", a drive letter or a link
        NoRoom,     // what it holds does not fit on the program folder's disk
    };
    Status status = NotAZip;
    QString offending;     // the entry that made it foreign or unsafe
    QDateTime made;        // when the copy was made (from its name, else its newest file)
    QList<DataFile> files; // in the copy's order, folders included
    qint64 bytes = 0;      // the data it holds, unpacked

    int count(DataKind kind) const;
    // The receipt archives' years, in order.
    QStringList years() const;
    // Records in the copy's archives of that kind (whole records: size / record size).
    qint64 records(DataKind kind) const;
};

// What a copy holds, one line each, for the question asked before it is restored.
QString copyContentsText(const CopyContents& contents);

// Reads the list of entries of the ZIP at `zipPath` and judges it; nothing is written anywhere.
// A single entry that is unsafe or foreign refuses the whole copy.
CopyContents inspectCopy(const QString& zipPath, const QString& programFolder);

struct RestoreOutcome {
    enum Status {
        Done,
        Refused,   // see contents.status (NotAZip when its data turned out unreadable); nothing was touched
        Cancelled, // nothing was touched
        Failed,    // a step failed and every data file is as it was
        Unfinished // a step failed and some data files could not be put back as they were
    };
    Status status = Failed;
    CopyContents contents;
    QString error;
};

// Puts the data files of the copy at `zipPath` in place of those of `programFolder`: the copy is
// judged again (as inspectCopy), every file it holds is written and made sure of beside its target,
// and only then are all of them put in place at once, each through the whole-file replace; data
// files the copy does not hold (a year, a photo added since) are removed in the same step, so the
// folder holds exactly what the copy saved. A failure before the last step leaves every data file
// as it was. The caller makes a copy of the present state first.
RestoreOutcome restoreCopy(const QString& zipPath, const QString& programFolder, const Progress& progress = {});

} // namespace tavorel
