#pragma once

#include <QString>

namespace tavorel {

// What every screen says when an archive cannot be opened, read or written.
inline const QString kMsgAccessoArchivio =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");

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
// search, and only when something was skipped.
inline QString msgSchedeIlleggibili(qint64 count, const QString& fileName)
{
    return QStringLiteral("Attenzione: %1 schede dell'archivio %2 non possono essere lette perché il file è "
                          "danneggiato e non sono state considerate.")
        .arg(count)
        .arg(fileName);
}

} // namespace tavorel
