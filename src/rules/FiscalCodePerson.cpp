#include "FiscalCodePerson.h"

#include "FiscalCode.h"
#include "Places.h"
#include "storage/Messages.h"
#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"
#include "storage/Trim.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>

namespace tavorel {

namespace {

constexpr QStringView kMonthLetters = u"ABCDEHLMPRST";
// Omocodia: the letter that stands for each digit 0-9.
constexpr QStringView kOmocodiaLetters = u"LMNPQRSTUV";
// The positions (0-based) of the digits that omocodia may write as letters.
constexpr std::array<int, 7> kDigitPositions = {6, 7, 9, 10, 12, 13, 14};

bool isVowel(QChar c)
{
    return c == u'A' || c == u'E' || c == u'I' || c == u'O' || c == u'U';
}

bool isCapital(QChar c)
{
    return c >= u'A' && c <= u'Z';
}

// The letters of a name, in capitals without accents.
QString lettersOf(QStringView text)
{
    QString letters = foldedName(text);
    letters.removeIf([](QChar c) { return !isCapital(c); });
    return letters;
}

QString threeLetters(QStringView text, bool givenName)
{
    QString consonants;
    QString vowels;
    for (QChar c : lettersOf(text))
        (isVowel(c) ? vowels : consonants) += c;
    if (givenName && consonants.size() >= 4)
        return QString(consonants.at(0)) + consonants.at(2) + consonants.at(3);
    return (consonants + vowels + QStringLiteral("XXX")).first(3);
}

// The digit a code's character stands for at a digit position, or -1.
int digitAt(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    const qsizetype omocodia = kOmocodiaLetters.indexOf(c);
    return omocodia >= 0 ? int(omocodia) : -1;
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// Words of a "Cognome e nome" field: any blank (tab and no-break space too) parts two words.
QList<QStringView> wordsOf(QStringView text)
{
    QList<QStringView> words;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool blank = i == text.size() || text.at(i).isSpace() || text.at(i).unicode() < 0x20;
        if (blank && start >= 0) {
            words.append(text.sliced(start, i - start));
            start = -1;
        } else if (!blank && start < 0) {
            start = i;
        }
    }
    return words;
}

QString joined(const QList<QStringView>& words, qsizetype from, qsizetype to)
{
    QString out;
    for (qsizetype i = from; i < to; ++i) {
        if (!out.isEmpty())
            out += u' ';
        out += words[i];
    }
    return out;
}

bool isSurnameParticle(QStringView word)
{
    static const QList<QString> particles = {
        QStringLiteral("D"),     QStringLiteral("DA"),    QStringLiteral("DAGLI"), QStringLiteral("DAI"),
        QStringLiteral("DAL"),   QStringLiteral("DALL"),  QStringLiteral("DALLA"), QStringLiteral("DALLE"),
        QStringLiteral("DALLO"), QStringLiteral("DE"),    QStringLiteral("DEGLI"), QStringLiteral("DEI"),
        QStringLiteral("DEL"),   QStringLiteral("DELL"),  QStringLiteral("DELLA"), QStringLiteral("DELLE"),
        QStringLiteral("DELLO"), QStringLiteral("DI"),    QStringLiteral("LA"),    QStringLiteral("LE"),
        QStringLiteral("LI"),    QStringLiteral("LO"),    QStringLiteral("SAN"),   QStringLiteral("SANT"),
        QStringLiteral("SANTA"), QStringLiteral("SANTO"), QStringLiteral("VAN"),   QStringLiteral("VON"),
        QStringLiteral("DER"),   QStringLiteral("DEN"),   QStringLiteral("MAC"),   QStringLiteral("MC"),
        QStringLiteral("DOS"),   QStringLiteral("DAS"),   QStringLiteral("DU"),    QStringLiteral("EL"),
    };
    return particles.contains(foldedName(word));
}

// The places a typed place of birth can mean, for a person born on birth: when several share the
// name, those that existed that day, if any did.
QList<const Place*> placesAtBirth(QStringView typed, QDate birth)
{
    const QList<const Place*> all = placesForTypedName(typed);
    if (all.size() < 2)
        return all;
    QList<const Place*> then;
    for (const Place* p : all) {
        if (p->existedOn(birth))
            then.append(p);
    }
    return then.isEmpty() ? all : then;
}

// Surname and name of a "Cognome e nome" field compared with the code's letters.
QList<FiscalCodeDifference> compareNames(QStringView tiratore, const FiscalCodeParts& parts)
{
    const QString text = TrimSpazi(tiratore.toString());
    if (lettersOf(text).isEmpty())
        return {};
    QList<SurnameAndName> splits;
    const qsizetype comma = text.indexOf(u',');
    if (comma >= 0) {
        splits.append({text.first(comma), text.sliced(comma + 1)});
    } else {
        splits.append(splitSurnameAndName(text));
        const QList<QStringView> words = wordsOf(text);
        for (qsizetype k = 1; k < words.size(); ++k) {
            splits.append({joined(words, 0, k), joined(words, k, words.size())});
            splits.append({joined(words, k, words.size()), joined(words, 0, k)});
        }
    }
    QList<FiscalCodeDifference> best;
    bool first = true;
    for (const SurnameAndName& s : splits) {
        QList<FiscalCodeDifference> differences;
        const QString surname = surnameLetters(s.surname);
        if (surname != parts.surname)
            differences.append({FiscalCodeField::Surname, parts.surname, surname});
        // A single word is compared as a surname only.
        if (!lettersOf(s.name).isEmpty()) {
            const QString name = nameLetters(s.name);
            if (name != parts.name)
                differences.append({FiscalCodeField::Name, parts.name, name});
        }
        if (differences.isEmpty())
            return {};
        if (first || differences.size() < best.size())
            best = differences;
        first = false;
    }
    return best;
}

QString fiscalCodeOf(const QString& field)
{
    return TrimSpazi(field).toUpper();
}

} // namespace

QString surnameLetters(QStringView surname)
{
    return threeLetters(surname, false);
}

QString nameLetters(QStringView name)
{
    return threeLetters(name, true);
}

std::optional<FiscalCodeParts> decodeFiscalCode(QStringView code)
{
    if (code.size() != 16)
        return std::nullopt;
    const QString upper = code.toString().toUpper();
    for (int i : {0, 1, 2, 3, 4, 5, 8, 11, 15}) {
        if (!isCapital(upper.at(i)))
            return std::nullopt;
    }
    std::array<int, 16> digit{};
    for (int i : kDigitPositions) {
        digit[i] = digitAt(upper.at(i));
        if (digit[i] < 0)
            return std::nullopt;
    }
    const qsizetype month = kMonthLetters.indexOf(upper.at(8));
    int day = digit[9] * 10 + digit[10];
    if (month < 0 || !((day >= 1 && day <= 31) || (day >= 41 && day <= 71)))
        return std::nullopt;
    FiscalCodeParts parts;
    parts.surname = upper.first(3);
    parts.name = upper.sliced(3, 3);
    parts.year = digit[6] * 10 + digit[7];
    parts.month = int(month) + 1;
    parts.sex = day > 40 ? u'F' : u'M';
    parts.day = day > 40 ? day - 40 : day;
    parts.placeCode =
        upper.at(11) + QString::number(digit[12] * 100 + digit[13] * 10 + digit[14]).rightJustified(3, u'0');
    return parts;
}

QString fiscalCodeWithoutOmocodia(QStringView code)
{
    if (!decodeFiscalCode(code))
        return {};
    QString plain = code.first(15).toString().toUpper();
    for (int i : kDigitPositions)
        plain[i] = QChar(u'0' + digitAt(plain.at(i)));
    return plain + fiscalCodeCheckChar(plain);
}

QString computeFiscalCode(QStringView surname, QStringView name, QChar sex, QDate birth, QStringView placeCode)
{
    const int day = birth.day() + (sex == u'F' ? 40 : 0);
    const QString first15 = surnameLetters(surname) + nameLetters(name) + twoDigits(birth.year() % 100) +
                            kMonthLetters.at(birth.month() - 1) + twoDigits(day) + placeCode.toString().toUpper();
    return first15 + fiscalCodeCheckChar(first15);
}

QDate parseBirthDate(QStringView text)
{
    static const QRegularExpression date(QStringLiteral("^\\s*(\\d{1,2})[/.-](\\d{1,2})[/.-](\\d{4})\\s*$"));
    const QRegularExpressionMatch m = date.match(text.toString());
    if (!m.hasMatch())
        return {};
    return QDate(m.capturedView(3).toInt(), m.capturedView(2).toInt(), m.capturedView(1).toInt());
}

SurnameAndName splitSurnameAndName(QStringView tiratore)
{
    const QString text = TrimSpazi(tiratore.toString());
    const qsizetype comma = text.indexOf(u',');
    if (comma >= 0)
        return {TrimSpazi(text.first(comma)), TrimSpazi(text.sliced(comma + 1))};
    const QList<QStringView> words = wordsOf(text);
    if (words.isEmpty())
        return {};
    qsizetype last = 0; // the last word of the surname
    while (last < words.size() - 2 && isSurnameParticle(words[last]))
        ++last;
    return {joined(words, 0, last + 1), joined(words, last + 1, words.size())};
}

MemberFiscalCode computeMemberFiscalCode(const TSchedaIscritto& member)
{
    auto fail = [](const QString& message, const char* field) {
        return MemberFiscalCode{{}, message, QString::fromLatin1(field)};
    };
    const SurnameAndName person = splitSurnameAndName(member.Tiratore);
    if (lettersOf(person.surname).isEmpty() || lettersOf(person.name).isEmpty())
        return fail(kMsgCfCalcolaTiratore, "Tiratore");
    const QString sex = TrimSpazi(member.Sesso).toUpper();
    if (sex != u"M" && sex != u"F")
        return fail(kMsgCfCalcolaSesso, "Sesso");
    const QDate birth = parseBirthDate(member.DataNasc);
    if (!birth.isValid())
        return fail(kMsgCfCalcolaDataNasc, "DataNasc");
    const QString typed = TrimSpazi(member.LuogoNasc);
    if (typed.isEmpty())
        return fail(kMsgCfCalcolaLuogoNasc, "LuogoNasc");
    const QList<const Place*> places = placesAtBirth(typed, birth);
    if (places.isEmpty())
        return fail(kMsgCfLuogoSconosciuto.arg(typed), "LuogoNasc");
    if (places.size() > 1) {
        QStringList labels;
        for (const Place* p : places)
            labels.append(p->label());
        const QString example = kCfLuogoComune.arg(places.front()->name, places.front()->province);
        return fail(kMsgCfLuogoAmbiguo.arg(typed, labels.join(QStringLiteral(", ")), example), "LuogoNasc");
    }
    return {computeFiscalCode(person.surname, person.name, sex.at(0), birth, places.front()->code), {}, {}};
}

QList<FiscalCodeDifference> compareMemberFiscalCode(const TSchedaIscritto& member)
{
    const std::optional<FiscalCodeParts> parts = decodeFiscalCode(fiscalCodeOf(member.CodFisc));
    if (!parts)
        return {};
    QList<FiscalCodeDifference> differences = compareNames(member.Tiratore, *parts);

    const QDate birth = parseBirthDate(member.DataNasc);
    if (birth.isValid() &&
        (birth.year() % 100 != parts->year || birth.month() != parts->month || birth.day() != parts->day)) {
        // The code's year in the century nearest the year typed.
        int year = birth.year() - birth.year() % 100 + parts->year;
        if (year > birth.year() + 50)
            year -= 100;
        else if (year < birth.year() - 50)
            year += 100;
        const QString inCode = twoDigits(parts->day) + u'/' + twoDigits(parts->month) + u'/' +
                               QString::number(year).rightJustified(4, u'0');
        differences.append({FiscalCodeField::BirthDate, inCode, TrimSpazi(member.DataNasc)});
    }

    const QString sex = TrimSpazi(member.Sesso).toUpper();
    if ((sex == u"M" || sex == u"F") && sex.at(0) != parts->sex)
        differences.append({FiscalCodeField::Sex, QString(parts->sex), sex});

    const QString typed = TrimSpazi(member.LuogoNasc);
    if (!lettersOf(typed).isEmpty()) {
        const QList<const Place*> places = placesForTypedName(typed);
        const bool agrees =
            std::any_of(places.begin(), places.end(), [&](const Place* p) { return p->code == parts->placeCode; });
        if (!agrees)
            differences.append({FiscalCodeField::Place, parts->placeCode, typed});
    }
    return differences;
}

QList<FiscalCodeDifference> comparePayerFiscalCode(const TSchedaRicevuta& receipt)
{
    const std::optional<FiscalCodeParts> parts = decodeFiscalCode(fiscalCodeOf(receipt.CodFisc));
    if (!parts)
        return {};
    return compareNames(receipt.Pagatore, *parts);
}

QString fiscalCodeDifferenceLines(const QList<FiscalCodeDifference>& differences)
{
    QStringList lines;
    for (const FiscalCodeDifference& d : differences) {
        switch (d.field) {
        case FiscalCodeField::Surname:
            lines.append(kCfDiffCognome.arg(d.inCode, d.inRecord));
            break;
        case FiscalCodeField::Name:
            lines.append(kCfDiffNome.arg(d.inCode, d.inRecord));
            break;
        case FiscalCodeField::BirthDate:
            lines.append(kCfDiffDataNasc.arg(d.inCode));
            break;
        case FiscalCodeField::Sex:
            lines.append(d.inCode == u"F" ? kCfDiffSessoF : kCfDiffSessoM);
            break;
        case FiscalCodeField::Place:
            if (const Place* p = placeByCode(d.inCode))
                lines.append(kCfDiffLuogoNasc.arg(p->label()));
            else
                lines.append(kCfDiffLuogoSconosciuto.arg(d.inCode));
            break;
        }
    }
    return lines.join(u'\n');
}

QString memberFiscalCodeQuestion(const TSchedaIscritto& member)
{
    const QList<FiscalCodeDifference> differences = compareMemberFiscalCode(member);
    return differences.isEmpty() ? QString() : kMsgCfNonCorrispondeScheda.arg(fiscalCodeDifferenceLines(differences));
}

QString payerFiscalCodeQuestion(const TSchedaRicevuta& receipt)
{
    const QList<FiscalCodeDifference> differences = comparePayerFiscalCode(receipt);
    return differences.isEmpty() ? QString() : kMsgCfNonCorrispondePagatore.arg(fiscalCodeDifferenceLines(differences));
}

} // namespace tavorel
