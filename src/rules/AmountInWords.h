#pragma once

#include <QString>
#include <QtGlobal>

namespace tavorel {

// Words of a whole number from 0 to 999, lower case, run together; 0 gives "".
// Numbers outside 0..999 give "".
QString GruppoInLettere(int n);

// An amount in Italian words, capitals. The amount is a count of ten-thousandths
// of a euro (150 euros = 1500000), the way a currency value holds it. Cents are
// rounded half up to whole cents (0,995 becomes UNO). Whole euros of 10^12 and
// more are written as a number of "miliardi" ("MILLEMILIARDI").
QString ImportoInLettere(qint64 amount);

// Reads an amount typed with the decimal comma ("150", "12,5", "-3", ",75";
// blanks around it allowed, no thousands separators, no exponent) as
// ten-thousandths of a euro, rounding a fifth decimal half up. False, leaving
// *amount untouched, when the text is not such a number or does not fit a
// currency value.
bool ParseImporto(const QString& text, qint64* amount);

} // namespace tavorel
