#pragma once

#include <QString>

namespace tavorel {

// True when code has 16 characters and the 16th is the check letter of the first
// 15. Only the check character is tested, not the pattern of letters and digits.
// The caller upper-cases the code: lower-case letters, and any character outside
// "0".."Z", make the code not valid; the punctuation between "9" and "A" counts 0.
bool CodiceFiscaleValido(const QString& code);

// The check letter of a fiscal code's first 15 characters, by the same rule; a null QChar when
// first15 is not 15 characters from "0" to "Z".
QChar fiscalCodeCheckChar(QStringView first15);

} // namespace tavorel
