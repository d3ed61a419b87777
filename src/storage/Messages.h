#pragma once

#include <QString>

namespace tavorel {

// What every screen says when an archive cannot be opened, read or written.
inline const QString kMsgAccessoArchivio =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");

// -- member photo, attachments and member sheet
inline const QString kMsgFotoNonSalvata =
    QStringLiteral("Attenzione: non è stato possibile salvare la foto dell'iscritto.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
inline const QString kMsgFotoNonEsportata =
    QStringLiteral("Attenzione: non è stato possibile salvare la foto nel file indicato.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella scelta.");
inline const QString kMsgAllegatoSovrascrivi =
    QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome.\r\n\r\n"
                   "Si vuole sovrascrivere il file esistente?");
inline const QString kMsgAllegatoNonCopiato =
    QStringLiteral("Attenzione: non è stato possibile copiare il file nella cartella dei documenti allegati.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
inline const QString kMsgSchedaStampa = QStringLiteral("Attenzione: la stampa non è andata a buon fine.\n\r\n\r"
                                                       "Si consiglia di ridurre le dimensioni della foto.");
inline const QString kMsgSchedaAnteprima =
    QStringLiteral("Attenzione: la visualizzazione dell'anteprima di stampa non è andata a buon fine.\n\r\n\r"
                   "Si consiglia di ridurre le dimensioni della foto.");

// Spreadsheet exports (receipts and members).
inline const QString kMsgEsportaDomanda =
    QStringLiteral("L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di schede "
                   "presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?");
inline const QString kMsgEsportaRiuscita =
    QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");
inline const QString kMsgEsportaNegata = QStringLiteral(
    "Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che il file di Excel non sia già aperto.");

} // namespace tavorel
