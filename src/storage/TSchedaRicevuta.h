#pragma once

#include "storage/RecordLayout.h"

#include <QString>

#include <array>

namespace tavorel {

// One receipt, as stored in the year's ".ric" archive: 20 length-prefixed fields, 1099 bytes.
// Each member is named after the editor control that fills it.
struct TSchedaRicevuta {
    QString NumRic;      // receipt number, free text
    QString Data;        // date of issue, dd/mm/yyyy
    QString Importo;     // whole euros, digits only
    QString Cents;       // two digits
    QString ImpLettere;  // the whole euros in words, as shown when saved
    QString CentLettere; // copy of the cents, printed after the words
    QString Intero;      // Importo + "," + Cents: the value the income summary adds up
    QString Ricevente01; // payee, lines 1 to 4
    QString Ricevente02;
    QString Ricevente03;
    QString Ricevente04;
    QString Pagatore; // payer's surname and name
    QString CodFisc;  // payer's fiscal code or VAT number
    QString Sport;
    QString Dal; // period paid for, dd/mm/yyyy
    QString Al;
    QString Praticante; // who practises the sport
    QString LuogoNasc;  // practitioner's place of birth
    QString DataNasc;   // practitioner's date of birth, free text
    QString Indirizzo;  // practitioner's address

    static constexpr int RecordSize = 1099;

    bool operator==(const TSchedaRicevuta&) const = default;

    static constexpr const std::array<RecordField<TSchedaRicevuta>, 20>& fields();
};

inline constexpr std::array<RecordField<TSchedaRicevuta>, 20> kTSchedaRicevutaFields{{
    {"NumRic", &TSchedaRicevuta::NumRic, 30},
    {"Data", &TSchedaRicevuta::Data, 10},
    {"Importo", &TSchedaRicevuta::Importo, 8},
    {"Cents", &TSchedaRicevuta::Cents, 2},
    {"ImpLettere", &TSchedaRicevuta::ImpLettere, 250},
    {"CentLettere", &TSchedaRicevuta::CentLettere, 2},
    {"Intero", &TSchedaRicevuta::Intero, 11},
    {"Ricevente01", &TSchedaRicevuta::Ricevente01, 50},
    {"Ricevente02", &TSchedaRicevuta::Ricevente02, 50},
    {"Ricevente03", &TSchedaRicevuta::Ricevente03, 50},
    {"Ricevente04", &TSchedaRicevuta::Ricevente04, 50},
    {"Pagatore", &TSchedaRicevuta::Pagatore, 50},
    {"CodFisc", &TSchedaRicevuta::CodFisc, 16},
    {"Sport", &TSchedaRicevuta::Sport, 120},
    {"Dal", &TSchedaRicevuta::Dal, 10},
    {"Al", &TSchedaRicevuta::Al, 10},
    {"Praticante", &TSchedaRicevuta::Praticante, 50},
    {"LuogoNasc", &TSchedaRicevuta::LuogoNasc, 50},
    {"DataNasc", &TSchedaRicevuta::DataNasc, 10},
    {"Indirizzo", &TSchedaRicevuta::Indirizzo, 250},
}};

constexpr const std::array<RecordField<TSchedaRicevuta>, 20>& TSchedaRicevuta::fields()
{
    return kTSchedaRicevutaFields;
}

static_assert(recordSizeOf(TSchedaRicevuta::fields()) == TSchedaRicevuta::RecordSize);
static_assert(capacitiesFit(TSchedaRicevuta::fields()));

} // namespace tavorel
