#include "members/Attachments.h"

#include "members/SourceFile.h"
#include "rules/TextRules.h"
#include "storage/Archives.h"
#include "storage/RecordFile.h"
#include "storage/SafeFile.h"
#include "storage/TSchedaIscritto.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tavorel {

AttachmentSlots AttachmentSlots::of(const TSchedaIscritto& r)
{
    return AttachmentSlots{{r.File01, r.File02, r.File03}, {r.Desc01, r.Desc02, r.Desc03}};
}

void AttachmentSlots::storeInto(TSchedaIscritto& r) const
{
    r.File01 = files[0];
    r.File02 = files[1];
    r.File03 = files[2];
    r.Desc01 = descriptions[0];
    r.Desc02 = descriptions[1];
    r.Desc03 = descriptions[2];
}

QString attachmentFolder(const QString& programFolder)
{
    return QDir(programFolder).filePath(kAttachmentFolderName);
}

QString attachmentFileName(const QString& stored)
{
    QString name = TrimSpazi(stored);
    const qsizetype cut = std::max(
        {name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')), name.lastIndexOf(QLatin1Char(':'))});
    if (cut >= 0)
        name = TrimSpazi(name.mid(cut + 1));
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QString();
    return name;
}

QString attachmentPath(const QString& programFolder, const QString& stored)
{
    const QString name = attachmentFileName(stored);
    if (name.isEmpty())
        return QString();
    return QDir(attachmentFolder(programFolder)).filePath(name);
}

bool copyAttachment(const QString& source, const QString& destination)
{
    const QFileInfo from(source);
    if (!from.isFile())
        return false;
    if (from.canonicalFilePath() == QFileInfo(destination).canonicalFilePath())
        return true;
    QFile in;
    if (!openRegularFile(in, source))
        return false;
    return replaceFileContents(destination, [&](QIODevice& out) {
        char buffer[64 * 1024];
        for (;;) {
            const qint64 n = in.read(buffer, sizeof buffer);
            if (n < 0)
                return false;
            if (n == 0)
                return true;
            if (out.write(buffer, n) != n)
                return false;
        }
    });
}

int attachmentNameCapacity()
{
    static const int capacity = findField<TSchedaIscritto>(u"File01")->capacity;
    return capacity;
}

bool attachmentNamesOfOthers(const QString& programFolder, qint64 recordNo, QSet<QString>& names)
{
    names.clear();
    // Looking must not create an archive that is not there.
    if (!QFileInfo::exists(QDir(programFolder).filePath(kMemberArchiveName)))
        return true;
    RecordFile file;
    if (!OpenMemberArchive(programFolder, file))
        return false;
    return file.forEach([&](qint64 k, const QByteArray& bytes) {
        if (k == recordNo)
            return true;
        const TSchedaIscritto record = decodeRecord<TSchedaIscritto>(bytes);
        for (const QString& stored : AttachmentSlots::of(record).files) {
            const QString name = attachmentFileName(stored);
            if (!name.isEmpty())
                names.insert(name.toLower());
        }
        return true;
    });
}

QString freeAttachmentName(const QString& folder, const QString& name, const QSet<QString>& taken)
{
    const QFileInfo info(name);
    const QString base = info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : QStringLiteral(".") + info.suffix();
    const QDir dir(folder);
    for (int n = 2; n < 10000; ++n) {
        const QString candidate = QStringLiteral("%1 (%2)%3").arg(base).arg(n).arg(suffix);
        if (candidate.size() > attachmentNameCapacity())
            return QString();
        if (!taken.contains(candidate.toLower()) && !QFileInfo::exists(dir.filePath(candidate)) &&
            !QFileInfo(dir.filePath(candidate)).isSymLink())
            return candidate;
    }
    return QString();
}

} // namespace tavorel
