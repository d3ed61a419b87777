#pragma once

#include "storage/RecordLayout.h"

#include <QString>

#include <array>

namespace tavorel {

// One member, as stored in "Archivio_Iscritti.pro": 32 length-prefixed fields, 3189 bytes.
// Each member is named after the editor control that fills it; several names do not describe
// their content, so the comments do.
struct TSchedaIscritto {
    QString Tiratore; // member's surname and name
    QString Sesso;    // one upper-case letter
    QString DataNasc; // member's date of birth, free text
    QString Cittadinanza;
    QString LuogoNasc;
    QString Indirizzo;
    QString Citta;
    QString Cap;
    QString Nazione;
    QString CodFisc; // fiscal code or 11-digit VAT number
    QString Gruppo;  // blood group
    QString Professione;
    QString Studio; // medical certificate expiry, dd/mm/yyyy
    QString Ente;   // sport practised
    QString Email;
    QString Tel;
    QString Cel;
    QString Tessera;   // membership card number
    QString Quota;     // fee paid, "35,00"
    QString InizioTes; // card issue date, dd/mm/yyyy
    QString FineTes;   // card expiry date, dd/mm/yyyy
    QString Armi;      // practitioner's surname and name
    QString Porto;     // practitioner's place of birth
    QString InizioPor; // practitioner's date of birth, free text
    QString FinePor;   // practitioner's address
    QString Note;
    QString File01; // attachment file names (name only) and their descriptions
    QString File02;
    QString File03;
    QString Desc01;
    QString Desc02;
    QString Desc03;

    static constexpr int RecordSize = 3189;

    bool operator==(const TSchedaIscritto&) const = default;

    static constexpr const std::array<RecordField<TSchedaIscritto>, 32>& fields();
};

inline constexpr std::array<RecordField<TSchedaIscritto>, 32> kTSchedaIscrittoFields{{
    {"Tiratore", &TSchedaIscritto::Tiratore, 50},
    {"Sesso", &TSchedaIscritto::Sesso, 1},
    {"DataNasc", &TSchedaIscritto::DataNasc, 10},
    {"Cittadinanza", &TSchedaIscritto::Cittadinanza, 50},
    {"LuogoNasc", &TSchedaIscritto::LuogoNasc, 50},
    {"Indirizzo", &TSchedaIscritto::Indirizzo, 120},
    {"Citta", &TSchedaIscritto::Citta, 50},
    {"Cap", &TSchedaIscritto::Cap, 10},
    {"Nazione", &TSchedaIscritto::Nazione, 50},
    {"CodFisc", &TSchedaIscritto::CodFisc, 16},
    {"Gruppo", &TSchedaIscritto::Gruppo, 50},
    {"Professione", &TSchedaIscritto::Professione, 120},
    {"Studio", &TSchedaIscritto::Studio, 120},
    {"Ente", &TSchedaIscritto::Ente, 120},
    {"Email", &TSchedaIscritto::Email, 50},
    {"Tel", &TSchedaIscritto::Tel, 30},
    {"Cel", &TSchedaIscritto::Cel, 30},
    {"Tessera", &TSchedaIscritto::Tessera, 50},
    {"Quota", &TSchedaIscritto::Quota, 50},
    {"InizioTes", &TSchedaIscritto::InizioTes, 10},
    {"FineTes", &TSchedaIscritto::FineTes, 10},
    {"Armi", &TSchedaIscritto::Armi, 50},
    {"Porto", &TSchedaIscritto::Porto, 50},
    {"InizioPor", &TSchedaIscritto::InizioPor, 10},
    {"FinePor", &TSchedaIscritto::FinePor, 250},
    {"Note", &TSchedaIscritto::Note, 250},
    {"File01", &TSchedaIscritto::File01, 250},
    {"File02", &TSchedaIscritto::File02, 250},
    {"File03", &TSchedaIscritto::File03, 250},
    {"Desc01", &TSchedaIscritto::Desc01, 250},
    {"Desc02", &TSchedaIscritto::Desc02, 250},
    {"Desc03", &TSchedaIscritto::Desc03, 250},
}};

constexpr const std::array<RecordField<TSchedaIscritto>, 32>& TSchedaIscritto::fields()
{
    return kTSchedaIscrittoFields;
}

static_assert(recordSizeOf(TSchedaIscritto::fields()) == TSchedaIscritto::RecordSize);
static_assert(capacitiesFit(TSchedaIscritto::fields()));

} // namespace tavorel
