#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace tavorel {

// The club's data in the program folder: what a backup copies and a restore puts back. Everything
// else there (the program, its manual, the exports, the copies themselves) is not data.

// The copies made by hand go to the last folder the user chose; until one is chosen, and always
// for the automatic copies, to this folder inside the program folder.
inline const QString kBackupFolderName = QStringLiteral("Copie di sicurezza");
// Receipt settings, logo, photos and attachments, as the receipts and members apps name them.
inline const QString kReceiptSettingsName = QStringLiteral("Ricevute_Generiche.ini");
inline const QString kLogoName = QStringLiteral("Logo.bmp");
inline const QString kPhotoFolder = QStringLiteral("Anagrafica");
inline const QString kAttachmentFolder = QStringLiteral("Documenti_Allegati");

enum class DataKind {
    ReceiptArchive, // yyyy.ric
    SideFile,       // yyyy.pag, the receipts' side records
    MemberArchive,  // Archivio_Iscritti.pro
    Settings,       // Ricevute_Generiche.ini
    PasswordStore,  // unins000.dll
    Logo,           // Logo.bmp
    Photo,          // a file under Anagrafica/
    Attachment,     // a file under Documenti_Allegati/
    DamagedCopy,    // an archive kept as it was before a repair: <name>.danneggiato-<date>
    Folder,         // Anagrafica/, Documenti_Allegati/ or a folder inside them
};

struct DataFile {
    // Relative to the program folder, with '/' between folders; a folder's name ends in '/'.
    QString name;
    DataKind kind = DataKind::Folder;
    qint64 size = 0;
    QDateTime modified;

    bool isFolder() const { return kind == DataKind::Folder; }
};

// The kind of data a name relative to the program folder ('/' between folders, a trailing '/' for
// a folder) stands for, or nullopt when it is not data.
std::optional<DataKind> dataKindOf(const QString& relative);

// The receipt and member archives: fixed records that a check reads one by one.
inline bool isArchive(DataKind kind)
{
    return kind == DataKind::ReceiptArchive || kind == DataKind::MemberArchive;
}

// Every data file and folder of `folder` in name order, folders before what they hold. Only
// regular files are taken (a link is followed to the file it names; a named pipe or a device is
// not data), and no link to a folder is followed inside the photo and attachment folders.
// False when the folder or one of its data folders cannot be listed.
bool listDataFiles(const QString& folder, QList<DataFile>& files);

} // namespace tavorel
