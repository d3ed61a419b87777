#pragma once

#include "storage/RecordFile.h"

#include <QString>

namespace tavorel {

// The two archives of the program folder. Each Open* opens (creating it empty when missing) the
// archive for one user action; the caller closes it, or lets the RecordFile go, before returning.

inline const QString kMemberArchiveName = QStringLiteral("Archivio_Iscritti.pro");

// folder/yyyy.ric; `year` is taken as typed, blanks around it removed.
QString receiptArchivePath(const QString& folder, const QString& year);
// folder/Archivio_Iscritti.pro
QString memberArchivePath(const QString& folder);

// A year's receipt archive, records of TSchedaRicevuta.
bool OpenReceiptArchive(const QString& path, RecordFile& file);
// The member archive in `folder`, records of TSchedaIscritto.
bool OpenMemberArchive(const QString& folder, RecordFile& file);

} // namespace tavorel
