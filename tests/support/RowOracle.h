#pragma once

#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"

#include <QString>

namespace tavorel::test {

// The list screens' rows made the slow, plain way, from decoded records: each value trimmed
// (TrimSpazi), cut or padded to its column, between the literal labels, the last value as it is.
// The tests hold the rows the lists write from stored bytes (lists/ListRows.h) against these.
QString receiptRow(const TSchedaRicevuta& receipt);    // the receipt search and the income summary
QString memberRow(const TSchedaIscritto& member);      // the member search and the expired cards
QString certificateRow(const TSchedaIscritto& member); // the expired certificates

} // namespace tavorel::test
