#include "storage/RecordLayout.h"

#include "storage/Cp1252.h"
#include "storage/Trim.h"

#include <algorithm>
#include <cstring>

namespace tavorel {

QByteArrayView storedField(QByteArrayView record, int offset, int capacity)
{
    if (offset < 0 || offset >= record.size())
        return {};
    const int length = std::min<int>(quint8(record[offset]), capacity);
    const qsizetype begin = offset + 1;
    return trimStored(record.sliced(begin, std::min<qsizetype>(length, record.size() - begin)));
}

void encodeField(char* dst, const QString& value, int capacity)
{
    const QByteArray text = toCp1252(TrimSpazi(value));
    const int length = int(std::min<qsizetype>(text.size(), capacity));
    dst[0] = char(static_cast<unsigned char>(length));
    std::memcpy(dst + 1, text.constData(), size_t(length));
    std::memset(dst + 1 + length, 0, size_t(capacity - length));
}

namespace {

// The text of a field as it lies in a whole record's bytes.
QByteArrayView fieldText(const char* src, int capacity)
{
    return storedField(QByteArrayView(src, capacity + 1), 0, capacity);
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
