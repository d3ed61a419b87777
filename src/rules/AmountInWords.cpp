#include "AmountInWords.h"

#include "rules/TextRules.h"

#include <array>
#include <limits>

namespace tavorel {

namespace {

// clang-format off
constexpr std::array<const char*, 10> kUnits = {
    "", "uno", "due", "tre", "quattro", "cinque", "sei", "sette", "otto", "nove"};
constexpr std::array<const char*, 10> kTeens = {
    "dieci", "undici", "dodici", "tredici", "quattordici",
    "quindici", "sedici", "diciassette", "diciotto", "diciannove"};
constexpr std::array<const char*, 10> kTens = {
    "", "", "venti", "trenta", "quaranta", "cinquanta", "sessanta", "settanta", "ottanta", "novanta"};
constexpr std::array<const char*, 10> kTensOne = {
    "", "", "ventuno", "trentuno", "quarantuno", "cinquantuno", "sessantuno", "settantuno", "ottantuno", "novantuno"};
constexpr std::array<const char*, 10> kHundreds = {
    "", "cento", "duecento", "trecento", "quattrocento",
    "cinquecento", "seicento", "settecento", "ottocento", "novecento"};
// clang-format on

// A group of thousands, millions or thousand-millions: the single form when the
// group is exactly one, otherwise the group's words and the plural suffix.
QString scaled(int group, const char* single, const char* plural)
{
    const QString words = GruppoInLettere(group);
    if (words.isEmpty())
        return {};
    if (group == 1)
        return QString::fromLatin1(single);
    return words + QLatin1String(plural);
}

// Whole euros below 10^9.
QString belowOneMilliard(quint64 n)
{
    const int units = int(n % 1000);
    const int thousands = int(n / 1000 % 1000);
    const int millions = int(n / 1000000 % 1000);
    return scaled(millions, "unmilione", "milioni") + scaled(thousands, "mille", "mila") + GruppoInLettere(units);
}

// Whole euros of any size: the thousand-millions are themselves written as a
// number below 10^9, which is the plain group of four groups within the usual
// range and keeps larger amounts correct too.
QString wholeEuros(quint64 n)
{
    const quint64 milliards = n / 1000000000;
    const QString rest = belowOneMilliard(n % 1000000000);
    if (milliards == 0)
        return rest;
    if (milliards == 1)
        return QStringLiteral("unmiliardo") + rest;
    return belowOneMilliard(milliards) + QStringLiteral("miliardi") + rest;
}

} // namespace

QString GruppoInLettere(int n)
{
    if (n < 0 || n > 999)
        return {};
    const int h = n / 100;
    const int t = n / 10 - 10 * h;
    const int u = n - 100 * h - 10 * t;
    QString text = QString::fromLatin1(kUnits[u]);
    if (t == 1)
        text = QString::fromLatin1(kTeens[u]);
    else if (t >= 2)
        text = u == 1 ? QString::fromLatin1(kTensOne[t]) : QString::fromLatin1(kTens[t]) + text;
    return QString::fromLatin1(kHundreds[h]) + text;
}

QString ImportoInLettere(qint64 amount)
{
    // Unsigned magnitude: the most negative amount has no positive counterpart.
    const quint64 magnitude = amount < 0 ? quint64(0) - quint64(amount) : quint64(amount);
    quint64 euros = magnitude / 10000;
    quint64 cents = (magnitude % 10000 + 50) / 100;
    if (cents == 100) {
        ++euros;
        cents = 0;
    }

    QString text = euros == 0 ? QStringLiteral("zero") : wholeEuros(euros);
    if (cents != 0)
        text += QStringLiteral(" e ") + GruppoInLettere(int(cents)) + QStringLiteral(" centesimi");
    if (amount < 0 && (euros != 0 || cents != 0))
        text.prepend(QStringLiteral("- "));
    return MaiuscoleAZ(text);
}

bool ParseImporto(const QString& text, qint64* amount)
{
    const QString t = TrimSpazi(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t.at(i) == u'+' || t.at(i) == u'-')) {
        negative = t.at(i) == u'-';
        ++i;
    }

    // Magnitude in ten-thousandths, kept below the limit of a currency value.
    constexpr quint64 kLimit = quint64(std::numeric_limits<qint64>::max());
    quint64 value = 0;
    int digits = 0;
    int decimals = -1; // -1 until the comma is met
    bool roundUp = false;
    for (; i < t.size(); ++i) {
        const char16_t c = t.at(i).unicode();
        if (c == u',') {
            if (decimals >= 0)
                return false;
            decimals = 0;
            continue;
        }
        if (c < u'0' || c > u'9')
            return false;
        ++digits;
        const unsigned d = c - u'0';
        if (decimals >= 4) {
            if (decimals == 4)
                roundUp = d >= 5;
            ++decimals;
            continue;
        }
        if (value > (kLimit - d) / 10)
            return false;
        value = value * 10 + d;
        if (decimals >= 0)
            ++decimals;
    }
    if (digits == 0)
        return false;
    for (int k = qMax(decimals, 0); k < 4; ++k) {
        if (value > kLimit / 10)
            return false;
        value *= 10;
    }
    if (roundUp) {
        if (value == kLimit)
            return false;
        ++value;
    }
    *amount = negative ? -qint64(value) : qint64(value);
    return true;
}

} // namespace tavorel
