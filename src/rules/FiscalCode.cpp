#include "FiscalCode.h"

#include <array>

namespace tavorel {

namespace {

constexpr char16_t kFirst = u'0';
constexpr char16_t kLast = u'Z';

// Values of the characters "0" to "Z" at odd positions (1, 3, ... 15) and at
// even positions; the seven characters between "9" and "A" count 0.
constexpr std::array<int, kLast - kFirst + 1> kOdd = {
    1, 0, 5, 7, 9, 13, 15, 17, 19, 21,                                              // 0-9
    0, 0, 0, 0, 0, 0, 0,                                                            // :;<=>?@
    1, 0, 5, 7, 9, 13, 15, 17, 19, 21, 2, 4, 18, 20, 11, 3, 6, 8, 12, 14, 16, 10, 22, // A-W
    25, 24, 23};                                                                    // X-Z
constexpr std::array<int, kLast - kFirst + 1> kEven = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9,
    0, 0, 0, 0, 0, 0, 0,
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22,
    23, 24, 25};

} // namespace

bool CodiceFiscaleValido(const QString& code)
{
    if (code.size() != 16)
        return false;
    int sum = 0;
    for (int i = 0; i < 15; ++i) {
        const char16_t c = code.at(i).unicode();
        if (c < kFirst || c > kLast)
            return false;
        // Index 0 is position 1, an odd position.
        sum += (i % 2 == 0 ? kOdd : kEven)[c - kFirst];
    }
    return code.at(15).unicode() == u'A' + sum % 26;
}

} // namespace tavorel
