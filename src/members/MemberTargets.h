#pragma once

#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"

#include <QString>

#include <functional>

namespace tavorel {

// Where the member search and the expiry lists send the member chosen: the member editor, which
// shows the whole record as record number k (counted from 1) with its photo.
using CaricaIscritto = std::function<void(const TSchedaIscritto& member, qint64 recordNo)>;

// The seven member fields the import copies into a receipt, under the receipt's names.
struct DatiPagatore {
    QString Pagatore;   // member's name
    QString CodFisc;    // fiscal code
    QString Sport;      // sport (Ente)
    QString Praticante; // practitioner (Armi)
    QString LuogoNasc;  // practitioner's place of birth (Porto)
    QString DataNasc;   // practitioner's date of birth (InizioPor)
    QString Indirizzo;  // practitioner's address (FinePor)

    static DatiPagatore daIscritto(const TSchedaIscritto& member);
    // Writes the seven fields into the receipt and leaves every other field as it is.
    void applicaA(TSchedaRicevuta& receipt) const;
};

// Where the import sends them: the receipt editor that opened the search.
using ImportaPagatore = std::function<void(const DatiPagatore& dati)>;

} // namespace tavorel
