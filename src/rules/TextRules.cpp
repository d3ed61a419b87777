#include "TextRules.h"

#include "storage/Cp1252.h"

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
    return toCp1252(MaiuscoleAZ(text));
}

int ConfrontaChiavi(const QByteArray& x, const QByteArray& y)
{
    const qsizetype n = qMin(x.size(), y.size());
    for (qsizetype i = 0; i < n; ++i) {
        const auto cx = static_cast<unsigned char>(x.at(i));
        const auto cy = static_cast<unsigned char>(y.at(i));
        if (cx != cy)
            return cx < cy ? -1 : 1;
    }
    if (x.size() == y.size())
        return 0;
    return x.size() < y.size() ? -1 : 1;
}

int ConfrontaAZ(const QString& a, const QString& b)
{
    return ConfrontaChiavi(ChiaveAZ(a), ChiaveAZ(b));
}

} // namespace tavorel
