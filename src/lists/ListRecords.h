#pragma once

#include "lists/RowTable.h"
#include "storage/Cp1252.h"
#include "storage/RecordFile.h"
#include "storage/Trim.h"

#include <QString>

#include <type_traits>

namespace tavorel {

// How the list screens read an archive: every record is looked at in its stored bytes, and only
// the ones kept are decoded into a record and a row. A record that is not whole (see
// recordIsWhole) is never kept, never listed and never loaded: what it would show is not what
// was saved.

// What a list's test says of a stored record: `keep(bytes)` returns a bool, or a Kept when some
// records are damaged in a way only it can see (a date that cannot be read).
enum class Kept { No, Yes, Unreadable };

// Appends the row that `row(bytes, text)` writes for each whole stored record that `keep(bytes)`
// accepts, in file order, and counts in `damage` the records skipped because they are not whole
// (or that `keep` found unreadable) and a torn record at the end, so that the screen can tell the
// user. False on a read failure (the rows found before it stay in `rows`).
//
// A big archive is read and tested on several threads at once (RecordFile::scanRuns): `keep` and
// `row` may run on any of them, several at once, and must only read what they capture.
template <typename T, typename Keep, typename Row>
bool righeDaArchivio(RecordFile& file, Keep&& keep, Row&& row, RowTable& rows, ScanDamage& damage)
{
    damage = {};
    if (file.recordSize() != T::RecordSize)
        return false;
    struct Part {
        RowTable rows;
        qint64 unreadable = 0;
    };
    const bool ok = scanInParts<Part>(
        file,
        [&](qint64 first, QByteArrayView records, Part& part) {
            forEachInRun(first, records, T::RecordSize, [&](qint64, QByteArrayView bytes) {
                Kept kept = Kept::Unreadable;
                if (recordIsWhole<T>(bytes)) {
                    if constexpr (std::is_same_v<decltype(keep(bytes)), Kept>)
                        kept = keep(bytes);
                    else
                        kept = keep(bytes) ? Kept::Yes : Kept::No;
                }
                if (kept == Kept::Unreadable)
                    ++part.unreadable;
                else if (kept == Kept::Yes)
                    part.rows.appendWith([&](QByteArray& text) { row(bytes, text); });
            });
        },
        [&](Part& part) {
            rows.appendRows(std::move(part.rows));
            damage.unreadable += part.unreadable;
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
