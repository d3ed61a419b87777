#include "storage/Trim.h"

#include <utility>

namespace tavorel {

namespace {

// Where the text left after trimming begins and ends.
template <typename Text, typename Code>
std::pair<qsizetype, qsizetype> untrimmed(const Text& text, Code code)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isTrimmed(code(text[begin])))
        ++begin;
    while (end > begin && isTrimmed(code(text[end - 1])))
        --end;
    return {begin, end};
}

} // namespace

QString TrimSpazi(const QString& text)
{
    const auto [begin, end] = untrimmed(text, [](QChar c) { return c.unicode(); });
    return text.mid(begin, end - begin);
}

QByteArrayView trimStored(QByteArrayView bytes)
{
    const auto [begin, end] = untrimmed(bytes, [](char c) { return char16_t(quint8(c)); });
    return bytes.sliced(begin, end - begin);
}

} // namespace tavorel
