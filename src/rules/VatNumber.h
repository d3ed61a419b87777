#pragma once

#include <QString>

namespace tavorel {

// True when number is 11 digits whose last is the partita IVA check digit of the
// first ten.
bool PartitaIvaValida(const QString& number);

// The VAT office of a three-digit office code (digits 8 to 10 of a partita IVA),
// "" when the code is not in the office table.
QString UfficioIva(const QString& officeCode);

} // namespace tavorel
