#include "backup/ArchiveCheck.h"

#include "backup/FileAccess.h"
#include "backup/ZipEntries.h"
#include "storage/RecordFile.h"
#include "storage/RecordLayout.h"
#include "storage/SafeFile.h"
#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace tavorel {

namespace {

int recordSizeOf(DataKind kind)
{
    return kind == DataKind::MemberArchive ? TSchedaIscritto::RecordSize : TSchedaRicevuta::RecordSize;
}

bool whole(DataKind kind, QByteArrayView record)
{
    return kind == DataKind::MemberArchive ? recordIsWhole<TSchedaIscritto>(record)
                                           : recordIsWhole<TSchedaRicevuta>(record);
}

// Reads the archive `in` from the start, `size` bytes, a run of whole records at a time:
// `visit(first, records)` gets record numbers from `first` and the records end to end, then
// `tail(bytes)` the unfinished record at the end, if any. False on a read failure.
template <typename Visit, typename Tail>
bool readRecords(QFile& in, qint64 size, int recordSize, Visit&& visit, Tail&& tail)
{
    if (!in.seek(0))
        return false;
    const qint64 runBytes = std::max<qint64>(1, zip::kChunk / recordSize) * recordSize;
    QByteArray buffer(runBytes, Qt::Uninitialized);
    qint64 at = 0;
    const qint64 wholeBytes = size - size % recordSize;
    while (at < wholeBytes) {
        const qint64 want = std::min(runBytes, wholeBytes - at);
        if (in.read(buffer.data(), want) != want)
            return false;
        if (!visit(at / recordSize + 1, QByteArrayView(buffer.constData(), want)))
            return false;
        at += want;
    }
    if (size > wholeBytes) {
        const qint64 rest = size - wholeBytes;
        if (in.read(buffer.data(), rest) != rest)
            return false;
        if (!tail(QByteArrayView(buffer.constData(), rest)))
            return false;
    }
    return true;
}

std::optional<DataKind> archiveKind(const QString& name)
{
    const std::optional<DataKind> kind = dataKindOf(name);
    if (!kind || !isArchive(*kind))
        return std::nullopt;
    return kind;
}

// Whether the file at `path` holds exactly the bytes of `in` (read from the start, `size` bytes).
bool sameBytes(const QString& path, QFile& in, qint64 size)
{
    QFile other;
    if (!openRegularForReading(path, other) || other.size() != size || !in.seek(0))
        return false;
    QByteArray a(zip::kChunk, Qt::Uninitialized);
    QByteArray b(zip::kChunk, Qt::Uninitialized);
    for (qint64 at = 0; at < size;) {
        const qint64 want = std::min<qint64>(a.size(), size - at);
        if (in.read(a.data(), want) != want || other.read(b.data(), want) != want ||
            QByteArrayView(a.constData(), want) != QByteArrayView(b.constData(), want))
            return false;
        at += want;
    }
    return true;
}

} // namespace

ArchiveReport checkArchive(const QString& folder, const QString& name)
{
    ArchiveReport report;
    report.name = name;
    const std::optional<DataKind> kind = archiveKind(name);
    if (!kind)
        return report;
    report.kind = *kind;
    const int recordSize = recordSizeOf(*kind);
    QFile in;
    if (!openRegularForReading(QDir(folder).filePath(name), in))
        return report;
    const SharedAppendLock lock(in);
    if (!lock.held())
        return report;
    const qint64 size = in.size();
    QList<qint64> damaged;
    const bool read = readRecords(
        in, size, recordSize,
        [&](qint64 first, QByteArrayView records) {
            forEachInRun(first, records, recordSize, [&](qint64 k, QByteArrayView record) {
                if (!whole(*kind, record))
                    damaged.append(k);
            });
            return true;
        },
        [](QByteArrayView) { return true; });
    if (!read)
        return report;
    report.readable = true;
    report.records = size / recordSize;
    report.damaged = damaged;
    report.tailBytes = size % recordSize;
    return report;
}

QList<ArchiveReport> checkArchives(const QString& folder)
{
    QList<ArchiveReport> reports;
    QList<DataFile> files;
    listDataFiles(folder, files);
    for (const DataFile& f : std::as_const(files)) {
        if (isArchive(f.kind) && f.kind == DataKind::ReceiptArchive)
            reports.append(checkArchive(folder, f.name));
    }
    for (const DataFile& f : std::as_const(files)) {
        if (f.kind == DataKind::MemberArchive)
            reports.append(checkArchive(folder, f.name));
    }
    return reports;
}

QString damagedCopyName(const QString& name, const QDate& today)
{
    return name + QStringLiteral(".danneggiato-") + today.toString(QStringLiteral("yyyy-MM-dd"));
}

RepairOutcome repairArchive(const QString& folder, const QString& name, const QDate& today)
{
    RepairOutcome outcome;
    const std::optional<DataKind> kind = archiveKind(name);
    if (!kind) {
        outcome.error = QStringLiteral("not an archive");
        return outcome;
    }
    const int recordSize = recordSizeOf(*kind);
    const QDir dir(folder);
    QFile in;
    if (!openRegularForReading(dir.filePath(name), in)) {
        outcome.error = QStringLiteral("cannot read ") + name;
        return outcome;
    }
    // Appends wait until the repaired file is in place.
    const SharedAppendLock lock(in);
    if (!lock.held()) {
        outcome.error = lock.errorString();
        return outcome;
    }
    const qint64 size = in.size();

    // The damaged file as it is, beside it; a repair made earlier the same day of a file that has
    // changed since keeps its own.
    QString kept;
    for (int n = 1; n < 1000 && kept.isEmpty(); ++n) {
        const QString candidate = damagedCopyName(name, today) + (n == 1 ? QString() : QStringLiteral("-%1").arg(n));
        const QFileInfo info(dir.filePath(candidate));
        if (!info.exists() && !info.isSymLink()) {
            const bool copied = replaceFileContents(dir.filePath(candidate), [&](QIODevice& out) {
                if (!in.seek(0))
                    return false;
                QByteArray buffer(zip::kChunk, Qt::Uninitialized);
                for (qint64 at = 0; at < size;) {
                    const qint64 want = std::min<qint64>(buffer.size(), size - at);
                    if (in.read(buffer.data(), want) != want || out.write(buffer.constData(), want) != want)
                        return false;
                    at += want;
                }
                return true;
            });
            if (!copied) {
                outcome.error = QStringLiteral("cannot keep the damaged file");
                return outcome;
            }
            kept = candidate;
        } else if (sameBytes(dir.filePath(candidate), in, size)) {
            kept = candidate;
        }
    }
    if (kept.isEmpty()) {
        outcome.error = QStringLiteral("no name for the damaged file");
        return outcome;
    }

    const QByteArray blank(recordSize, '\0');
    qint64 blanked = 0;
    bool tail = false;
    const bool repaired = replaceFileContents(dir.filePath(name), [&](QIODevice& out) {
        blanked = 0;
        return readRecords(
            in, size, recordSize,
            [&](qint64 first, QByteArrayView records) {
                bool written = true;
                forEachInRun(first, records, recordSize, [&](qint64, QByteArrayView record) {
                    if (whole(*kind, record)) {
                        written = written && out.write(record.constData(), recordSize) == recordSize;
                    } else {
                        ++blanked;
                        written = written && out.write(blank) == recordSize;
                    }
                });
                return written;
            },
            [&](QByteArrayView) {
                tail = true;
                return true;
            });
    });
    if (!repaired) {
        outcome.error = QStringLiteral("cannot write the repaired file");
        return outcome;
    }
    outcome.done = true;
    outcome.keptAs = kept;
    outcome.blanked = blanked;
    outcome.tailDropped = tail;
    return outcome;
}

} // namespace tavorel
