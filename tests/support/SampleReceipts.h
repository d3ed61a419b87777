#pragma once

#include "storage/TSchedaRicevuta.h"

namespace tavorel::test {

// A receipt as the editor saves it, every field filled: number 15 of 05/03/2024, swimming for March,
// 150,00 euros with their words. Tests and benchmarks change the fields they are about.
TSchedaRicevuta sampleReceipt(const QString& payer = QStringLiteral("Rossi Mario"));

} // namespace tavorel::test
