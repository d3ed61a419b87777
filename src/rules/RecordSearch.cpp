#include "rules/RecordSearch.h"

#include "rules/TextRules.h"
#include "storage/Cp1252.h"

#include <algorithm>
#include <cstring>

namespace tavorel {

namespace {

inline char foldAZ(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c + ('a' - 'A')) : c;
}

// True when `key` (already folded) occurs in `text` folded the same way.
bool containsFolded(QByteArrayView text, const QByteArray& key)
{
    const qsizetype n = text.size();
    const qsizetype m = key.size();
    if (m > n)
        return false;
    // A field holds at most 255 bytes: fold it into a buffer and search there.
    char folded[256];
    for (qsizetype i = 0; i < n; ++i)
        folded[i] = foldAZ(text[i]);
    return QByteArrayView(folded, n).indexOf(key) >= 0;
}

} // namespace

QByteArrayView storedField(QByteArrayView record, int offset, int capacity)
{
    if (offset < 0 || offset >= record.size())
        return {};
    const int length = std::min<int>(uchar(record[offset]), capacity);
    qsizetype begin = offset + 1;
    qsizetype end = std::min<qsizetype>(begin + length, record.size());
    // Blanks and control characters: the bytes up to 0x20 (Windows-1252 maps them to themselves).
    while (begin < end && uchar(record[begin]) <= 0x20)
        ++begin;
    while (end > begin && uchar(record[end - 1]) <= 0x20)
        --end;
    return record.sliced(begin, end - begin);
}

void StoredCriteria::add(int offset, int capacity, const QString& criterion)
{
    if (!CriterioInUso(criterion))
        return;
    const QString key = MinuscoleAZ(criterion);
    const QByteArray bytes = toCp1252(key);
    // A character with no Windows-1252 form is stored nowhere: the criterion matches nothing (its
    // encoding as "?" must not find a question mark).
    const bool impossible = fromCp1252(bytes) != key;
    criteria_.push_back({offset, capacity, bytes, impossible});
}

bool StoredCriteria::matches(QByteArrayView record) const
{
    for (const Criterion& c : criteria_) {
        if (c.impossible || !containsFolded(storedField(record, c.offset, c.capacity), c.key))
            return false;
    }
    return true;
}

} // namespace tavorel
