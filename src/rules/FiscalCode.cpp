#include "FiscalCode.h"

#include <array>

namespace tavorel {

namespace {

constexpr char16_t kFirst = u'0';
constexpr char16_t kLast = u'Z';

// Values of the characters "0" to "Z" at odd positions (1, 3, ... 15) and at
// even positions; the seven characters between "9" and "A" count 0.
struct Values {
    int odd;
    int even;
};
// clang-format off
constexpr std::array<Values, kLast - kFirst + 1> kValues = {{
    { 1,  0}, { 0,  1}, { 5,  2}, { 7,  3}, { 9,  4}, {13,  5}, {15,  6}, {17,  7}, {19,  8}, {21,  9}, // 0-9
    { 0,  0}, { 0,  0}, { 0,  0}, { 0,  0}, { 0,  0}, { 0,  0}, { 0,  0}, // :;<=>?@
    { 1,  0}, { 0,  1}, { 5,  2}, { 7,  3}, { 9,  4}, {13,  5}, {15,  6}, {17,  7}, {19,  8}, {21,  9}, // A-J
    { 2, 10}, { 4, 11}, {18, 12}, {20, 13}, {11, 14}, { 3, 15}, { 6, 16}, { 8, 17}, {12, 18}, {14, 19}, // K-T
    {16, 20}, {10, 21}, {22, 22}, {25, 23}, {24, 24}, {23, 25}, // U-Z
}};
// clang-format on

} // namespace

QChar fiscalCodeCheckChar(QStringView first15)
{
    if (first15.size() != 15)
        return {};
    int sum = 0;
    for (int i = 0; i < 15; ++i) {
        const char16_t c = first15.at(i).unicode();
        if (c < kFirst || c > kLast)
            return {};
        // Index 0 is position 1, an odd position.
        const Values& v = kValues[c - kFirst];
        sum += i % 2 == 0 ? v.odd : v.even;
    }
    return QChar(u'A' + sum % 26);
}

bool CodiceFiscaleValido(const QString& code)
{
    if (code.size() != 16)
        return false;
    const QChar check = fiscalCodeCheckChar(QStringView(code).first(15));
    return !check.isNull() && code.at(15) == check;
}

} // namespace tavorel
