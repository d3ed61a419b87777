#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace tavorel {

// Where the four browse buttons of a record editor go. Both editors browse their archive the same
// way: the record on screen is the number in their position label, empty for a record not saved yet.

enum class BrowseCommand { Primo, Indietro, Avanti, Ultimo };

// The record number held by a position label; 0 when the label is empty (an unsaved record) or
// does not hold a positive whole number.
qint64 PosizioneDaEtichetta(const QString& label);

// The record a browse button shows, with `position` the record on screen (0 for an unsaved
// record) and `count` the records in the archive (at least 1); 0 when the button does nothing
// (Avanti at the last record, Indietro at the first).
qint64 RecordDaMostrare(BrowseCommand command, qint64 position, qint64 count);

class RecordFile;

// What a browse button finds in the editor's open archive, which is closed again in every case.
struct BrowseRead {
    enum class Outcome {
        Empty,      // no records: the editor says so
        Stay,       // the button does nothing here (Avanti at the last record)
        Unreadable, // the record could not be read: the access message
        Read,       // record `k`, stored as `bytes`
    };
    Outcome outcome = Outcome::Stay;
    qint64 k = 0;
    QByteArray bytes;
};
BrowseRead LeggiPerSfoglia(RecordFile& file, BrowseCommand command, qint64 position);

} // namespace tavorel
