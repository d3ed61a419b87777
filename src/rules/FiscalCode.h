#pragma once

#include <QString>

namespace tavorel {

// True when code has 16 characters and the 16th is the check letter of the first
// 15. Only the check character is tested, not the pattern of letters and digits.
// The caller upper-cases the code: lower-case letters, and any character outside
// "0".."Z", make the code not valid; the punctuation between "9" and "A" counts 0.
bool CodiceFiscaleValido(const QString& code);

} // namespace tavorel
