#pragma once

#include <QString>

namespace tavorel {

// What every screen says when an archive cannot be opened, read or written.
inline const QString kMsgAccessoArchivio =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");

} // namespace tavorel
