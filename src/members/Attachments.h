#pragma once

#include <QSet>
#include <QString>

#include <array>

namespace tavorel {

struct TSchedaIscritto;

// The documents attached to members are copies kept together in one folder beside the archive;
// a record holds only their file names and descriptions.
inline const QString kAttachmentFolderName = QStringLiteral("Documenti_Allegati");

// The three name/description pairs of one member.
struct AttachmentSlots {
    std::array<QString, 3> files;
    std::array<QString, 3> descriptions;

    static AttachmentSlots of(const TSchedaIscritto& record);
    void storeInto(TSchedaIscritto& record) const;
    bool operator==(const AttachmentSlots&) const = default;
};

// programFolder/Documenti_Allegati
QString attachmentFolder(const QString& programFolder);

// The file name a stored attachment name stands for. A name is only ever a name inside the
// attachments folder: whatever folder part it carries (written by hand into the archive, with
// either kind of slash or a drive letter) is dropped, and "." or ".." name nothing.
QString attachmentFileName(const QString& stored);

// Where the attachment of that name lies; empty when the name names nothing.
QString attachmentPath(const QString& programFolder, const QString& stored);

// Copies `source` (a regular file only) to `destination`, replacing it only once the copy is
// complete. Copying a file onto itself is a success that changes nothing.
bool copyAttachment(const QString& source, const QString& destination);

// The longest attachment name the record can hold.
int attachmentNameCapacity();

// The attachment names the member archive's records other than `recordNo` point to, folded to
// lower case (two names differing only in case are one file on some systems). False when the
// archive is there but cannot be read: then no name can be said to be free of other members.
bool attachmentNamesOfOthers(const QString& programFolder, qint64 recordNo, QSet<QString>& names);

// The first of "name (2).ext", "name (3).ext"... that is neither a file in `folder` nor in
// `taken` (lower case), and fits the record; empty when there is none.
QString freeAttachmentName(const QString& folder, const QString& name, const QSet<QString>& taken);

} // namespace tavorel
