#include "backup/Restore.h"

#include "backup/FileAccess.h"
#include "backup/ZipEntries.h"
#include "storage/SafeFile.h"
#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRegularExpression>
#include <QSet>
#include <QStorageInfo>

#include <algorithm>

namespace tavorel {

namespace {

// Room kept free on the disk after a restore: a full disk would stop the next save.
constexpr qint64 kSpareRoom = 16 << 20;

// A name a restore may never write to, whatever it says it is: absolute, with a drive letter,
// stepping out of a folder, or carrying control characters; on Windows also one that names a
// stream of a file ("a.pdf:x"). Elsewhere a colon is an ordinary character of a document's name.
bool unsafeName(const QString& name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')))
        return true;
    if (name.size() >= 2 && name[1] == QLatin1Char(':') && name[0].isLetter())
        return true;
#ifdef Q_OS_WIN
    if (name.contains(QLatin1Char(':')))
        return true;
#endif
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    }
    const QStringList steps = name.split(QLatin1Char('/'));
    return steps.contains(QStringLiteral(".."));
}

QString withoutSlash(const QString& name)
{
    return name.endsWith(QLatin1Char('/')) ? name.chopped(1) : name;
}

// The copy's date from its name, "Tavorel_yyyy-mm-dd_hhmm...".
QDateTime dateFromName(const QString& zipPath)
{
    static const QRegularExpression re(QStringLiteral("^Tavorel_([0-9]{4}-[0-9]{2}-[0-9]{2})_([0-9]{4})"));
    const QRegularExpressionMatch m = re.match(QFileInfo(zipPath).fileName());
    if (!m.hasMatch())
        return {};
    return QDateTime::fromString(m.captured(1) + m.captured(2), QStringLiteral("yyyy-MM-ddHHmm"));
}

// Opens the ZIP for reading; a named pipe or a device is not one.
bool openCopy(const QString& zipPath, QFile& in, zip::ReaderPtr& reader)
{
    if (!openRegularForReading(zipPath, in))
        return false;
    reader = zip::newReader();
    return reader && archive_read_open_fd(reader.get(), in.handle(), size_t(zip::kChunk)) == ARCHIVE_OK;
}

CopyContents judge(const QString& zipPath, const QString& programFolder)
{
    CopyContents c;
    QFile in;
    zip::ReaderPtr r;
    if (!openCopy(zipPath, in, r))
        return c;
    QSet<QString> seen;
    QDateTime newest;
    for (;;) {
        archive_entry* entry = nullptr;
        const int status = archive_read_next_header(r.get(), &entry);
        if (status == ARCHIVE_EOF)
            break;
        if (status != ARCHIVE_OK) {
            c.status = CopyContents::NotAZip;
            return c;
        }
        QString name = zip::entryName(entry);
        const auto type = archive_entry_filetype(entry);
        if (unsafeName(name) || (type != AE_IFREG && type != AE_IFDIR) || archive_entry_symlink(entry) ||
            archive_entry_hardlink(entry)) {
            c.status = CopyContents::Unsafe;
            c.offending = name;
            return c;
        }
        const bool folder = type == AE_IFDIR;
        if (folder && !name.endsWith(QLatin1Char('/')))
            name += QLatin1Char('/');
        // One file under two names that a Windows disk would take for the same.
        if (seen.contains(name.toLower())) {
            c.status = CopyContents::Unsafe;
            c.offending = name;
            return c;
        }
        seen.insert(name.toLower());
        const std::optional<DataKind> kind = dataKindOf(name);
        if (!kind || (*kind == DataKind::Folder) != folder || (!folder && !archive_entry_size_is_set(entry)) ||
            archive_entry_size(entry) < 0) {
            c.status = CopyContents::NotTavorel;
            c.offending = name;
            return c;
        }
        DataFile f;
        f.name = name;
        f.kind = *kind;
        f.size = folder ? 0 : archive_entry_size(entry);
        if (archive_entry_mtime_is_set(entry))
            f.modified = QDateTime::fromSecsSinceEpoch(archive_entry_mtime(entry));
        if (f.modified.isValid() && (!newest.isValid() || f.modified > newest))
            newest = f.modified;
        c.bytes += f.size;
        c.files.append(f);
    }
    const bool hasStore = c.count(DataKind::PasswordStore) > 0;
    const bool hasArchive = c.count(DataKind::ReceiptArchive) + c.count(DataKind::MemberArchive) > 0;
    if (!hasStore || !hasArchive) {
        c.status = CopyContents::NotTavorel;
        return c;
    }
    const QStorageInfo disk(programFolder);
    if (disk.isValid() && disk.bytesAvailable() >= 0 && (c.bytes > disk.bytesAvailable() - kSpareRoom)) {
        c.status = CopyContents::NoRoom;
        return c;
    }
    c.made = dateFromName(zipPath);
    if (!c.made.isValid())
        c.made = newest;
    c.status = CopyContents::Ok;
    return c;
}

QString plural(qint64 n, const QString& one, const QString& many)
{
    return QStringLiteral("%1 %2").arg(n).arg(n == 1 ? one : many);
}

} // namespace

int CopyContents::count(DataKind kind) const
{
    return int(std::count_if(files.cbegin(), files.cend(), [kind](const DataFile& f) { return f.kind == kind; }));
}

QStringList CopyContents::years() const
{
    QStringList list;
    for (const DataFile& f : files) {
        if (f.kind == DataKind::ReceiptArchive)
            list.append(f.name.left(4));
    }
    list.sort();
    return list;
}

qint64 CopyContents::records(DataKind kind) const
{
    const int size = kind == DataKind::MemberArchive ? TSchedaIscritto::RecordSize : TSchedaRicevuta::RecordSize;
    qint64 n = 0;
    for (const DataFile& f : files) {
        if (f.kind == kind)
            n += f.size / size;
    }
    return n;
}

// What a copy holds, one line each, for the question before a restore.
QString copyContentsText(const CopyContents& c)
{
    QStringList lines;
    const QStringList years = c.years();
    if (!years.isEmpty())
        lines.append(
            QStringLiteral("- ricevute degli anni %1 (%2)")
                .arg(years.join(QStringLiteral(", ")), plural(c.records(DataKind::ReceiptArchive),
                                                              QStringLiteral("ricevuta"), QStringLiteral("ricevute"))));
    if (c.count(DataKind::MemberArchive) > 0)
        lines.append(
            QStringLiteral("- archivio iscritti (%1)")
                .arg(plural(c.records(DataKind::MemberArchive), QStringLiteral("scheda"), QStringLiteral("schede"))));
    if (c.count(DataKind::Photo) > 0)
        lines.append(QStringLiteral("- %1").arg(
            plural(c.count(DataKind::Photo), QStringLiteral("foto"), QStringLiteral("foto"))));
    if (c.count(DataKind::Attachment) > 0)
        lines.append(
            QStringLiteral("- %1").arg(plural(c.count(DataKind::Attachment), QStringLiteral("documento allegato"),
                                              QStringLiteral("documenti allegati"))));
    QStringList others;
    if (c.count(DataKind::Settings) > 0)
        others.append(QStringLiteral("impostazioni"));
    if (c.count(DataKind::PasswordStore) > 0)
        others.append(QStringLiteral("password"));
    if (c.count(DataKind::Logo) > 0)
        others.append(QStringLiteral("logo"));
    if (!others.isEmpty())
        lines.append(QStringLiteral("- ") + others.join(QStringLiteral(", ")));
    lines.append(
        QStringLiteral("(%1 in tutto, %2)")
            .arg(plural(c.files.size() - c.count(DataKind::Folder), QStringLiteral("file"), QStringLiteral("file")),
                 backupSizeText(c.bytes)));
    return lines.join(QStringLiteral("\r\n"));
}

CopyContents inspectCopy(const QString& zipPath, const QString& programFolder)
{
    return judge(zipPath, programFolder);
}

RestoreOutcome restoreCopy(const QString& zipPath, const QString& programFolder, const Progress& progress)
{
    RestoreOutcome outcome;
    outcome.contents = judge(zipPath, programFolder);
    if (outcome.contents.status != CopyContents::Ok) {
        outcome.status = RestoreOutcome::Refused;
        return outcome;
    }
    const CopyContents& contents = outcome.contents;
    const QDir root(programFolder);
    QFile in;
    zip::ReaderPtr r;
    if (!openCopy(zipPath, in, r)) {
        outcome.error = QStringLiteral("cannot open the copy");
        return outcome;
    }

    // Folders made for the copy's files go again when the restore does not happen.
    QStringList madeFolders;
    auto removeMadeFolders = [&] {
        for (auto it = madeFolders.crbegin(); it != madeFolders.crend(); ++it)
            QDir().rmdir(*it);
    };
    auto ensureFolder = [&](const QString& relative) {
        QString path;
        for (const QString& step : relative.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
            path = path.isEmpty() ? step : path + QLatin1Char('/') + step;
            const QString absolute = root.filePath(path);
            const QFileInfo info(absolute);
            if (info.isDir() && !info.isSymLink())
                continue;
            if (info.exists() || info.isSymLink() || !QDir().mkdir(absolute))
                return false;
            madeFolders.append(absolute);
        }
        return true;
    };

    StagedFiles staged;
    qint64 done = 0;
    bool cancelled = false;
    bool broken = false; // the copy's data cannot be read as its list promised
    QSet<QString> inCopy;
    for (const DataFile& expected : contents.files) {
        archive_entry* entry = nullptr;
        // The copy is read a second time: it must not have changed since it was judged.
        if (archive_read_next_header(r.get(), &entry) != ARCHIVE_OK ||
            withoutSlash(zip::entryName(entry)) != withoutSlash(expected.name)) {
            outcome.error = QStringLiteral("the copy changed while it was restored");
            removeMadeFolders();
            return outcome;
        }
        inCopy.insert(expected.name);
        if (expected.isFolder()) {
            if (!ensureFolder(expected.name)) {
                outcome.error = QStringLiteral("cannot make the folder ") + expected.name;
                removeMadeFolders();
                return outcome;
            }
            continue;
        }
        const qsizetype slash = expected.name.lastIndexOf(QLatin1Char('/'));
        if (slash > 0 && !ensureFolder(expected.name.left(slash))) {
            outcome.error = QStringLiteral("cannot make the folder of ") + expected.name;
            removeMadeFolders();
            return outcome;
        }
        const bool written = staged.stage(root.filePath(expected.name), [&](QIODevice& out) {
            qint64 size = 0;
            for (;;) {
                const void* block = nullptr;
                size_t length = 0;
                la_int64_t offset = 0;
                const int status = archive_read_data_block(r.get(), &block, &length, &offset);
                if (status == ARCHIVE_EOF) {
                    broken = size != expected.size;
                    return !broken;
                }
                // A bad CRC or a broken stream ends here; so does an entry that unpacks to more
                // than it said it holds.
                if (status != ARCHIVE_OK || offset != size || size + qint64(length) > expected.size) {
                    broken = true;
                    return false;
                }
                if (out.write(static_cast<const char*>(block), qint64(length)) != qint64(length))
                    return false;
                size += qint64(length);
                done += qint64(length);
                if (progress && !progress(done, contents.bytes)) {
                    cancelled = true;
                    return false;
                }
            }
        });
        if (!written) {
            outcome.status = cancelled ? RestoreOutcome::Cancelled
                             : broken  ? RestoreOutcome::Refused
                                       : RestoreOutcome::Failed;
            if (broken)
                outcome.contents.status = CopyContents::NotAZip;
            outcome.error = cancelled ? QStringLiteral("cancelled") : QStringLiteral("cannot write ") + expected.name;
            staged.discard();
            removeMadeFolders();
            return outcome;
        }
    }

    // Data files the copy does not hold: the folder is to hold exactly what the copy saved.
    QList<DataFile> present;
    if (!listDataFiles(programFolder, present)) {
        outcome.error = QStringLiteral("cannot list the program folder");
        staged.discard();
        removeMadeFolders();
        return outcome;
    }
    for (const DataFile& f : std::as_const(present)) {
        if (!f.isFolder() && !inCopy.contains(f.name))
            staged.stageRemoval(root.filePath(f.name));
    }

    switch (staged.commit()) {
    case StagedFiles::Commit::Done:
        outcome.status = RestoreOutcome::Done;
        return outcome;
    case StagedFiles::Commit::Failed:
        removeMadeFolders();
        outcome.error = QStringLiteral("cannot put the files in place");
        return outcome;
    case StagedFiles::Commit::FailedPartly:
        break;
    }
    outcome.status = RestoreOutcome::Unfinished;
    outcome.error = QStringLiteral("cannot put the files in place, nor back");
    return outcome;
}

} // namespace tavorel
