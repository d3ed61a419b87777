#include "storage/Trim.h"

namespace tavorel {

QString TrimSpazi(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 0x20)
        --end;
    return text.mid(begin, end - begin);
}

QByteArrayView trimStored(QByteArrayView bytes)
{
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && quint8(bytes[begin]) <= 0x20)
        ++begin;
    while (end > begin && quint8(bytes[end - 1]) <= 0x20)
        --end;
    return bytes.sliced(begin, end - begin);
}

} // namespace tavorel
