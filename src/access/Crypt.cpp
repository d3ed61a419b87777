#include "Crypt.h"

#include <cstdint>
#include <stdexcept>

namespace tavorel {

namespace {

constexpr std::uint16_t kInitialKey = 5273;
constexpr std::uint16_t kMultiplier = 40763;
constexpr std::uint16_t kAddend = 28096;

// Every step wraps at 16 bits, which is the whole expression modulo 65536.
std::uint16_t nextKey(std::uint16_t key, std::uint8_t cipherByte)
{
    const std::uint32_t k = (std::uint32_t(cipherByte) + key) & 0xFFFF;
    return std::uint16_t((k * kMultiplier + kAddend) & 0xFFFF);
}

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

} // namespace

QString CifraTesto(const QString& text)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    QString result;
    result.reserve(text.size() * 2);
    std::uint16_t key = kInitialKey;
    for (const QChar ch : text) {
        const auto plain = std::uint8_t(ch.unicode() & 0xFF);
        const auto cipher = std::uint8_t(plain ^ (key >> 8));
        result += QLatin1Char(kDigits[cipher >> 4]);
        result += QLatin1Char(kDigits[cipher & 0x0F]);
        key = nextKey(key, cipher);
    }
    return result;
}

QString DecifraTesto(const QString& hex)
{
    const qsizetype n = hex.size() / 2;
    QString result;
    result.reserve(n);
    std::uint16_t key = kInitialKey;
    for (qsizetype i = 0; i < n; ++i) {
        const int high = hexValue(hex.at(2 * i));
        const int low = hexValue(hex.at(2 * i + 1));
        if (high < 0 || low < 0)
            throw std::invalid_argument("password store value is not hexadecimal");
        const auto cipher = std::uint8_t(high * 16 + low);
        result += QChar(char16_t(cipher ^ (key >> 8)));
        key = nextKey(key, cipher);
    }
    return result;
}

} // namespace tavorel
