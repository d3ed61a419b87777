#pragma once

#include <QString>

namespace tavorel {

// The cipher of the password store. Each character contributes its low byte,
// combined with the high byte of a 16-bit key that advances with every cipher
// byte; the result is two upper-case hexadecimal digits per character.
// Round trip is exact for texts whose character codes are below 256.
QString CifraTesto(const QString& text);

// The inverse of CifraTesto: upper- or lower-case digits are accepted and a last
// single digit is ignored. Throws std::invalid_argument on a pair of characters
// that is not hexadecimal.
QString DecifraTesto(const QString& hex);

} // namespace tavorel
