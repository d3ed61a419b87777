#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tavorel {

// The fixed-width text rows of the list screens, written straight from a stored record
// (TSchedaRicevuta or TSchedaIscritto bytes) as Windows-1252 bytes appended to `out`: literal
// labels and the record's values, each value trimmed (trimStored) and cut or padded to its column,
// the last one as it is. Only the fields the row shows are looked at, and nothing is decoded: a
// list of a hundred thousand rows is built this way, into a RowTable.
class ListRows {
public:
    using Writer = void (*)(QByteArrayView stored, QByteArray& out);
    // "Ric. n. ..." rows of the receipt search and the income summary (the total at position 146).
    static void writeReceiptRow(QByteArrayView stored, QByteArray& out);
    // Member rows of the member search and the expired cards list (the fee at position 143).
    static void writeMemberRow(QByteArrayView stored, QByteArray& out);
    // Rows of the expired certificates list (the expiry date at position 145).
    static void writeCertificateRow(QByteArrayView stored, QByteArray& out);
    // One such row as text.
    static QString receiptRow(QByteArrayView stored);
    static QString memberRow(QByteArrayView stored);
    static QString certificateRow(QByteArrayView stored);
};

} // namespace tavorel
