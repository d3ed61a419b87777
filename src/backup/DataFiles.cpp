#include "backup/DataFiles.h"

#include "access/PasswordStore.h"
#include "storage/Archives.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace tavorel {

namespace {

const QRegularExpression& receiptArchivePattern()
{
    static const QRegularExpression re(QStringLiteral("^[0-9]{4}\\.ric$"));
    return re;
}

const QRegularExpression& sideFilePattern()
{
    static const QRegularExpression re(QStringLiteral("^[0-9]{4}\\.pag$"));
    return re;
}

const QRegularExpression& damagedCopyPattern()
{
    static const QRegularExpression re(QStringLiteral(
        "^([0-9]{4}\\.(ric|pag)|Archivio_Iscritti\\.pro)\\.danneggiato-[0-9]{4}-[0-9]{2}-[0-9]{2}(-[0-9]+)?$"));
    return re;
}

DataFile entryOf(const QString& name, DataKind kind, const QFileInfo& info)
{
    DataFile f;
    f.name = name;
    f.kind = kind;
    f.size = kind == DataKind::Folder ? 0 : info.size();
    f.modified = info.lastModified();
    return f;
}

// A data folder and everything under it, links to folders not followed.
bool listFolder(const QString& root, const QString& folderName, DataKind kind, QList<DataFile>& files)
{
    const QFileInfo top(QDir(root).filePath(folderName));
    if (!top.exists())
        return true;
    if (!top.isDir())
        return true; // a file of that name is not a data folder
    const QString base = top.canonicalFilePath();
    if (base.isEmpty() || !QDir(base).isReadable())
        return false;
    files.append(entryOf(folderName + QLatin1Char('/'), DataKind::Folder, top));
    QDirIterator it(base, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString relative = folderName + QLatin1Char('/') + QDir(base).relativeFilePath(info.filePath());
        if (info.isSymLink() && info.isDir())
            continue;
        if (info.isDir()) {
            if (!QDir(info.filePath()).isReadable())
                return false;
            files.append(entryOf(relative + QLatin1Char('/'), DataKind::Folder, info));
        } else if (info.isFile()) {
            files.append(entryOf(relative, kind, info));
        }
    }
    return true;
}

} // namespace

std::optional<DataKind> dataKindOf(const QString& relative)
{
    if (relative.isEmpty())
        return std::nullopt;
    const qsizetype slash = relative.indexOf(QLatin1Char('/'));
    if (slash >= 0) {
        const QString top = relative.left(slash);
        const QString rest = relative.mid(slash + 1);
        const bool folder = relative.endsWith(QLatin1Char('/'));
        if (top != kPhotoFolder && top != kAttachmentFolder)
            return std::nullopt;
        // The folder itself, a folder inside it, or a file inside it; never an empty step.
        if (rest.isEmpty())
            return DataKind::Folder;
        const QString inside = folder ? rest.chopped(1) : rest;
        if (inside.split(QLatin1Char('/')).contains(QString()))
            return std::nullopt;
        if (folder)
            return DataKind::Folder;
        return top == kPhotoFolder ? DataKind::Photo : DataKind::Attachment;
    }
    if (receiptArchivePattern().match(relative).hasMatch())
        return DataKind::ReceiptArchive;
    if (sideFilePattern().match(relative).hasMatch())
        return DataKind::SideFile;
    if (relative == kMemberArchiveName)
        return DataKind::MemberArchive;
    if (relative == kReceiptSettingsName)
        return DataKind::Settings;
    if (relative == QLatin1StringView(kPasswordStoreFile))
        return DataKind::PasswordStore;
    if (relative == kLogoName)
        return DataKind::Logo;
    if (damagedCopyPattern().match(relative).hasMatch())
        return DataKind::DamagedCopy;
    return std::nullopt;
}

bool listDataFiles(const QString& folder, QList<DataFile>& files)
{
    files.clear();
    const QDir dir(folder);
    if (!dir.exists() || !dir.isReadable())
        return false;
    const QFileInfoList top = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo& info : top) {
        const std::optional<DataKind> kind = dataKindOf(info.fileName());
        if (kind && *kind != DataKind::Folder && info.isFile())
            files.append(entryOf(info.fileName(), *kind, info));
    }
    if (!listFolder(folder, kPhotoFolder, DataKind::Photo, files) ||
        !listFolder(folder, kAttachmentFolder, DataKind::Attachment, files))
        return false;
    std::sort(files.begin(), files.end(), [](const DataFile& a, const DataFile& b) { return a.name < b.name; });
    return true;
}

} // namespace tavorel
