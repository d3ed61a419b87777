#include "storage/Cp1252.h"

#include <array>

namespace tavorel {

namespace {

// Character of every byte value. Only 0x80-0x9F differ from Latin-1.
constexpr std::array<char16_t, 256> kToUnicode = [] {
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[b] = char16_t(b);
    constexpr char16_t kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
    };
    for (int i = 0; i < 32; ++i)
        table[0x80 + i] = kHigh[i];
    return table;
}();

// The same table read backwards; -1 for a character with no byte.
int byteOf(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int b = 0x80; b < 0xA0; ++b) {
        if (kToUnicode[b] == c)
            return b;
    }
    return -1;
}

} // namespace

QByteArray toCp1252(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i; // the pair is one character outside the code page
        const int b = c.isSurrogate() ? -1 : byteOf(c.unicode());
        out.append(b < 0 ? '?' : char(b));
    }
    return out;
}

std::optional<QByteArray> cp1252Exact(const QString& text)
{
    if (firstOutsideCp1252(text))
        return std::nullopt;
    return toCp1252(text);
}

std::optional<char32_t> firstOutsideCp1252(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!c.isSurrogate()) {
            if (byteOf(c.unicode()) < 0)
                return char32_t(c.unicode());
            continue;
        }
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            return QChar::surrogateToUcs4(c, text.at(i + 1));
        return char32_t(c.unicode()); // a lone half of a pair
    }
    return std::nullopt;
}

int cp1252Byte(char32_t c)
{
    return c > 0xFFFF ? -1 : byteOf(char16_t(c));
}

void appendFromCp1252(QString& out, QByteArrayView bytes)
{
    const qsizetype at = out.size();
    out.resize(at + bytes.size());
    QChar* dst = out.data() + at;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        dst[i] = QChar(kToUnicode[static_cast<unsigned char>(bytes[i])]);
}

QString fromCp1252(const QByteArray& bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    fromCp1252(bytes, out.data());
    return out;
}

void fromCp1252(QByteArrayView bytes, QChar* dst)
{
    for (qsizetype i = 0; i < bytes.size(); ++i)
        dst[i] = QChar(kToUnicode[static_cast<unsigned char>(bytes[i])]);
}

} // namespace tavorel
