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

QString decodeField(const char* src, int capacity)
{
    const int length = std::min<int>(static_cast<unsigned char>(src[0]), capacity);
    return trimBlanks(fromCp1252(QByteArray(src + 1, length)));
}

} // namespace tavorel
