#include "Places.h"

#include "storage/Messages.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>

namespace tavorel {

namespace {

QDate isoDay(QStringView text)
{
    return text.isEmpty() ? QDate() : QDate::fromString(text.toString(), Qt::ISODate);
}

// The table and its index by folded name, built once.
struct PlaceTable {
    QList<Place> places;
    QHash<QString, int> byCode;
    QHash<QString, QList<int>> byName;
    QList<QString> provinces; // the two-letter codes in the table, "EE" included

    PlaceTable()
    {
        QFile file(QStringLiteral(":/rules/places.tsv"));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("the places table is missing from the program");
        const QString text = QString::fromUtf8(file.readAll());
        places.reserve(10100);
        for (QStringView line : QStringView(text).split(u'\n', Qt::SkipEmptyParts)) {
            if (line.startsWith(u'#'))
                continue;
            const QList<QStringView> cols = line.split(u'\t');
            if (cols.size() != 5)
                qFatal("the places table has a damaged row");
            places.append(
                Place{cols[0].toString(), cols[1].toString(), cols[2].toString(), isoDay(cols[3]), isoDay(cols[4])});
        }
        for (int i = 0; i < places.size(); ++i) {
            const Place& p = places[i];
            byCode.insert(p.code, i);
            if (!provinces.contains(p.province))
                provinces.append(p.province);
            auto add = [&](QStringView name) {
                const QString key = foldedName(name);
                QList<int>& at = byName[key];
                if (!key.isEmpty() && !at.contains(i))
                    at.append(i);
            };
            add(p.name);
            if (p.name.contains(u'/')) {
                for (QStringView part : QStringView(p.name).split(u'/'))
                    add(part);
            }
        }
    }
};

const PlaceTable& table()
{
    static const PlaceTable t;
    return t;
}

// A province code or "EE".
bool isProvinceCode(QStringView text)
{
    return text.size() == 2 && table().provinces.contains(text.toString().toUpper());
}

QList<const Place*> countriesByName(QStringView name)
{
    return placesByName(name, u"EE");
}

// Blanks, commas, hyphens and full stops that may stand between a name and its province.
QStringView trimSeparators(QStringView text)
{
    auto isSeparator = [](QChar c) {
        return c.isSpace() || c == u',' || c == u'-' || c == u'.' || c == u';' || c == u'/';
    };
    while (!text.isEmpty() && isSeparator(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isSeparator(text.back()))
        text.chop(1);
    return text;
}

// The places of name narrowed by qualifier, a province code or a country.
QList<const Place*> narrowed(QStringView name, QStringView qualifier)
{
    qualifier = trimSeparators(qualifier);
    if (isProvinceCode(qualifier))
        return placesByName(name, qualifier.toString().toUpper());
    // A foreign town followed by its country: the country is the place of birth.
    return countriesByName(qualifier);
}

} // namespace

bool Place::existedOn(QDate day) const
{
    if (!day.isValid())
        return true;
    return (!from.isValid() || from <= day) && (!until.isValid() || day < until);
}

QString Place::label() const
{
    return isCountry() ? kCfLuogoEstero.arg(name) : kCfLuogoComune.arg(name, province);
}

const QList<Place>& allPlaces()
{
    return table().places;
}

const Place* placeByCode(QStringView code)
{
    const PlaceTable& t = table();
    const auto it = t.byCode.constFind(code.toString().toUpper());
    return it == t.byCode.cend() ? nullptr : &t.places[*it];
}

QList<const Place*> placesByName(QStringView name, QStringView province)
{
    const PlaceTable& t = table();
    QList<const Place*> found;
    const auto it = t.byName.constFind(foldedName(name));
    if (it == t.byName.cend())
        return found;
    for (int i : *it) {
        const Place& p = t.places[i];
        if (province.isEmpty() || p.province.compare(province, Qt::CaseInsensitive) == 0)
            found.append(&p);
    }
    return found;
}

QList<const Place*> placesForTypedName(QStringView typed)
{
    typed = trimSeparators(typed);
    if (typed.isEmpty())
        return {};
    // "Name (qualifier)"
    static const QRegularExpression bracketed(QStringLiteral("^(.*[^\\s(])\\s*\\(([^()]*)\\)$"));
    const QRegularExpressionMatch m = bracketed.match(typed.toString());
    if (m.hasMatch()) {
        const QList<const Place*> found = narrowed(m.capturedView(1), m.capturedView(2));
        // Brackets that hold neither a province nor a country ("Forlì (Romagna)") are a remark.
        if (!found.isEmpty() || isProvinceCode(trimSeparators(m.capturedView(2))))
            return found;
        return placesByName(m.capturedView(1));
    }
    QList<const Place*> found = placesByName(typed);
    if (!found.isEmpty())
        return found;
    // "Name FC", "Name, FC", "Name - FC", "Parigi, Francia": the qualifier after the last separator.
    for (qsizetype at = typed.size() - 1; at > 0; --at) {
        const QChar c = typed.at(at);
        if (!(c.isSpace() || c == u',' || c == u'-' || c == u';'))
            continue;
        const QStringView name = trimSeparators(typed.first(at));
        const QStringView qualifier = trimSeparators(typed.sliced(at));
        if (name.isEmpty() || qualifier.isEmpty())
            continue;
        found = narrowed(name, qualifier);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

QString foldedName(QStringView text)
{
    QString out;
    out.reserve(text.size());
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    for (QChar c : decomposed) {
        switch (c.unicode()) {
        case u'æ':
        case u'Æ':
            out += QStringLiteral("AE");
            continue;
        case u'œ':
        case u'Œ':
            out += QStringLiteral("OE");
            continue;
        case u'ø':
        case u'Ø':
            out += u'O';
            continue;
        case u'ß':
            out += QStringLiteral("SS");
            continue;
        case u'đ':
        case u'Đ':
            out += u'D';
            continue;
        case u'ł':
        case u'Ł':
            out += u'L';
            continue;
        default:
            break;
        }
        const char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z')
            out += QChar(u - u'a' + u'A');
        else if ((u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9'))
            out += c;
        // Anything else (combining accents, apostrophes, blanks, punctuation) does not count.
    }
    return out;
}

} // namespace tavorel
