#include "FieldRules.h"

#include "rules/TextRules.h"

#include <QLocale>
#include <QStringList>

#include <cmath>
#include <limits>

namespace tavorel {

namespace {

// NormalizzaImporto needs a 64-bit mantissa for its rounding (see there).
static_assert(std::numeric_limits<long double>::digits >= 64, "amount rounding needs extended precision");

bool isDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// A number of one or two digits (day or month) or of exactly four (year).
bool readNumber(const QString& text, qsizetype minDigits, qsizetype maxDigits, int* value)
{
    if (text.size() < minDigits || text.size() > maxDigits || !SoloCifre(text))
        return false;
    *value = text.toInt();
    return true;
}

} // namespace

QString TestoData(const QDate& date)
{
    if (!date.isValid())
        return {};
    return QStringLiteral("%1/%2/%3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QDate DataDaTesto(const QString& text)
{
    const QStringList parts = TrimSpazi(text).split(u'/');
    int day = 0;
    int month = 0;
    int year = 0;
    if (parts.size() != 3 || !readNumber(parts[0], 1, 2, &day) || !readNumber(parts[1], 1, 2, &month) ||
        !readNumber(parts[2], 4, 4, &year))
        return {};
    return QDate(year, month, day); // invalid for days that do not exist and for year 0
}

bool DataEsiste(const QString& text)
{
    return DataDaTesto(text).isValid();
}

bool SoloCifre(const QString& text)
{
    for (const QChar c : text) {
        if (!isDigit(c))
            return false;
    }
    return true;
}

bool AnnoQuattroCifre(const QString& year)
{
    return year.size() == 4 && SoloCifre(year);
}

QString CompletaCents(const QString& cents)
{
    const QString t = TrimSpazi(cents);
    if (t.isEmpty())
        return QStringLiteral("00");
    if (t.size() == 1)
        return t + QLatin1Char('0');
    return t;
}

std::optional<ImportoIncollato> LeggiImportoIncollato(const QString& text)
{
    QString t = TrimSpazi(text);
    if (t.startsWith(QChar(0x20AC)))
        t = TrimSpazi(t.mid(1));
    const qsizetype comma = t.indexOf(QLatin1Char(','));
    const QString intero = comma < 0 ? t : t.left(comma);
    ImportoIncollato result;
    if (comma >= 0) {
        const QString cents = t.mid(comma + 1);
        if (cents.size() > 2 || !SoloCifre(cents))
            return std::nullopt;
        result.cents = CompletaCents(cents);
    }
    const QStringList gruppi = intero.split(QLatin1Char('.'));
    for (qsizetype i = 0; i < gruppi.size(); ++i) {
        const QString& g = gruppi[i];
        const bool fits = i == 0 ? !g.isEmpty() && (gruppi.size() == 1 || g.size() <= 3) : g.size() == 3;
        if (!fits || !SoloCifre(g))
            return std::nullopt;
        result.euro += g;
    }
    return result;
}

ImportoRicevuta CompletaImporto(const QString& euro, const QString& cents)
{
    ImportoRicevuta result;
    result.euro = TrimSpazi(euro);
    if (result.euro.isEmpty())
        result.euro = QStringLiteral("0");
    result.cents = CompletaCents(TrimSpazi(cents).left(2));
    result.intero = result.euro + QLatin1Char(',') + result.cents;
    return result;
}

bool ParseDecimale(const QString& text, double* value)
{
    const QString t = TrimSpazi(text);
    QString ascii; // the same number with a decimal point, for the C locale
    qsizetype i = 0;
    if (i < t.size() && (t.at(i) == u'+' || t.at(i) == u'-'))
        ascii += t.at(i++);

    int mantissaDigits = 0;
    bool comma = false;
    for (; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (isDigit(c)) {
            ascii += c;
            ++mantissaDigits;
        } else if (c == u',' && !comma) {
            comma = true;
            ascii += QLatin1String(mantissaDigits == 0 ? "0." : ".");
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (ascii.endsWith(u'.'))
        ascii += u'0';

    if (i < t.size() && (t.at(i) == u'e' || t.at(i) == u'E')) {
        ascii += u'e';
        ++i;
        if (i < t.size() && (t.at(i) == u'+' || t.at(i) == u'-'))
            ascii += t.at(i++);
        int exponentDigits = 0;
        for (; i < t.size() && isDigit(t.at(i)); ++i, ++exponentDigits)
            ascii += t.at(i);
        if (exponentDigits == 0)
            return false;
    }
    if (i != t.size())
        return false;

    bool ok = false;
    const double v = QLocale::c().toDouble(ascii, &ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

QString NormalizzaImporto(const QString& text, int decimals)
{
    const QString zero = QStringLiteral("0,00");
    double value = 0;
    if (TrimSpazi(text).isEmpty() || !ParseDecimale(text, &value))
        return zero;

    // Rounding half up, carried out in extended precision on the magnitude: the
    // sum is truncated before it is ever rounded to a double, so 2,675 (held just
    // below 2.675) gives 2,67. Working on the magnitude makes negative amounts
    // round like positive ones instead of towards the larger value.
    const int d = qBound(0, decimals, 15);
    double scale = 1.0;
    for (int k = 0; k < d; ++k)
        scale *= 10.0;
    const long double whole =
        std::trunc(static_cast<long double>(std::fabs(value)) * static_cast<long double>(scale) + 0.5L);
    // Below 2^53 the count is an exact double and one double division gives the
    // double nearest to it; above, the quotient is taken in extended precision.
    double rounded = whole <= 9007199254740992.0L ? static_cast<double>(whole) / scale
                                                  : static_cast<double>(whole / static_cast<long double>(scale));
    if (value < 0 && rounded != 0)
        rounded = -rounded;

    // Shortest text that reads back as the same double, never in exponent form.
    QString s = QString::number(rounded, 'f', QLocale::FloatingPointShortest);
    s.replace(u'.', u',');

    if (!s.contains(u','))
        s += QStringLiteral(",00");
    if (TrimSpazi(s) == QStringLiteral(","))
        s = zero;
    if (s.startsWith(u','))
        s = QLatin1Char('0') + TrimSpazi(s);
    if (s.endsWith(u','))
        s = TrimSpazi(s) + QStringLiteral("00");
    if (s.size() >= 2 && s.at(s.size() - 2) == u',' && isDigit(s.back()))
        s = TrimSpazi(s) + QLatin1Char('0');
    return s;
}

} // namespace tavorel
