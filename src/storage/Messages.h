#pragma once

#include <QString>
#include <QStringList>

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
// When the desktop has no program for what the program hands it. %1 is the file's name, the web
// address or the e-mail address.
inline const QString kMsgNessunProgrammaFile =
    QStringLiteral("Nessun programma del computer è in grado di aprire il file \"%1\".\n\r\n\r"
                   "Per aprirlo occorre installare un programma adatto a questo tipo di file (ad esempio un "
                   "lettore di PDF, un foglio di calcolo o un visualizzatore di immagini).");
inline const QString kMsgFileNonTrovato =
    QStringLiteral("Attenzione: il file \"%1\" non si trova nella cartella %2.\n\r\n\r"
                   "Il file potrebbe essere stato spostato, rinominato o cancellato.");
inline const QString kMsgNessunProgrammaSito =
    QStringLiteral("Nessun programma del computer è in grado di aprire l'indirizzo internet %1.\n\r\n\r"
                   "Per aprirlo occorre installare un browser (un programma di navigazione in internet).");
inline const QString kMsgNessunProgrammaPosta =
    QStringLiteral("Nessun programma del computer è in grado di scrivere un messaggio di posta elettronica a "
                   "%1.\n\r\n\rPer scrivere dal programma occorre installare e configurare un programma di posta "
                   "elettronica.");
inline const QString kMsgNessunaWebcam =
    QStringLiteral("Nessuna webcam è collegata al computer, oppure il sistema non permette di usarla.\n\r\n\r"
                   "Accertarsi che la webcam sia collegata e che nessun altro programma la stia usando, poi "
                   "premere di nuovo \"Accendi webcam\".");
// -- member photo, attachments and member sheet
inline const QString kMsgFotoNonSalvata =
    QStringLiteral("Attenzione: non è stato possibile salvare la foto dell'iscritto.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
inline const QString kMsgFotoNonEsportata =
    QStringLiteral("Attenzione: non è stato possibile salvare la foto nel file indicato.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella scelta.");
// Shown in the photo box over the silhouette when the member's photo file cannot be decoded.
inline const QString kMsgFotoNonVisualizzabile = QStringLiteral("Foto non visualizzabile: il file resta in archivio");
inline const QString kMsgFotoNonCaricata =
    QStringLiteral("Attenzione: il file scelto non contiene un'immagine che il programma possa leggere.\n\r\n\r"
                   "Scegliere una foto in formato Jpeg o Bitmap. La foto attuale resta invariata.");
// %1: the name the copy got in the attachments folder.
inline const QString kMsgAllegatoRinominato =
    QStringLiteral("Nella cartella dei documenti allegati un file con lo stesso nome appartiene a un altro iscritto "
                   "o non appartiene a questa scheda.\n\r\n\r"
                   "Il documento è stato allegato con il nome \"%1\".");
// %1: the longest name an attachment can have.
inline const QString kMsgAllegatoNomeLungo =
    QStringLiteral("Attenzione: il nome del file scelto è troppo lungo (al massimo %1 caratteri).\n\r\n\r"
                   "Rinominare il file con un nome più breve e sceglierlo di nuovo.");
// %1: the character the archive cannot hold.
inline const QString kMsgAllegatoNomeCarattere =
    QStringLiteral("Attenzione: il nome del file scelto contiene il carattere \"%1\", che l'archivio non può "
                   "conservare.\n\r\n\rRinominare il file e sceglierlo di nuovo.");
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
// A save that found the disk full: the archive was put back as it was.
inline const QString kMsgDiscoPieno =
    QStringLiteral("Attenzione: lo spazio sul disco è esaurito. La scheda non è stata salvata.");

// -- record editors
// The record on screen has changes and is about to be left (Sì saves, No leaves, Annulla stays).
inline const QString kMsgSalvareModifiche = QStringLiteral("Salvare le modifiche apportate alla scheda corrente?");
// "Salva" over a record that another workstation saved after it was shown here (Sì overwrites the
// other change, No shows the record as it is now in the archive, Annulla stays).
inline const QString kMsgSchedaCambiataAltrove =
    QStringLiteral("Attenzione: un'altra postazione ha modificato questa scheda dopo che è stata aperta.\n\r\n\r"
                   "Sì: sovrascrive le modifiche dell'altra postazione con i dati visualizzati.\n\r"
                   "No: ricarica la scheda come è ora in archivio (le modifiche fatte qui vanno perse).\n\r"
                   "Annulla: torna alla scheda senza salvare.");
// The record on screen is no longer in the archive (the archive was shortened by another workstation).
inline const QString kMsgSchedaNonPiuInArchivio =
    QStringLiteral("Attenzione: la scheda visualizzata non è più presente in archivio.\n\r\n\r"
                   "Salvarla come nuova scheda?");

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

// -- year and date fields
// The year fields (year selection, income summary query).
inline const QString kMsgAnnoQuattroCifre =
    QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre.");
// A date of issue that does not exist (the receipt editor's save).
inline const QString kMsgDataInesistente =
    QStringLiteral("Attenzione: la data indicata non esiste.\n\r\n\rPer poter salvare la scheda è necessario "
                   "indicare una data valida nel formato gg/mm/anno.");

// -- characters the files cannot hold (they are written in Windows-1252)
// The info bar's hint when such a character is typed or pasted into a field: %1 the character,
// %2 its code ("U+0218").
inline QString msgCarattereNonAmmesso(const QString& character, const QString& code)
{
    return QStringLiteral("Carattere «%1» (%2) non ammesso: l'archivio non lo può registrare.").arg(character, code);
}
// A save that meets such a character in a field all the same.
inline QString msgCarattereNonRegistrabile(const QString& character, const QString& code)
{
    return QStringLiteral("Attenzione: il carattere «%1» (%2) non può essere registrato in "
                          "archivio.\n\r\n\rPer poter salvare la scheda è necessario sostituirlo o "
                          "cancellarlo.")
        .arg(character, code);
}

// -- list screens
// Find pressed on an empty list (every list screen).
inline const QString kMsgRicercaNonApplicabile =
    QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");
// The income summary's questions before printing.
inline const QString kMsgStampaNonApplicabile =
    QStringLiteral("Operazione di stampa non applicabile: il riepilogo non contiene nessuna voce.");
inline const QString kMsgConfermaStampaRiepilogo = QStringLiteral("Si vuole stampare il presente riepilogo?");

// -- the expiry lists: the days looked ahead and "Scrivi a tutti"
inline const QString kMsgGiorniInScadenza =
    QStringLiteral("Attenzione: indicare un numero di giorni compreso fra 1 e 366.");
inline const QString kMsgScriviATuttiVuoto =
    QStringLiteral("Il riepilogo non contiene nessuna voce: non c'è nessun iscritto a cui scrivere.");
// Before each part of a reminder that is too long for one message.
inline QString msgScriviATuttiParte(int part, int parts)
{
    return QStringLiteral("Gli indirizzi sono troppi per un solo messaggio: il promemoria è stato diviso in %1 "
                          "messaggi.\n\r\n\rAprire il messaggio %2 di %1?")
        .arg(parts)
        .arg(part);
}
// After the reminder: who has no e-mail address in the archive, to be told by phone. A long list
// names the first ones and says how many more there are.
inline QString msgScriviATuttiSenzaIndirizzo(const QStringList& names, bool othersWritten)
{
    constexpr qsizetype kShown = 30;
    QString text = othersWritten ? QStringLiteral("Questi iscritti non hanno un indirizzo e-mail in archivio e non "
                                                  "riceveranno il messaggio: si consiglia di avvisarli per "
                                                  "telefono.")
                                 : QStringLiteral("Nessuno degli iscritti in elenco ha un indirizzo e-mail in "
                                                  "archivio: si consiglia di avvisarli per telefono.");
    text += QStringLiteral("\n\r\n\r") + names.mid(0, kShown).join(QLatin1Char('\n'));
    if (names.size() > kShown)
        text += QStringLiteral("\n... e altri %1.").arg(names.size() - kShown);
    return text;
}

// -- the VAT number check (kMsgPartitaIvaValida is followed by the office's town and a full stop)
inline const QString kMsgPartitaIvaLunghezza =
    QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.");
inline const QString kMsgPartitaIvaValida = QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                                                           "E' stato rilasciato dall'Ufficio IVA del Comune di ");
inline const QString kMsgPartitaIvaErrata =
    QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                   "Non è quindi possibile fornire informazioni relative all'Ufficio IVA "
                   "che lo ha rilasciato.");
inline const QString kMsgUfficioIvaSconosciuto = QStringLiteral("(ufficio non presente in tabella)");

// -- the fiscal code check
inline const QString kMsgCodFiscLunghezza =
    QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.");
inline const QString kMsgCodFiscValido = QStringLiteral("Il codice fiscale digitato è VALIDO.");
inline const QString kMsgCodFiscErrato = QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO.");

// -- login and password change
inline const QString kMsgPasswordErrata = QStringLiteral("Attenzione: password errata.");
inline const QString kMsgPasswordErroreLettura =
    QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura della password. "
                   "Si consiglia di reinstallare il software.");
inline const QString kMsgVecchiaPasswordErrata = QStringLiteral("Attenzione: vecchia password errata.");
inline const QString kMsgPasswordNonConfermata =
    QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                   "E' necessario reinserire entrambi i valori.");
inline const QString kMsgPasswordModificata = QStringLiteral("Modifica della password completata con successo.");
inline const QString kMsgPasswordErroreModifica =
    QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica della password. "
                   "Si consiglia di reinstallare il software.");

// -- the receipt editor (the print warning serves printing and the preview)
inline const QString kMsgRicevutaAnteprima =
    QStringLiteral("Attenzione: la visualizzazione dell'anteprima di stampa non è andata a buon fine.\n\r\n\r"
                   "Accertarsi che la stampante sia configurata correttamente.");
inline const QString kMsgArchivioRicevuteVuoto = QStringLiteral("L'archivio non contiene nessuna ricevuta.");
inline const QString kMsgSchedaInserita = QStringLiteral("La scheda corrente è stata inserita in archivio.");
inline const QString kMsgSchedaModificata =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
inline const QString kMsgRicevutaDuplicaNonSalvata = QStringLiteral(
    "Attenzione: questa funzione serve a duplicare una ricevuta che è già stata salvata in archivio.\n\r\n\r"
    "Visualizzare la ricevuta da duplicare e fare clic sul pulsante Duplica.");
inline const QString kMsgRicevutaDuplicata =
    QStringLiteral("E' ora possibile apportare le proprie modifiche alla ricevuta corrente.\n\r\n\r"
                   "Al termine premere Salva per registrare i dati in archivio.");
// Text pasted into the euros box that is not an amount written the Italian way; %1 the text.
inline const QString kMsgImportoIncollatoIllegibile =
    QStringLiteral("Attenzione: il testo incollato (%1) non è un importo scritto nella forma 1.234,56.\n\r\n\r"
                   "Il punto separa le migliaia e la virgola i centesimi: l'importo non è stato inserito.");
inline const QString kMsgImportoInCifre = QStringLiteral("Digitare l'importo in cifre nella casella del Totale.\n\r\n\r"
                                                         "L'importo in lettere apparirà in automatico.");

// A required field left blank, in the order a save checks them (the sport is the member editor's too).
inline const QString kMsgRicMancaNumRic =
    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il numero progressivo della ricevuta.");
inline const QString kMsgRicMancaData =
    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare la data di emissione della ricevuta.");
inline const QString kMsgRicMancaPagatore =
    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome del pagatore.");
inline const QString kMsgRicMancaCodFisc =
    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il codice fiscale del pagatore.");
inline const QString kMsgMancaAttivita =
    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare l'attività sportiva praticata.");
inline const QString kMsgRicMancaDal = QStringLiteral("Attenzione: per salvare la scheda è necessario indicare la data "
                                                      "di inizio del periodo a cui il pagamento si riferisce.");
inline const QString kMsgRicMancaAl = QStringLiteral("Attenzione: per salvare la scheda è necessario indicare la data "
                                                     "di scadenza del periodo a cui il pagamento si riferisce.");

// -- the club's fiscal data and how each receipt was paid. The wordings are the defaults a club's
// accountant may change in "Dati fiscali" (they are kept in Ricevute_Generiche.ini once saved).
inline const QString kRegimeNonIndicato = QStringLiteral("Non indicato");
inline const QString kRegimeAsd = QStringLiteral("A.S.D./S.S.D. senza scopo di lucro iscritta al Registro nazionale "
                                                 "delle attività sportive dilettantistiche");
inline const QString kRegimeAltroEnte = QStringLiteral("Altro ente");
inline const QString kDicituraIvaPredefinita =
    QStringLiteral("Operazione fuori campo IVA ai sensi dell'art. 4, comma 4, del DPR 633/1972");
inline const QString kEsenteQuotaPredefinita =
    QStringLiteral("Esente da imposta di bollo ai sensi dell'art. 7, Tabella B, DPR 642/1972");
inline const QString kEsenteCorsoPredefinita =
    QStringLiteral("Esente da imposta di bollo ai sensi dell'art. 27-bis, Tabella B, DPR 642/1972");
// The reasons for a payment and the ways it was made, in the order the drop-downs list them (a blank
// entry comes first in each).
inline const QString kCausaleQuota = QStringLiteral("Quota associativa");
inline const QString kCausaleCorso = QStringLiteral("Corso o attività sportiva");
inline const QString kCausaleAltro = QStringLiteral("Altro");
inline const QString kPagamentoContanti = QStringLiteral("Contanti");
inline const QString kPagamentoBonifico = QStringLiteral("Bonifico bancario o postale");
inline const QString kPagamentoCarta = QStringLiteral("Carta di debito, credito o prepagata");
inline const QString kPagamentoAssegno = QStringLiteral("Assegno bancario o circolare");
inline const QString kPagamentoPagoPa = QStringLiteral("PagoPA o altro sistema tracciabile");
// The stamp box of a printed receipt, by the club's status.
inline const QString kBolloEsente = QStringLiteral("ESENTE DA BOLLO");
inline const QString kBolloNonDovuto = QStringLiteral("BOLLO NON DOVUTO");
inline const QString kBolloSottoSoglia = QStringLiteral("(importo fino a 77,47 €)");
// The line of the printed receipt that says how it was paid: the reason, the way, its date and
// reference, each left out when blank.
inline const QString kRigaCausale = QStringLiteral("Causale: %1");
inline const QString kRigaPagamento = QStringLiteral("Pagamento: %1");
inline const QString kRigaPagamentoDel = QStringLiteral("del %1");
inline const QString kRigaPagamentoRif = QStringLiteral("rif. %1");
// The checks of "Dati fiscali".
inline const QString kMsgCodFiscAssociazione =
    QStringLiteral("Attenzione: il codice fiscale dell'associazione non è valido.\n\nIndicare il codice fiscale "
                   "numerico di 11 cifre o quello di 16 caratteri, oppure lasciare la casella vuota.");
// The warnings after the other checks of a save (Sì saves, No goes back to the field).
inline const QString kMsgContantiRagazzo =
    QStringLiteral("Attenzione: un pagamento in contanti non consente la detrazione delle spese per l'attività "
                   "sportiva dei ragazzi.\n\nSalvare comunque la ricevuta?");
inline const QString kMsgContantiSoglia =
    QStringLiteral("Attenzione: gli incassi di importo pari o superiore a 1.000 euro devono avvenire con mezzi di "
                   "pagamento tracciabili.\n\nSalvare comunque la ricevuta?");
// A payment record beside the year's archive that is not whole: the receipt shows its payment blank.
// %1 the receipt's number in the archive, %2 the file.
inline const QString kMsgPagamentoDanneggiato =
    QStringLiteral("Attenzione: i dati del pagamento della ricevuta n. %1 dell'archivio non sono leggibili (file "
                   "%2) e vengono mostrati vuoti.\n\nSalvando la ricevuta verranno registrati di nuovo.");
// The income summary's totals by way of payment, under its total.
inline const QString kTotaliPagamento = QStringLiteral("Contanti: %1 €    Tracciabili: %2 €    Non indicato: %3 €");
// A receipt number is given once per year. %1 the number, %2 the date and %3 the payer of the
// receipt that has it.
inline const QString kMsgRicNumeroGiaAssegnato =
    QStringLiteral("Attenzione: il numero %1 è già stato assegnato alla ricevuta del %2 intestata a %3.");
// The same found at the moment of saving a number "Nuovo" proposed (another workstation saved it
// meanwhile); %4 the first free number.
inline const QString kMsgRicNumeroOccupatoAltrove =
    QStringLiteral("Attenzione: il numero %1 è già stato assegnato alla ricevuta del %2 intestata a %3, "
                   "salvata nel frattempo da un'altra postazione.\n\r\n\r"
                   "Assegnare a questa ricevuta il primo numero libero, %4, e salvarla?");
// %1 the receipt's date, %2 the archive's year.
inline const QString kMsgRicDataFuoriAnno =
    QStringLiteral("Attenzione: la data della ricevuta (%1) non appartiene all'anno %2 dell'archivio aperto.\n\r\n\r"
                   "Per salvare la ricevuta è necessario indicare una data del %2; una ricevuta di un altro anno va "
                   "emessa nell'archivio di quell'anno.");
// Preview and print of a receipt that is not in the archive as it is on screen.
inline const QString kMsgRicSalvaPrimaDiStampare =
    QStringLiteral("La ricevuta non è ancora salvata in archivio così come appare sullo schermo.\n\r\n\r"
                   "Per stampare una ricevuta è necessario prima salvarla in archivio: salvarla ora?");

// -- the member editor
inline const QString kMsgArchivioIscrittiVuoto = QStringLiteral("L'archivio non contiene nessuna scheda.");
inline const QString kMsgIscrittoDuplicaNonSalvata = QStringLiteral(
    "Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa è stata inserita in archivio.");
inline const QString kMsgIscrittoDuplicata =
    QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
                   "Al termine premere Salva per inserire la scheda in archivio.");
// A required field left blank, in the order a save checks them (the sport: kMsgMancaAttivita).
inline const QString kMsgIscrMancaTiratore =
    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare cognome e nome dell'iscritto.");
inline const QString kMsgIscrMancaStudio = QStringLiteral(
    "Attenzione: per salvare la scheda è necessario indicare la data di scadenza del certificato medico.");
inline const QString kMsgIscrMancaTessera =
    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il numero di tessera dell'iscritto.");
inline const QString kMsgIscrMancaQuota =
    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare la quota versata dall'iscritto.");
inline const QString kMsgIscrMancaInizioTes =
    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare la data di rilascio della tessera.");
inline const QString kMsgIscrMancaFineTes =
    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare la data di scadenza della tessera.");
// The member's sex, when it is neither M nor F.
inline const QString kMsgIscrSessoNonValido =
    QStringLiteral("Attenzione: il sesso dell'iscritto va indicato con la lettera M (maschile) oppure F (femminile).");
// Another member already has this fiscal code (%1) or card number (%1): %2 that member's name, %3
// the number of that member's record.
inline const QString kMsgIscrCodFiscGiaPresente =
    QStringLiteral("Attenzione: il codice fiscale %1 è già indicato nella scheda n. %3 dell'iscritto %2.\n\r\n\r"
                   "Salvare comunque questa scheda?");
inline const QString kMsgIscrTesseraGiaPresente =
    QStringLiteral("Attenzione: la tessera n. %1 è già indicata nella scheda n. %3 dell'iscritto %2.\n\r\n\r"
                   "Salvare comunque questa scheda?");

// Printing: the printer could not start, or failed during the print.
inline const QString kMsgStampanteNonPronta =
    QStringLiteral("Impossibile avviare la stampa: la stampante non è disponibile.");
inline const QString kMsgStampaFallita = QStringLiteral("La stampa non è andata a buon fine: errore della stampante.");
// -- backups, restore and the check of the archives
// A copy made: the file, its size ("12,3 MB") and how many files it holds.
inline QString msgCopiaCreata(const QString& path, const QString& size, int files)
{
    return QStringLiteral("La copia di sicurezza è stata creata nel file:\r\n\r\n%1\r\n\r\n"
                          "Dimensione: %2 - File contenuti: %3")
        .arg(path, size)
        .arg(files);
}
inline const QString kMsgNienteDaCopiare =
    QStringLiteral("Attenzione: nella cartella del programma non c'è ancora nessun archivio da copiare.");
// The folder chosen for the copies is not there (a USB drive that is not plugged in).
inline QString msgCartellaCopieAssente(const QString& folder)
{
    return QStringLiteral("Attenzione: la cartella %1 non è disponibile.\n\r\n\r"
                          "Collegare il disco o la chiavetta che la contiene, oppure sceglierne un'altra con il "
                          "pulsante Sfoglia.")
        .arg(folder);
}
inline const QString kMsgCartellaCopieNonAmmessa =
    QStringLiteral("Attenzione: le copie di sicurezza non possono essere salvate nelle cartelle delle foto o dei "
                   "documenti allegati, che fanno parte delle copie stesse.\n\r\n\rScegliere un'altra cartella.");
// The automatic copy on leaving the program failed; the program closes all the same.
inline QString msgCopiaAutomaticaNonRiuscita(const QString& folder)
{
    return QStringLiteral("Attenzione: non è stato possibile creare la copia di sicurezza automatica nella "
                          "cartella %1.\n\r\n\rAccertarsi di possedere i privilegi di scrittura nella cartella "
                          "di installazione del programma e che sul disco ci sia spazio sufficiente.")
        .arg(folder);
}
// The restore refuses a file before anything is touched.
inline const QString kMsgCopiaNonValida =
    QStringLiteral("Attenzione: il file scelto non è una copia di sicurezza di Tavorel oppure è danneggiato.\n\r\n\r"
                   "Non è stato ripristinato nulla.");
inline QString msgCopiaPercorsoVietato(const QString& entry)
{
    return QStringLiteral("Attenzione: la copia contiene un file con un percorso non ammesso:\r\n%1\n\r\n\r"
                          "Per sicurezza la copia non viene ripristinata. Non è stato modificato nulla.")
        .arg(entry);
}
inline const QString kMsgSpazioInsufficiente =
    QStringLiteral("Attenzione: sul disco del programma non c'è spazio sufficiente per ripristinare la copia.\n\r\n\r"
                   "Non è stato ripristinato nulla.");
// %1 the copy's date, %2 its time, %3 what it holds, one line each.
inline QString msgConfermaRipristino(const QString& date, const QString& time, const QString& contents)
{
    return QStringLiteral("Si vuole ripristinare la copia di sicurezza del %1 alle ore %2?\r\n\r\n"
                          "La copia contiene:\r\n%3\r\n\r\n"
                          "Tutti i dati presenti ora nel programma saranno sostituiti da quelli della copia; prima del "
                          "ripristino ne verrà fatta una copia di sicurezza.\r\n\r\n"
                          "Prima di continuare chiudere Tavorel sulle altre postazioni.")
        .arg(date, time, contents);
}
inline QString msgRipristinoCompletato(const QString& safetyCopy)
{
    return QStringLiteral("Il ripristino è stato completato.\r\n\r\n"
                          "I dati presenti prima del ripristino sono stati salvati nella copia:\r\n%1\r\n\r\n"
                          "Per continuare è necessario accedere di nuovo al programma.")
        .arg(safetyCopy);
}
// The same when the folder held no archive, so no copy of it was made first.
inline const QString kMsgRipristinoCompletatoSenzaCopia = QStringLiteral(
    "Il ripristino è stato completato.\r\n\r\nPer continuare è necessario accedere di nuovo al programma.");
// A restore stopped and some files could not be put back as they were.
inline QString msgRipristinoIncompleto(const QString& safetyCopy)
{
    return QStringLiteral("Attenzione: il ripristino si è interrotto e non è stato possibile riportare tutti i file "
                          "com'erano.\n\r\n\rI dati presenti prima del ripristino sono nella copia:\r\n%1\r\n\r\n"
                          "Ripristinare quella copia appena possibile.")
        .arg(safetyCopy);
}
inline QString msgConfermaRiparazione(const QString& name, const QString& keptAs)
{
    return QStringLiteral("Si vuole riparare l'archivio %1?\r\n\r\n"
                          "Il file attuale sarà conservato con il nome %2; nel nuovo file ogni scheda danneggiata "
                          "sarà sostituita da una scheda vuota, così che tutte le altre mantengano il loro numero."
                          "\r\n\r\nPrima di continuare chiudere Tavorel sulle altre postazioni.")
        .arg(name, keptAs);
}
inline QString msgArchivioRiparato(const QString& name, qint64 blanked, const QString& keptAs)
{
    return QStringLiteral("L'archivio %1 è stato riparato: schede danneggiate sostituite da schede vuote: %2."
                          "\r\n\r\nIl file danneggiato è stato conservato con il nome %3.")
        .arg(name)
        .arg(blanked)
        .arg(keptAs);
}
// Fiscal code computed from the member's data (button "Calcola" of the member editor): what to mend
// when it cannot be computed. In kMsgCfLuogoSconosciuto %1 is the place as typed; in
// kMsgCfLuogoAmbiguo %1 is the place as typed, %2 the places it can mean ("Castro (BG), Castro (LE)")
// and %3 the first of them written as the field should hold it ("Castro (BG)").
inline const QString kMsgCfCalcolaTiratore =
    QStringLiteral("Per calcolare il codice fiscale è necessario indicare il cognome e il nome dell'iscritto "
                   "(prima il cognome, poi il nome).");
inline const QString kMsgCfCalcolaSesso =
    QStringLiteral("Per calcolare il codice fiscale è necessario indicare il sesso dell'iscritto (M oppure F).");
inline const QString kMsgCfCalcolaDataNasc = QStringLiteral(
    "Per calcolare il codice fiscale è necessario indicare la data di nascita dell'iscritto nel formato gg/mm/aaaa.");
inline const QString kMsgCfCalcolaLuogoNasc =
    QStringLiteral("Per calcolare il codice fiscale è necessario indicare il luogo di nascita dell'iscritto "
                   "(il comune, oppure lo Stato per chi è nato all'estero).");
inline const QString kMsgCfLuogoSconosciuto =
    QStringLiteral("Attenzione: il luogo di nascita \"%1\" non si trova tra i comuni italiani, attuali e soppressi, "
                   "né tra gli Stati esteri.\n\nCorreggere il luogo di nascita; per chi è nato all'estero indicare lo "
                   "Stato.");
inline const QString kMsgCfLuogoAmbiguo =
    QStringLiteral("Attenzione: il luogo di nascita \"%1\" può indicare più luoghi: %2.\n\nIndicare anche la "
                   "provincia tra parentesi, ad esempio \"%3\".");
inline const QString kMsgCfCalcolatoSovrascrivi =
    QStringLiteral("Il codice fiscale calcolato dai dati anagrafici è %1, diverso da quello presente nella scheda "
                   "(%2).\n\nSostituire il codice presente con quello calcolato?");

// The fiscal code compared with the data on save. The list (%1) holds one line for each part that
// disagrees, built from the kCfDiff... lines; then the question.
inline const QString kMsgCfNonCorrispondeScheda =
    QStringLiteral("Attenzione: il codice fiscale non corrisponde ai dati della scheda:\n%1\n\nSalvare comunque la "
                   "scheda?");
inline const QString kMsgCfNonCorrispondePagatore =
    QStringLiteral("Attenzione: il codice fiscale non corrisponde al cognome e nome del pagatore:\n%1\n\nSalvare "
                   "comunque la ricevuta?");
// %1 what the code holds, %2 what the record's field gives.
inline const QString kCfDiffCognome =
    QStringLiteral("- le lettere del cognome nel codice sono %1, dal cognome indicato risultano %2");
inline const QString kCfDiffNome =
    QStringLiteral("- le lettere del nome nel codice sono %1, dal nome indicato risultano %2");
// %1 the date the code holds, dd/mm/yyyy, in the century of the date typed.
inline const QString kCfDiffDataNasc = QStringLiteral("- la data di nascita nel codice è %1");
inline const QString kCfDiffSessoM = QStringLiteral("- il sesso nel codice è M (maschile)");
inline const QString kCfDiffSessoF = QStringLiteral("- il sesso nel codice è F (femminile)");
// %1 the place the code names ("Forlì (FC)", "Francia (Stato estero)").
inline const QString kCfDiffLuogoNasc = QStringLiteral("- il luogo di nascita nel codice è %1");
// How the messages name a place: %1 the municipality and %2 its province, or %1 the country.
inline const QString kCfLuogoComune = QStringLiteral("%1 (%2)");
inline const QString kCfLuogoEstero = QStringLiteral("%1 (Stato estero)");
// %1 the cadastral code that names no known place.
inline const QString kCfDiffLuogoSconosciuto =
    QStringLiteral("- il luogo di nascita nel codice ha il codice catastale %1, che non corrisponde a nessun comune "
                   "né Stato estero");

} // namespace tavorel
