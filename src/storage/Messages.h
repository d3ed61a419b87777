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

// Income summary: the checks of the query, in their order. In the two "non esiste" messages %1 is
// the composed date; in the "anteriore" message %1 is the end and %2 the start of the interval.
inline const QString kMsgGiornoInizioMancante =
    QStringLiteral("Attenzione: indicare il giorno di inizio intervallo selezionandolo dall'elenco a cascata.");
inline const QString kMsgMeseInizioMancante =
    QStringLiteral("Attenzione: indicare il mese di inizio intervallo selezionandolo dall'elenco a cascata.");
inline const QString kMsgGiornoFineMancante =
    QStringLiteral("Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco a cascata.");
inline const QString kMsgMeseFineMancante =
    QStringLiteral("Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco a cascata.");
inline const QString kMsgDataInizioInesistente =
    QStringLiteral("Attenzione: la data %1 di inizio intervallo non esiste.\n\r\n\r"
                   "Per poter visualizzare il riepilogo è necessario indicare una data valida.");
inline const QString kMsgDataFineInesistente =
    QStringLiteral("Attenzione: la data %1 di fine intervallo non esiste.\n\r\n\r"
                   "Per poter visualizzare il riepilogo è necessario indicare una data valida.");
inline const QString kMsgFineAnteriore =
    QStringLiteral("Attenzione: la data di fine intervallo (%1) non può essere anteriore a quella di inizio "
                   "intervallo (%2).\n\r\n\r"
                   "Per poter visualizzare il riepilogo è necessario indicare un intervallo di tempo valido.");
// Income summary: the year's archive cannot be opened or read.
inline const QString kMsgArchivioNonAccessibile =
    QStringLiteral("Attenzione: il file di archivio non risulta accessibile.");

// -- damaged archives
// A record shown from an archive is not as it was saved (its lengths run past their fields): the
// user is told which record of which file, so it can be checked and saved again.
inline QString msgSchedaDanneggiata(qint64 record, const QString& fileName)
{
    return QStringLiteral("Attenzione: la scheda %1 dell'archivio %2 è danneggiata.\n\r\n\r"
                          "I dati visualizzati potrebbero non corrispondere a quelli salvati: controllarli e "
                          "salvare di nuovo la scheda.")
        .arg(record)
        .arg(fileName);
}

// A search or a list skipped records it could not read: how many, in which file. Shown once per
// search, and only when something was skipped. One record alone (often the one whose save a crash
// cut short) is told in the singular.
inline QString msgSchedeIlleggibili(qint64 count, const QString& fileName)
{
    if (count == 1)
        return QStringLiteral(
                   "Attenzione: 1 scheda dell'archivio %1 non può essere letta perché il file è danneggiato e "
                   "non è stata considerata.")
            .arg(fileName);
    return QStringLiteral("Attenzione: %1 schede dell'archivio %2 non possono essere lette perché il file è "
                          "danneggiato e non sono state considerate.")
        .arg(count)
        .arg(fileName);
}

} // namespace tavorel
