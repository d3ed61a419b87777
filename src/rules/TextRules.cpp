#include "TextRules.h"

#include "storage/Cp1252.h"

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

QByteArray ChiaveAZ(const QString& text)
{
    // The same as toCp1252(MaiuscoleAZ(text)) with one text fewer: the bytes a to z come only from
    // the letters a to z.
    QByteArray key = toCp1252(text);
    for (char& c : key)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return key;
}

int ConfrontaChiavi(const QByteArray& x, const QByteArray& y)
{
    // memcmp compares as unsigned bytes: the order of the Windows-1252 codes.
    const qsizetype n = qMin(x.size(), y.size());
    if (const int c = n > 0 ? std::memcmp(x.constData(), y.constData(), size_t(n)) : 0)
        return c < 0 ? -1 : 1;
    if (x.size() == y.size())
        return 0;
    return x.size() < y.size() ? -1 : 1;
}

int ConfrontaAZ(const QString& a, const QString& b)
{
    return ConfrontaChiavi(ChiaveAZ(a), ChiaveAZ(b));
}

} // namespace tavorel
