#include "backup/Backup.h"

#include "backup/BackupSettings.h"
#include "backup/DataFiles.h"
#include "backup/FileAccess.h"
#include "backup/ZipEntries.h"
#include "storage/RecordFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>

#include <zlib.h>

#include <algorithm>
#include <optional>

namespace tavorel {

namespace {

// What went into the ZIP, to be checked when it is read back.
struct Written {
    QByteArray name; // UTF-8
    bool folder = false;
    qint64 size = 0;
    quint32 crc = 0;
};

quint32 crcOf(quint32 crc, const char* data, qint64 size)
{
    while (size > 0) {
        const uInt n = uInt(std::min<qint64>(size, 1 << 30));
        crc = quint32(crc32(crc, reinterpret_cast<const Bytef*>(data), n));
        data += n;
        size -= n;
    }
    return crc;
}

// Photos and documents that are compressed already are stored as they are: deflating them again
// costs time and gains nothing.
bool alreadyCompressed(const QString& name)
{
    static const QStringList suffixes{QStringLiteral("jpg"),  QStringLiteral("jpeg"), QStringLiteral("png"),
                                      QStringLiteral("gif"),  QStringLiteral("webp"), QStringLiteral("zip"),
                                      QStringLiteral("7z"),   QStringLiteral("rar"),  QStringLiteral("gz"),
                                      QStringLiteral("docx"), QStringLiteral("xlsx"), QStringLiteral("pptx"),
                                      QStringLiteral("odt"),  QStringLiteral("ods"),  QStringLiteral("mp3"),
                                      QStringLiteral("mp4"),  QStringLiteral("heic")};
    return suffixes.contains(QFileInfo(name).suffix().toLower());
}

class BackupWriter {
public:
    BackupWriter(const QString& programFolder, const Progress& progress) : folder_(programFolder), progress_(progress)
    {
    }

    // Writes the ZIP of `files` onto `out`, then reads it back and checks it.
    bool write(const QList<DataFile>& files, QFile& out)
    {
        for (const DataFile& f : files)
            total_ += 2 * f.size; // written once, read back once
        if (!report())
            return false;
        zip::WriterPtr a(archive_write_new());
        if (!a)
            return fail(QStringLiteral("out of memory"));
        // Deflate at its fastest level: the archives are mostly zeros and shrink to a tenth
        // anyway. Names in UTF-8 with the flag that says so, so that every unzipper shows "Forlì".
        // Each piece is written as it is made (the deflater hands over 64 KB at a time), so a disk
        // that fails is found out at the entry it fails in.
        if (archive_write_set_format_zip(a.get()) != ARCHIVE_OK ||
            archive_write_set_options(
                a.get(), "zip:compression=deflate,zip:compression-level=1,zip:hdrcharset=UTF-8") != ARCHIVE_OK ||
            archive_write_set_bytes_per_block(a.get(), 0) != ARCHIVE_OK ||
            archive_write_set_bytes_in_last_block(a.get(), 1) != ARCHIVE_OK ||
            archive_write_open_fd(a.get(), out.handle()) != ARCHIVE_OK)
            return fail(zip::errorOf(a.get()));
        QByteArray buffer(zip::kChunk, Qt::Uninitialized);
        for (const DataFile& f : files) {
            if (!addEntry(a.get(), f, buffer))
                return false;
        }
        if (archive_write_close(a.get()) != ARCHIVE_OK)
            return fail(zip::errorOf(a.get()));
        if (!syncFile(out))
            return fail(QStringLiteral("sync: ") + out.errorString());
        dropCachedPages(out);
        return readBack(out);
    }

    bool cancelled() const { return cancelled_; }
    QString error() const { return error_; }
    int fileCount() const
    {
        return int(std::count_if(written_.cbegin(), written_.cend(), [](const Written& w) { return !w.folder; }));
    }

private:
    bool fail(const QString& why)
    {
        if (error_.isEmpty())
            error_ = why;
        return false;
    }

    bool report()
    {
        // A file that grew since it was listed may take the count past the total for a moment.
        if (progress_ && !progress_(std::min(done_, total_), total_)) {
            cancelled_ = true;
            return fail(QStringLiteral("cancelled"));
        }
        return true;
    }

    bool addEntry(archive* a, const DataFile& f, QByteArray& buffer)
    {
        zip::EntryPtr entry(archive_entry_new());
        const QByteArray name = f.name.toUtf8();
        archive_entry_set_pathname_utf8(entry.get(), name.constData());
        archive_entry_set_mtime(entry.get(), f.modified.isValid() ? f.modified.toSecsSinceEpoch() : 0, 0);
        Written w{name, f.isFolder(), 0, 0};
        if (f.isFolder()) {
            archive_entry_set_filetype(entry.get(), AE_IFDIR);
            archive_entry_set_perm(entry.get(), 0755);
            archive_entry_set_size(entry.get(), 0);
            if (archive_write_header(a, entry.get()) != ARCHIVE_OK)
                return fail(zip::errorOf(a));
            written_.append(w);
            return true;
        }

        QFile in;
        if (!openRegularForReading(QDir(folder_).filePath(f.name), in))
            return fail(QStringLiteral("cannot read ") + f.name);
        // An archive is read under its append lock: an append from any workstation waits until the
        // whole file is in the copy, so the copy never holds half a record.
        std::optional<SharedAppendLock> lock;
        if (isArchive(f.kind) || f.kind == DataKind::SideFile) {
            lock.emplace(in);
            if (!lock->held())
                return fail(QStringLiteral("cannot lock ") + f.name + QStringLiteral(": ") + lock->errorString());
        }
        const qint64 size = in.size();
        archive_entry_set_filetype(entry.get(), AE_IFREG);
        archive_entry_set_perm(entry.get(), 0644);
        archive_entry_set_size(entry.get(), size);
        const int method = alreadyCompressed(f.name) ? archive_write_zip_set_compression_store(a)
                                                     : archive_write_zip_set_compression_deflate(a);
        if (method != ARCHIVE_OK || archive_write_header(a, entry.get()) != ARCHIVE_OK)
            return fail(zip::errorOf(a));
        qint64 done = 0;
        quint32 crc = crcOf(0, nullptr, 0);
        while (done < size) {
            const qint64 n = in.read(buffer.data(), std::min<qint64>(buffer.size(), size - done));
            if (n <= 0)
                return fail(QStringLiteral("cannot read ") + f.name + QStringLiteral(": ") + in.errorString());
            crc = crcOf(crc, buffer.constData(), n);
            if (archive_write_data(a, buffer.constData(), size_t(n)) != n)
                return fail(zip::errorOf(a));
            done += n;
            done_ += n;
            if (!report())
                return false;
        }
        if (archive_write_finish_entry(a) != ARCHIVE_OK)
            return fail(zip::errorOf(a));
        w.size = size;
        w.crc = crc;
        written_.append(w);
        return true;
    }

    // Reads the whole ZIP back from the disk, each entry's data checked against what was read
    // from the files: its name, its size and its CRC, in the order written, and nothing more.
    bool readBack(QFile& out)
    {
        if (!out.seek(0))
            return fail(QStringLiteral("seek: ") + out.errorString());
        zip::ReaderPtr r = zip::newReader();
        if (!r || archive_read_open_fd(r.get(), out.handle(), size_t(zip::kChunk)) != ARCHIVE_OK)
            return fail(r ? zip::errorOf(r.get()) : QStringLiteral("out of memory"));
        for (const Written& w : std::as_const(written_)) {
            archive_entry* entry = nullptr;
            if (archive_read_next_header(r.get(), &entry) != ARCHIVE_OK)
                return fail(QStringLiteral("read back: ") + zip::errorOf(r.get()));
            if (zip::entryName(entry).toUtf8() != w.name)
                return fail(QStringLiteral("read back: another name than ") + QString::fromUtf8(w.name));
            if ((archive_entry_filetype(entry) == AE_IFDIR) != w.folder)
                return fail(QStringLiteral("read back: another kind of entry for ") + QString::fromUtf8(w.name));
            if (w.folder)
                continue;
            quint32 crc = crcOf(0, nullptr, 0);
            qint64 size = 0;
            for (;;) {
                const void* block = nullptr;
                size_t length = 0;
                la_int64_t offset = 0;
                const int status = archive_read_data_block(r.get(), &block, &length, &offset);
                if (status == ARCHIVE_EOF)
                    break;
                if (status != ARCHIVE_OK || offset != size)
                    return fail(QStringLiteral("read back: ") + zip::errorOf(r.get()));
                crc = crcOf(crc, static_cast<const char*>(block), qint64(length));
                size += qint64(length);
                done_ += qint64(length);
                if (!report())
                    return false;
            }
            if (size != w.size || crc != w.crc)
                return fail(QStringLiteral("read back: %1 differs from the file").arg(QString::fromUtf8(w.name)));
        }
        archive_entry* extra = nullptr;
        if (archive_read_next_header(r.get(), &extra) != ARCHIVE_EOF)
            return fail(QStringLiteral("read back: more entries than written"));
        done_ = total_;
        return report();
    }

    QString folder_;
    const Progress& progress_;
    qint64 total_ = 0;
    qint64 done_ = 0;
    bool cancelled_ = false;
    QString error_;
    QList<Written> written_;
};

const QRegularExpression& automaticCopyPattern()
{
    static const QRegularExpression re(
        QStringLiteral("^Tavorel_([0-9]{4}-[0-9]{2}-[0-9]{2})_[0-9]{4}(-[0-9]+)?_automatica\\.zip$"));
    return re;
}

// The automatic copies of `folder`, oldest first.
QStringList automaticCopies(const QString& folder)
{
    QStringList copies;
    const QFileInfoList entries = QDir(folder).entryInfoList({QStringLiteral("Tavorel_*_automatica.zip")},
                                                             QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo& info : entries) {
        if (automaticCopyPattern().match(info.fileName()).hasMatch())
            copies.append(info.fileName());
    }
    // Name order is date order, except that a second copy of the same minute ends in "-2".
    const auto order = [](const QString& name) {
        const QString suffix = automaticCopyPattern().match(name).captured(2);
        // "Tavorel_yyyy-mm-dd_hhmm", then the serial of the minute's copy.
        return std::pair(name.left(23), suffix.isEmpty() ? 1 : suffix.mid(1).toInt());
    };
    std::sort(copies.begin(), copies.end(), [&](const QString& a, const QString& b) { return order(a) < order(b); });
    return copies;
}

} // namespace

QString backupFileName(const QDateTime& when, CopyKind kind)
{
    const QString stem = QStringLiteral("Tavorel_") + when.toString(QStringLiteral("yyyy-MM-dd_HHmm"));
    return stem + (kind == CopyKind::Automatic ? QStringLiteral("_automatica.zip") : QStringLiteral(".zip"));
}

QString backupSizeText(qint64 bytes)
{
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    if (bytes < 1024 * 1024)
        return italian.toString(double(bytes) / 1024.0, 'f', 1) + QStringLiteral(" KB");
    if (bytes < 1024LL * 1024 * 1024)
        return italian.toString(double(bytes) / (1024.0 * 1024.0), 'f', 1) + QStringLiteral(" MB");
    return italian.toString(double(bytes) / (1024.0 * 1024.0 * 1024.0), 'f', 2) + QStringLiteral(" GB");
}

QString defaultBackupFolder(const QString& programFolder)
{
    return QDir(programFolder).filePath(kBackupFolderName);
}

BackupOutcome makeBackup(const QString& programFolder, const QString& targetFolder, const QDateTime& when,
                         CopyKind kind, bool createFolder, const Progress& progress)
{
    BackupOutcome outcome;
    QList<DataFile> files;
    if (!listDataFiles(programFolder, files)) {
        outcome.error = QStringLiteral("cannot list the program folder");
        return outcome;
    }
    if (std::none_of(files.cbegin(), files.cend(), [](const DataFile& f) { return isArchive(f.kind); })) {
        outcome.status = BackupOutcome::NothingToCopy;
        return outcome;
    }
    QDir target(targetFolder);
    const bool made = !target.exists();
    if (made && !(createFolder && QDir().mkpath(targetFolder))) {
        outcome.error = QStringLiteral("no folder ") + targetFolder;
        return outcome;
    }
    // A copies folder made for a copy that then fails goes again with it.
    auto unmake = qScopeGuard([&] {
        if (made)
            QDir().rmdir(targetFolder);
    });

    // A new file of a name nobody else uses: never one someone left there, nor a link.
    const QString name = backupFileName(when, kind);
    QFile out;
    for (int attempt = 0; attempt < 16 && !out.isOpen(); ++attempt) {
        out.setFileName(target.filePath(
            name + QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'))));
        if (!out.open(QIODevice::ReadWrite | QIODevice::NewOnly | QIODevice::Unbuffered) &&
            !QFileInfo::exists(out.fileName())) {
            outcome.error = out.errorString();
            return outcome;
        }
    }
    if (!out.isOpen()) {
        outcome.error = QStringLiteral("no temporary name");
        return outcome;
    }

    BackupWriter writer(programFolder, progress);
    const bool written = writer.write(files, out);
    out.close();
    if (!written) {
        out.remove();
        outcome.status = writer.cancelled() ? BackupOutcome::Cancelled : BackupOutcome::Failed;
        outcome.error = writer.error();
        return outcome;
    }
    // The name the copy is known by, with "-2", "-3"... when a copy already has it.
    const QString stem = name.chopped(4);
    for (int n = 1; n < 1000; ++n) {
        const QString path = target.filePath(n == 1 ? name : stem + QStringLiteral("-%1.zip").arg(n));
        const RenameResult renamed = renameWithoutReplacing(out.fileName(), path);
        if (renamed == RenameResult::TargetExists)
            continue;
        if (renamed == RenameResult::Failed)
            break;
        unmake.dismiss();
        outcome.status = BackupOutcome::Done;
        outcome.path = path;
        outcome.bytes = QFileInfo(path).size();
        outcome.files = writer.fileCount();
        return outcome;
    }
    out.remove();
    outcome.error = QStringLiteral("cannot name the copy");
    return outcome;
}

bool automaticCopyDue(const QString& programFolder, const QDate& today)
{
    if (!BackupSettings::automatic(programFolder))
        return false;
    QList<DataFile> files;
    // A folder that cannot be listed is due: the copy will tell the user what is wrong.
    if (listDataFiles(programFolder, files) &&
        std::none_of(files.cbegin(), files.cend(), [](const DataFile& f) { return isArchive(f.kind); }))
        return false;
    const QString day = today.toString(QStringLiteral("yyyy-MM-dd"));
    const QStringList copies = automaticCopies(defaultBackupFolder(programFolder));
    return std::none_of(copies.cbegin(), copies.cend(),
                        [&](const QString& name) { return automaticCopyPattern().match(name).captured(1) == day; });
}

BackupOutcome makeAutomaticCopy(const QString& programFolder, const QDateTime& when, const Progress& progress)
{
    BackupOutcome outcome =
        makeBackup(programFolder, defaultBackupFolder(programFolder), when, CopyKind::Automatic, true, progress);
    if (outcome.status == BackupOutcome::Done)
        pruneAutomaticCopies(defaultBackupFolder(programFolder), kAutomaticCopiesKept);
    return outcome;
}

QStringList pruneAutomaticCopies(const QString& folder, int keep)
{
    const QStringList copies = automaticCopies(folder);
    QStringList removed;
    for (qsizetype i = 0; i + keep < copies.size(); ++i) {
        if (QFile::remove(QDir(folder).filePath(copies[i])))
            removed.append(copies[i]);
    }
    return removed;
}

} // namespace tavorel
