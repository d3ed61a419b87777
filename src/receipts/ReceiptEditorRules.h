#pragma once

#include "rules/RecordBrowse.h"
#include "storage/TSchedaRicevuta.h"

#include <QString>
#include <QtGlobal>

#include <optional>

namespace tavorel {

class RecordFile;

// The receipt editor's decisions that need no screen: which number "Nuovo" proposes and which
// numbers a year's archive already holds (the browse buttons follow the rule both editors share).

// The receipt's amount in cents, from its whole euros and its cents as stored (a part that is not a
// number counts 0): what the stamp threshold and the cash limit are measured on.
qint64 CentesimiRicevuta(const TSchedaRicevuta& receipt);

// The value of a receipt number that is a whole number ("7", " 007 "); nullopt for any other text
// ("12/A", "", a number too large to count with).
std::optional<qint64> ValoreNumero(const QString& numRic);

// Two receipt numbers name the same receipt of a year: the same value when both are whole numbers
// ("7" and "007"), otherwise the same text, blanks around it and the case of a to z aside.
bool StessoNumero(const QString& a, const QString& b);

// The receipt number "Nuovo" proposes: the numbering start plus the receipts already in the
// archive, or the highest whole number on file plus one when that is larger (a number typed by
// hand, a start lowered). The start is a whole number, optionally signed, blanks around it
// allowed; nullopt when it is anything else or the sum does not fit.
std::optional<qint64> NumeroProposto(const QString& start, qint64 count, std::optional<qint64> highest = {});

// What a year's archive holds of the numbers, read in one pass.
struct NumeriInArchivio {
    qint64 count = 0;              // whole records
    std::optional<qint64> highest; // the highest whole number, none when no receipt has one
    qint64 kUguale = 0;            // the first other receipt with the number asked for, 0 if none
    TSchedaRicevuta uguale;        // ... and that receipt
};

// Reads every receipt of `file` (open): the count, the highest number and the first receipt other
// than record `skip` (0: none) whose number is the same as `numero` (not looked for when blank).
// False when the archive cannot be read.
bool LeggiNumeri(RecordFile& file, const QString& numero, qint64 skip, NumeriInArchivio& out);

} // namespace tavorel
