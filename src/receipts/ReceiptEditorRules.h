#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace tavorel {

// The receipt editor's decisions that need no screen: where the four browse buttons go, and which
// number "Nuovo" proposes.

enum class BrowseCommand { Primo, Indietro, Avanti, Ultimo };

// The record number held by a position label; 0 when the label is empty (an unsaved receipt) or
// does not hold a positive whole number.
qint64 PosizioneDaEtichetta(const QString& label);

// The record a browse button shows, with `position` the record on screen (0 for an unsaved
// receipt) and `count` the records in the archive (at least 1); 0 when the button does nothing
// (Avanti at the last record, Indietro at the first).
qint64 RecordDaMostrare(BrowseCommand command, qint64 position, qint64 count);

// The receipt number "Nuovo" proposes: the numbering start plus the receipts already in the
// archive. The start is a whole number, optionally signed, blanks around it allowed; nullopt when
// it is anything else or the sum does not fit.
std::optional<qint64> NumeroProposto(const QString& start, qint64 count);

} // namespace tavorel
