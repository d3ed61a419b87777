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

// True when `key` (already folded) occurs in `text` folded the same way. A field is short: each
// place where the key's first letter stands, in either case, is compared with the rest of it.
bool containsFolded(QByteArrayView text, const QByteArray& key)
{
    const qsizetype m = key.size();
    if (m > text.size())
        return false;
    if (m == 0)
        return true;
    const char first = key[0];
    const char firstUpper = (first >= 'a' && first <= 'z') ? char(first - ('a' - 'A')) : first;
    const char* const lastStart = text.data() + (text.size() - m);
    for (const char* at = text.data(); at <= lastStart; ++at) {
        if (*at != first && *at != firstUpper)
            continue;
        qsizetype j = 1;
        while (j < m && foldAZ(at[j]) == key[j])
            ++j;
        if (j == m)
            return true;
    }
    return false;
}

} // namespace

namespace {

// The digits of `text` as a number, when there are from `least` to `most` of them and nothing else.
bool readDigits(QByteArrayView text, int least, int most, int& value)
{
    if (text.size() < least || text.size() > most)
        return false;
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

} // namespace

QDate storedDate(QByteArrayView record, StoredField field)
{
    const QByteArrayView text = storedField(record, field);
    const qsizetype first = text.indexOf('/');
    const qsizetype second = first < 0 ? -1 : text.indexOf('/', first + 1);
    if (second < 0 || text.indexOf('/', second + 1) >= 0)
        return {};
    int day = 0;
    int month = 0;
    int year = 0;
    if (!readDigits(text.first(first), 1, 2, day) ||
        !readDigits(text.sliced(first + 1, second - first - 1), 1, 2, month) ||
        !readDigits(text.sliced(second + 1), 4, 4, year))
        return {};
    return QDate(year, month, day);
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
