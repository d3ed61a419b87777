#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace tavorel {

// What a receipt says of the club's fiscal status and of how it was paid: the club's data as set in
// "Dati fiscali", the stamp box and the payment line of the printout, and the checks before a cash
// receipt is saved. The wordings are the club's (see DatiFiscali); their defaults are in Messages.h.

// The club's status, in the order the drop-down lists it.
enum class Regime { NonIndicato, Asd, AltroEnte };

struct DatiFiscali {
    Regime regime = Regime::NonIndicato;
    QString codFisc;     // the club's fiscal code: 11 digits, 16 characters or empty
    QString dicituraIva; // printed under the payment line when the status is set
    QString esenteQuota; // under "ESENTE DA BOLLO" for a membership fee
    QString esenteCorso; // ... for every other reason
    bool operator==(const DatiFiscali&) const = default;

    // Status not set, wordings as shipped.
    static DatiFiscali predefiniti();
};

// The three captions of the status, in the enum's order.
QStringList regimi();
// The reasons and the ways of payment as the drop-downs list them, a blank entry first.
QStringList causali();
QStringList pagamenti();

// How a way of payment counts: cash, traceable (every listed way but cash) or not stated (blank or a
// text the list does not hold, as an archive written elsewhere may have).
enum class Tracciabilita { NonIndicato, Contanti, Tracciabile };
Tracciabilita tracciabilita(const QString& pagamento);

// A club's fiscal code as "Dati fiscali" accepts it: empty, 11 digits whose last checks the rest (a
// number of a body), or 16 characters whose last checks the rest. Upper-cased by the caller.
bool codiceAssociazioneValido(const QString& code);

// The two lines of the stamp box of a copy of the receipt. `cents` is the whole amount in cents.
// With the status not set, the box says what it always said (original and copy differ there, so the
// caller keeps its own texts when `invariato` is true).
struct RigheBollo {
    bool invariato = true;
    QString prima;
    QString seconda;
};
RigheBollo righeBollo(const DatiFiscali& dati, const QString& causale, qint64 cents);

// The line under the amount that says why and how the receipt was paid: "Causale: …", "Pagamento: …",
// "del <date>" (the payment's date, or the receipt's when none is given) and "rif. …", each left out
// when blank, " - " between the reason and the payment. Empty when the reason and the way are blank
// (a reference or a date alone say nothing).
QString rigaPagamento(const QString& causale, const QString& pagamento, const QString& dataPag,
                      const QString& dataRicevuta, const QString& rifPag);

// A practitioner aged 5 to 18 (from the fifth birthday to the day before the nineteenth) on `day`.
bool etaDetrazioneSport(const QDate& nascita, const QDate& day);

// Cash received from 1.000,00 € up must be traceable.
inline constexpr qint64 kSogliaContantiCents = 100000;
// The stamp duty is due above 77,47 €.
inline constexpr qint64 kSogliaBolloCents = 7747;

} // namespace tavorel
