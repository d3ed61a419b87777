#pragma once

#include "lists/RowTable.h"
#include "rules/RecordSearch.h"

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringList>

namespace tavorel {

// Which receipts of a year's archive the income summary lists, their rows and their total,
// without the screen. It works on the stored bytes of each record: only the four fields it tests
// are looked at, and only the records it lists are turned into text, so a summary over a big
// archive costs little more than reading the file.
//
// A record passes when each filter in use is contained in its field (letters A to Z in any case,
// accented letters exactly), its amount is not empty and its date of issue lies in the interval,
// both ends included. A record that would be listed but whose date or amount cannot be read is
// left out of the rows and the total and counted apart; so is every record that is not whole (see
// recordIsWhole), whatever it holds, and a torn record at the end of the file. The rest of the
// archive is still listed. An empty amount is no damage: such a receipt is simply never listed.
class IncomeSelection {
public:
    // Amounts are added in ten-thousandths of a euro, as whole numbers: 0,10 + 0,20 is 0,30 exactly.
    static constexpr qint64 kUnit = 10000;

    enum class Verdict {
        Listed,     // a row of the summary
        Left,       // a filter, an empty amount or the interval leaves it out
        Unreadable, // not whole, or it would be listed but its date or amount cannot be read
    };

    struct Result {
        bool ok = false; // false: the archive could not be opened or read to its end
        RowTable rows;
        qint64 total = 0;      // in ten-thousandths
        qint64 unreadable = 0; // records left out because they cannot be read, a torn tail included
        // The total by the way each listed receipt was paid (from the payments beside the archive):
        // cash, traceable, and not stated (no payment recorded, or one the program does not know).
        qint64 contanti = 0;
        qint64 tracciabili = 0;
        qint64 nonIndicato = 0;
    };

    // `pagatore` and `sport` as typed: a filter whose trimmed text is empty is not in use; one in
    // use is matched as typed, blanks included.
    IncomeSelection(const QString& pagatore, const QString& sport, const QDate& inizio, const QDate& fine);

    // How many filters are in use (0, 1 or 2).
    int filtriInUso() const;

    // Tests one stored record. For a listed record, `amount` receives its amount in ten-thousandths.
    Verdict esamina(QByteArrayView record, qint64* amount) const;

    // Opens the archive as every screen does (creating it empty when missing), selects in file
    // order and closes it.
    Result esegui(const QString& archivePath) const;

    // An amount text ("150,00", "7,5", "-3") in ten-thousandths; false when it is not a number
    // written with digits and at most one decimal comma. Decimals past the fourth round half up.
    static bool leggiImporto(QByteArrayView text, qint64* amount);

    // A total as the summary shows it: decimal comma, no thousands separator, at least two
    // decimals and at most four (150 gives 150,00, 0,125 gives 0,125).
    static QString formattaTotale(qint64 total);

private:
    StoredCriteria filtri_;
    QDate inizio_;
    QDate fine_;
};

} // namespace tavorel
