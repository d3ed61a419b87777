#pragma once

#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace tavorel {

// The fixed-width text rows of the list screens: literal labels and record values, each value
// trimmed of blanks and control characters and cut or padded to its column, the last one as it is.
class ListRows {
public:
    // A record field as it stands in a row.
    static QString value(const QString& field);
    // The value cut to its first `width` characters or padded on the right with blanks to `width`.
    static QString column(const QString& field, int width);

    // "Ric. n. ..." rows of the receipt search and the income summary (the total at position 146).
    static QString receiptRow(const TSchedaRicevuta& receipt);
    // Member rows of the member search and the expired cards list (the fee at position 143).
    static QString memberRow(const TSchedaIscritto& member);
    // Rows of the expired certificates list (the expiry date at position 145).
    static QString certificateRow(const TSchedaIscritto& member);

    // The same rows straight from a stored record (TSchedaRicevuta or TSchedaIscritto bytes), as
    // Windows-1252 bytes appended to `out`: only the fields the row shows are looked at, and
    // nothing is decoded. A list of a hundred thousand rows is built this way, into a RowTable.
    using Writer = void (*)(QByteArrayView stored, QByteArray& out);
    static void writeReceiptRow(QByteArrayView stored, QByteArray& out);
    static void writeMemberRow(QByteArrayView stored, QByteArray& out);
    static void writeCertificateRow(QByteArrayView stored, QByteArray& out);
    // One such row as text.
    static QString receiptRow(QByteArrayView stored);
    static QString memberRow(QByteArrayView stored);
    static QString certificateRow(QByteArrayView stored);

    // Order of the sorted lists (RowTable::sort): a to z taken as A to Z, then by character code; a
    // text that is the beginning of another sorts first.
    static bool sortsBefore(const QString& a, const QString& b);
};

} // namespace tavorel
