#include "storage/SafeFile.h"

#include "storage/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <algorithm>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <cstdio>
#endif

#ifdef Q_OS_UNIX
#include <cerrno>
#include <unistd.h>
#endif

namespace tavorel {

namespace {

// The new content must be on the disk before it takes the old file's place. QSaveFile syncs on
// commit but does not look at the result; a disk that cannot keep the data says so here.
bool syncToDisk(QFileDevice& file)
{
#ifdef Q_OS_UNIX
    int result = 0;
    do {
        result = ::fsync(file.handle());
    } while (result != 0 && errno == EINTR);
    return result == 0;
#else
    Q_UNUSED(file);
    return true;
#endif
}

} // namespace

bool replaceFileContents(const QString& path, const QByteArray& data)
{
    return replaceFileContents(path, [&data](QIODevice& out) { return out.write(data) == data.size(); });
}

bool replaceFileContents(const QString& path, const std::function<bool(QIODevice& out)>& write)
{
    // A pipe, a device or a folder under the target's name is not the program's file to replace.
    if (!isRegularOrAbsent(path))
        return false;
    QSaveFile file(path);
    // No fallback to writing the target in place when no temporary file can be made beside it:
    // that would leave a half-written file behind on failure.
    file.setDirectWriteFallback(false);
    // Unbuffered: every write reaches the system at once, so a failure (full disk, size limit)
    // is the failure of that write and is remembered until commit(), whatever the writer does
    // with the result; a buffered failure could be retried unseen or reported to nobody.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (!write(file) || !file.flush() || !syncToDisk(file)) {
        file.cancelWriting();
        file.commit(); // discards the temporary file; the target is not touched
        return false;
    }
    return file.commit();
}

namespace {

// Replaces `to` with `from` in one step: a reader sees the old file or the new one, never neither.
bool renameOver(const QString& from, const QString& to)
{
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(from).utf16()),
                       reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(to).utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

// A second name for the file at `from`; false where the file system has no such thing (FAT drives,
// some network shares) or it fails.
bool hardLink(const QString& from, const QString& to)
{
#ifdef Q_OS_WIN
    return CreateHardLinkW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(to).utf16()),
                           reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(from).utf16()), nullptr);
#else
    return ::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

} // namespace

StagedFiles::~StagedFiles()
{
    discard();
}

bool StagedFiles::stage(const QString& path, const std::function<bool(QIODevice& out)>& write)
{
    const QFileInfo target(path);
    if (!isRegularOrAbsent(path))
        return false;
    // A new file of a name nobody else uses, made here and now (never an existing file or a link
    // someone left under that name), in the target's folder so that the rename stays on one disk.
    QFile file;
    for (int attempt = 0; attempt < 16 && !file.isOpen(); ++attempt) {
        file.setFileName(
            target.absolutePath() + QLatin1Char('/') + target.fileName() +
            QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            break;
        if (file.error() != QFileDevice::OpenError || !QFileInfo::exists(file.fileName()))
            return false;
    }
    if (!file.isOpen())
        return false;
    if (!write(file) || !file.flush() || !syncToDisk(file)) {
        file.close();
        file.remove();
        return false;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        file.remove();
        return false;
    }
    staged_.append({target.absoluteFilePath(), file.fileName(), QString(), false});
    return true;
}

void StagedFiles::stageRemoval(const QString& path)
{
    staged_.append({QFileInfo(path).absoluteFilePath(), QString(), QString(), false});
}

StagedFiles::Commit StagedFiles::commit()
{
    for (Staged& s : staged_) {
        // The old file is kept under a name of its own until every step has succeeded: a second
        // name for the same file where the file system has them (the target is never missing for
        // a moment), else the file itself moved aside.
        bool movedAside = false;
        if (QFileInfo(s.target).exists() || QFileInfo(s.target).isSymLink()) {
            s.aside = s.target +
                      QStringLiteral(".%1.old").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
            if (!hardLink(s.target, s.aside)) {
                if (!renameOver(s.target, s.aside)) {
                    s.aside.clear();
                    break;
                }
                movedAside = true;
            }
        }
        if (s.temporary.isEmpty()) {
            if (!movedAside && !s.aside.isEmpty() && !QFile::remove(s.target)) {
                QFile::remove(s.aside);
                s.aside.clear();
                break;
            }
        } else if (!renameOver(s.temporary, s.target)) {
            if (movedAside)
                renameOver(s.aside, s.target);
            else if (!s.aside.isEmpty())
                QFile::remove(s.aside);
            s.aside.clear();
            break;
        }
        s.placed = true;
    }
    const bool done = std::all_of(staged_.cbegin(), staged_.cend(), [](const Staged& s) { return s.placed; });
    if (done) {
        for (const Staged& s : std::as_const(staged_)) {
            if (!s.aside.isEmpty())
                QFile::remove(s.aside);
        }
        staged_.clear();
        return Commit::Done;
    }
    const bool back = rollBack();
    discard();
    return back ? Commit::Failed : Commit::FailedPartly;
}

bool StagedFiles::rollBack()
{
    bool all = true;
    for (auto it = staged_.rbegin(); it != staged_.rend(); ++it) {
        Staged& s = *it;
        if (!s.placed)
            continue;
        if (!s.aside.isEmpty()) {
            // The old file, under its own name again: the new one goes in the same step.
            if (!renameOver(s.aside, s.target)) {
                all = false;
                continue;
            }
        } else if (!QFile::remove(s.target)) {
            all = false;
            continue;
        }
        s.aside.clear();
        s.placed = false;
    }
    return all;
}

void StagedFiles::discard()
{
    for (const Staged& s : std::as_const(staged_)) {
        if (!s.placed && !s.temporary.isEmpty())
            QFile::remove(s.temporary);
    }
    staged_.clear();
}

QStringList StagedFiles::targets() const
{
    QStringList paths;
    for (const Staged& s : staged_)
        paths.append(s.target);
    return paths;
}

} // namespace tavorel
