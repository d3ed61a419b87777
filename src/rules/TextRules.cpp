#include "TextRules.h"

#include "storage/Cp1252.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace tavorel {

namespace {

QString foldAZ(const QString& text, char16_t from, char16_t to)
{
    QString result = text;
    for (QChar& c : result) {
        const char16_t u = c.unicode();
        if (u >= from && u < from + 26)
            c = QChar(char16_t(u - from + to));
    }
    return result;
}

} // namespace

QString MaiuscoleAZ(const QString& text)
{
    return foldAZ(text, u'a', u'A');
}

QString MinuscoleAZ(const QString& text)
{
    return foldAZ(text, u'A', u'a');
}

bool ContieneAZ(const QString& haystack, const QString& needle)
{
    if (needle.isEmpty())
        return false;
    return MinuscoleAZ(haystack).contains(MinuscoleAZ(needle), Qt::CaseSensitive);
}

bool CriterioInUso(const QString& criterion)
{
    return !TrimSpazi(criterion).isEmpty();
}

bool CriterioSoddisfatto(const QString& field, const QString& criterion)
{
    return !CriterioInUso(criterion) || ContieneAZ(field, criterion);
}

quint64 keyAZ(const char* text, qsizetype length)
{
    uchar bytes[8] = {};
    std::memcpy(bytes, text, std::size_t(length));
    const quint64 v = qFromBigEndian<quint64>(bytes);
    // The bytes from 'a' (0x61) to 'z' (0x7A) lose 0x20, all eight at once; a byte with its high
    // bit set is left as it is.
    constexpr quint64 kHigh = 0x8080808080808080ULL;
    constexpr quint64 kEach = 0x0101010101010101ULL;
    const quint64 low = v & ~kHigh;
    const quint64 fromA = low + kEach * (0x80 - 0x61);
    const quint64 pastZ = low + kEach * (0x80 - 0x7B);
    const quint64 lower = fromA & ~pastZ & ~v & kHigh;
    return v - (lower >> 2);
}

int compareAZ(QByteArrayView a, QByteArrayView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype from = 0; from < n; from += 8) {
        const qsizetype length = std::min<qsizetype>(8, n - from);
        const quint64 x = keyAZ(a.data() + from, length);
        const quint64 y = keyAZ(b.data() + from, length);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

int ConfrontaAZ(const QString& a, const QString& b)
{
    return compareAZ(toCp1252(a), toCp1252(b));
}

} // namespace tavorel
