#pragma once

#include "lists/ListRows.h"
#include "lists/RowTable.h"
#include "members/MemberTargets.h"
#include "printing/Report.h"
#include "shell/FixedWindow.h"

#include <QDate>
#include <QStringList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavorel {

class ListPanel;
class RecordFile;
struct ScanDamage;

// What the expired cards list and the expired certificates list share: on show, the members whose
// tested date is before today, sorted; find, print, and a double click that loads the member into
// the member editor. With the tick "Mostra anche quelle in scadenza entro" on, the list also holds
// the members whose date falls within the next days, and each row tells the days left. "Scrivi a
// tutti" writes one reminder to every listed member who has an e-mail address. They only read
// the archive.
class ExpiredList : public FixedDialog {
    Q_OBJECT
public:
    // Whose date a list tests, how it writes a row, what it shows and prints.
    struct Kind {
        QString name;
        QString caption;
        QString banner;
        QString title;
        QString TSchedaIscritto::*date;
        ListRows::Writer row;
        // With the days left, the row must still fit the printed page (about 160 characters): its
        // widest free-text column loses its last `strettoDi` characters, from `strettoAt`, and the
        // days go at `giorniAt` of the row so narrowed, right after the tested date.
        int strettoAt;
        int strettoDi;
        int giorniAt;
        // What the reminder is about.
        bool certificato;
    };

    void FormShow() override;
    void btnStampaClick();
    void lstRecordsDblClick();
    void chkInScadenzaClick();
    void txtGiorniExit();
    void btnEmailClick();

    // Opens with the tick on (the main menu's notice): set before the list is shown.
    void mostraAncheInScadenza();

    // The rows of the members whose `date` is before `today`, in file order. A record that is not
    // whole, or whose date cannot be read, is passed over, counted in `damage`, and the rest of the
    // archive examined: the editor saves a member only with both dates picked from the calendar, so
    // a date that does not read (an empty one included) is not what was saved. False on a read
    // failure.
    static bool righeScadute(RecordFile& file, QString TSchedaIscritto::*date, ListRows::Writer row, const QDate& today,
                             RowTable& rows, ScanDamage& damage);

protected:
    ExpiredList(QWidget* owner, const Kind& kind, CaricaIscritto carica);
    void done(int result) override;

private:
    // What a row of the list, as built, is made of: the day it was built on and the days looked
    // ahead (0: only the ended ones, and no days column).
    struct Criteri {
        QDate today;
        int giorni = 0;
    };
    // Builds the list anew with the tick and days as they are now.
    void costruisciLista();
    // The days typed, or 0 when the field does not hold a number from 1 to 366.
    int giorniDigitati() const;
    // Writes the row of a stored record as the list shows it under `criteri`.
    void scriviRiga(const Criteri& criteri, QByteArrayView bytes, QByteArray& out) const;
    QString titolo() const;

    Kind kind_;
    CaricaIscritto carica_;
    Report report_;
    Criteri criteri_;
    // The days the list was last built with, put back when the field is left with a bad number.
    int giorniValidi_;

    ListPanel* elenco;
    QPushButton* btnChiudi;
    QPushButton* btnStampa;
    QCheckBox* chkInScadenza;
    QLineEdit* txtGiorni;
    QLabel* lblGiorni;
    QPushButton* btnEmail;
};

} // namespace tavorel
