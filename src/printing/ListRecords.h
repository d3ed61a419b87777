#pragma once

#include "printing/RowTable.h"
#include "storage/Cp1252.h"
#include "storage/RecordFile.h"
#include "storage/Trim.h"

#include <QString>

namespace tavorel {

// How the list screens read an archive: every record is looked at in its stored bytes, and only
// the ones kept are decoded into a record and a row. A record that is not whole (see
// recordIsWhole) is never kept, never listed and never loaded: what it would show is not what
// was saved.

// Appends the row that `row(bytes, text)` writes for each whole stored record that `keep(bytes)`
// accepts, in file order, and counts in `damage` the records skipped because they are not whole
// and a torn record at the end, so that the screen can tell the user. False on a read failure (the
// rows found so far stay in `rows`).
template <typename T, typename Keep, typename Row>
bool righeDaArchivio(RecordFile& file, Keep&& keep, Row&& row, RowTable& rows, ScanDamage& damage)
{
    damage = {};
    if (file.recordSize() != T::RecordSize)
        return false;
    const bool ok = file.forEachStored([&](qint64, QByteArrayView bytes) {
        if (!recordIsWhole<T>(bytes))
            ++damage.unreadable;
        else if (keep(bytes))
            rows.appendWith([&](QByteArray& text) { row(bytes, text); });
        return true;
    });
    // Looked at after the scan: a tail left by a save still under way when the scan began is
    // whole by now.
    damage.tornTail = file.tailBytes() > 0;
    return ok;
}

// Hands `load(record, k)` each whole record whose row, as `row(bytes, text)` writes it, trimmed,
// equals `selected`, a row of the list, trimmed, in file order, so the last of several identical
// rows is the one left on the receiving screen. Returns how many were loaded, or -1 on a read
// failure.
template <typename T, typename Row, typename Load>
qint64 caricaRiga(RecordFile& file, const QString& selected, Row&& row, Load&& load)
{
    if (file.recordSize() != T::RecordSize)
        return -1;
    // A row of the list was made from stored bytes, so it goes back to the same bytes exactly.
    const QByteArray selectedBytes = toCp1252(selected);
    const QByteArrayView wanted = trimStored(selectedBytes);
    QByteArray written;
    qint64 loaded = 0;
    const bool ok = file.forEachStored([&](qint64 k, QByteArrayView bytes) {
        if (!recordIsWhole<T>(bytes))
            return true;
        written.resize(0); // keeps its room for the next row
        row(bytes, written);
        if (trimStored(written) == wanted) {
            load(decodeRecord<T>(bytes.toByteArray()), k);
            ++loaded;
        }
        return true;
    });
    return ok ? loaded : -1;
}

} // namespace tavorel
