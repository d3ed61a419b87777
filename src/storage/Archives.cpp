#include "storage/Archives.h"

#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"
#include "storage/Trim.h"

#include <QDir>

namespace tavorel {

QString receiptArchivePath(const QString& folder, const QString& year)
{
    return QDir(folder).filePath(TrimSpazi(year) + QStringLiteral(".ric"));
}

QString memberArchivePath(const QString& folder)
{
    return QDir(folder).filePath(kMemberArchiveName);
}

bool OpenReceiptArchive(const QString& path, RecordFile& file)
{
    return file.open(path, TSchedaRicevuta::RecordSize);
}

bool OpenMemberArchive(const QString& folder, RecordFile& file)
{
    return file.open(memberArchivePath(folder), TSchedaIscritto::RecordSize);
}

} // namespace tavorel
