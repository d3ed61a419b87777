#include "storage/RecordLayout.h"

#include "storage/Cp1252.h"

#include <algorithm>
#include <cstring>

namespace tavorel {

QString trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 0x20)
        --end;
    return text.sliced(begin, end - begin).toString();
}

void encodeField(char* dst, const QString& value, int capacity)
{
    const QByteArray text = toCp1252(trimBlanks(value));
    const int length = int(std::min<qsizetype>(text.size(), capacity));
    dst[0] = char(static_cast<unsigned char>(length));
    std::memcpy(dst + 1, text.constData(), size_t(length));
    std::memset(dst + 1 + length, 0, size_t(capacity - length));
}

namespace {

// The text of a field, its blanks at either end left out. Trimming the bytes trims the same
// characters: only bytes up to 0x20 decode to them.
QByteArrayView fieldText(const char* src, int capacity)
{
    const int length = std::min<int>(static_cast<unsigned char>(src[0]), capacity);
    const auto* text = reinterpret_cast<const unsigned char*>(src + 1);
    int begin = 0;
    int end = length;
    while (begin < end && text[begin] <= 0x20)
        ++begin;
    while (end > begin && text[end - 1] <= 0x20)
        --end;
    return QByteArrayView(src + 1 + begin, end - begin);
}

// Windows-1252 and Latin-1 differ only in the bytes 0x80-0x9F; text without them takes Qt's
// direct conversion.
bool isLatin1(QByteArrayView text)
{
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F)
            return false;
    }
    return true;
}

} // namespace

QString decodeField(const char* src, int capacity)
{
    const QByteArrayView text = fieldText(src, capacity);
    return isLatin1(text) ? QString::fromLatin1(text) : fromCp1252(text.toByteArray());
}

void appendDecodedField(QString& out, const char* src, int capacity)
{
    const QByteArrayView text = fieldText(src, capacity);
    if (isLatin1(text))
        out.append(QLatin1StringView(text.data(), text.size()));
    else
        appendFromCp1252(out, text);
}

} // namespace tavorel
