#pragma once

#include "backup/DataFiles.h"

#include <QDate>
#include <QList>
#include <QString>

namespace tavorel {

// The check of the archives: every record of every receipt archive and of the member archive is
// read, and those that are not whole (a length byte beyond its field) are counted by number.
struct ArchiveReport {
    QString name; // the file's name in the program folder
    DataKind kind = DataKind::ReceiptArchive;
    bool readable = false; // false: the file could not be read at all
    qint64 records = 0;    // whole-sized records in the file
    QList<qint64> damaged; // numbers (from 1) of the records that are not whole
    qint64 tailBytes = 0;  // bytes of a record whose save never finished, at the end

    bool needsRepair() const { return readable && (!damaged.isEmpty() || tailBytes > 0); }
};

// Every archive of `folder` in name order (the receipt archives by year, then the member archive).
// The side files (yyyy.pag) are not checked: their records have no length bytes to look at yet.
QList<ArchiveReport> checkArchives(const QString& folder);
// One archive, read under its append lock.
ArchiveReport checkArchive(const QString& folder, const QString& name);

struct RepairOutcome {
    bool done = false;
    QString keptAs;     // the damaged file's name as kept beside it
    qint64 blanked = 0; // damaged records now blank
    bool tailDropped = false;
    QString error;
};

// The name the damaged file is kept under when repaired `today`: <name>.danneggiato-yyyy-mm-dd.
QString damagedCopyName(const QString& name, const QDate& today);

// Mends an archive: the file as it is now is kept as damagedCopyName() (with "-2"... when a
// different file already has that name), and a new file takes its place through the whole-file
// replace holding every whole record in order, each damaged record replaced by a blank record of
// the same size, so that every record keeps its number; the bytes of an unfinished last record
// are left out. Done under the archive's append lock. A failure leaves the archive as it was.
RepairOutcome repairArchive(const QString& folder, const QString& name, const QDate& today);

} // namespace tavorel
