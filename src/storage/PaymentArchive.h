#pragma once

#include "storage/TSchedaPagamento.h"

#include <QByteArray>
#include <QString>

namespace tavorel {

class RecordFile;

// The payments beside a year's receipt archive: "yyyy.pag" next to "yyyy.ric", one record of
// TSchedaPagamento per receipt, in the receipts' order. Written only by the receipt editor's save,
// after the receipt and under the receipt archive's append lock.
class PaymentArchive {
public:
    // folder/yyyy.pag for folder/yyyy.ric.
    static QString percorso(const QString& receiptArchive);

    enum class Esito {
        Letto,        // the record of the receipt, as saved
        Assente,      // no record for it (no file, or a shorter one): blank
        Danneggiato,  // a record that is not whole: blank, and the user is told
        NonLeggibile, // the file exists but cannot be read: blank
    };
    // The payment of receipt k (1-based). Anything but Letto leaves `out` blank.
    static Esito leggi(const QString& receiptArchive, qint64 k, TSchedaPagamento& out);

    // Writes the payment of receipt k, first padding the file with blank records up to it. A blank
    // payment is not written where there is no file yet: a club that never states a payment has no
    // side file. False on a failed write; `diskFull` then tells whether the disk was full. A write
    // that fails part-way leaves the file as it was, blank records written before it included.
    static bool scrivi(const QString& receiptArchive, qint64 k, const TSchedaPagamento& payment,
                       bool* diskFull = nullptr);

    // The stored records of the first `receipts` receipts at once, for the scans that go through a
    // whole year (129 bytes a receipt); empty when there is no file or it cannot be read.
    static QByteArray tutti(const QString& receiptArchive, qint64 receipts);
    // Record k of what tutti() returned, blank when it is not there or not whole.
    static TSchedaPagamento di(const QByteArray& all, qint64 k);
};

} // namespace tavorel
