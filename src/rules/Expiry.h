#pragma once

#include <QDate>
#include <QString>

namespace tavorel {

class RecordFile;

// How far ahead the expiry lists and the main menu's notice look for cards and certificates that
// are about to end: by default a month, at most a year.
inline constexpr int kGiorniPreavviso = 30;
inline constexpr int kGiorniMinimi = 1;
inline constexpr int kGiorniMassimi = 366;

// Whether a card or certificate ending on `expiry` is listed on `today`: when it has ended (the
// day after the expiry is the first day it is listed), or, with `giorni` > 0, when it ends from
// today to today + `giorni`. An invalid date is never listed.
bool scadenzaInElenco(const QDate& expiry, const QDate& today, int giorni);

// Days from today to the expiry: 0 for today, negative for a date that has passed.
inline qint64 giorniAllaScadenza(const QDate& expiry, const QDate& today)
{
    return today.daysTo(expiry);
}

// Who must renew, as the main menu tells it: members whose certificate or card has ended, and
// those whose ends within the days looked ahead.
struct ConteggioScadenze {
    qint64 certificatiScaduti = 0;
    qint64 certificatiInScadenza = 0;
    qint64 tessereScadute = 0;
    qint64 tessereInScadenza = 0;

    bool operator==(const ConteggioScadenze&) const = default;
    bool certificati() const { return certificatiScaduti > 0 || certificatiInScadenza > 0; }
    bool tessere() const { return tessereScadute > 0 || tessereInScadenza > 0; }
};

// Counts over the member archive open in `file`, as the expiry lists would list them: records that
// are not whole, and dates that do not read, are passed over. False on a read failure. Reads the
// archive on several threads (RecordFile::scanRuns) and touches nothing of the program's screens,
// so it may run on any thread.
bool contaScadenze(RecordFile& file, const QDate& today, int giorni, ConteggioScadenze& out);

// The same over the member archive of the program folder `folder`, opened and closed here. A
// folder without an archive counts nobody (the archive is not created); false when the archive
// cannot be opened or read.
bool contaScadenzeArchivio(const QString& folder, const QDate& today, int giorni, ConteggioScadenze& out);

// The main menu's line: "Certificati medici: 2 scaduti, 3 in scadenza entro 30 giorni · Tessere: 1
// scaduta", naming only what is not zero; empty when nobody must renew.
QString avvisoScadenze(const ConteggioScadenze& conteggio, int giorni);

} // namespace tavorel
