#include "members/Attachments.h"

#include "rules/TextRules.h"
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
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
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

} // namespace tavorel
