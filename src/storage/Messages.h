#pragma once

#include <QString>

namespace tavorel {

// What every screen says when an archive cannot be opened, read or written.
inline const QString kMsgAccessoArchivio =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");

// Spreadsheet exports (receipts and members).
inline const QString kMsgEsportaDomanda =
    QStringLiteral("L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di schede "
                   "presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?");
inline const QString kMsgEsportaRiuscita =
    QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");
inline const QString kMsgEsportaNegata =
    QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che il file di Excel "
                   "non sia già aperto.");

} // namespace tavorel
