#include "rules/Places.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace tavorel;
using namespace Qt::StringLiterals;

class tst_Places : public QObject {
    Q_OBJECT

private slots:
    void everyEntryLoads();
    void typedName_data();
    void typedName();
    void existedOn_data();
    void existedOn();
};

// Every row of the resource is a place, once, with a well-formed code, found again by its code and by its
// name and province; the counts are those the header gives.
void tst_Places::everyEntryLoads()
{
    QFile file(QStringLiteral(":/rules/places.tsv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    qsizetype rows = 0;
    int headerCities = -1;
    int headerCountries = -1;
    static const QRegularExpression counts(QStringLiteral("^# (\\d+) municipalities, (\\d+) countries\\.$"));
    for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
        if (const QRegularExpressionMatch m = counts.match(line); m.hasMatch()) {
            headerCities = m.captured(1).toInt();
            headerCountries = m.captured(2).toInt();
        }
        if (!line.startsWith(u'#'))
            ++rows;
    }
    QVERIFY(text.startsWith(QStringLiteral("# Cadastral codes")));

    const QList<Place>& places = allPlaces();
    QCOMPARE(places.size(), rows);
    QVERIFY(places.size() > 10000);

    static const QRegularExpression codeShape(QStringLiteral("^[A-Z][0-9]{3}$"));
    static const QRegularExpression provinceShape(QStringLiteral("^[A-Z]{2}$"));
    QSet<QString> codes;
    int cities = 0;
    int countries = 0;
    int dissolved = 0;
    for (const Place& p : places) {
        QVERIFY2(codeShape.match(p.code).hasMatch(), qPrintable(p.code));
        QVERIFY2(!codes.contains(p.code), qPrintable(p.code));
        codes.insert(p.code);
        QVERIFY2(!p.name.isEmpty() && !p.name.contains(u'\uFFFD'), qPrintable(p.code));
        QVERIFY2(provinceShape.match(p.province).hasMatch(), qPrintable(p.code));
        QCOMPARE(p.isCountry(), p.code.startsWith(u'Z'));
        QVERIFY2(!p.until.isValid() || !p.from.isValid() || p.from <= p.until, qPrintable(p.code));
        (p.isCountry() ? countries : cities) += 1;
        dissolved += p.dissolved() ? 1 : 0;
        QCOMPARE(placeByCode(p.code), &p);
        QVERIFY2(placesByName(p.name, p.province).contains(&p), qPrintable(p.name));
    }
    QCOMPARE(cities, headerCities);
    QCOMPARE(countries, headerCountries);
    // About 7,900 municipalities exist today; the rest were dissolved or merged.
    QVERIFY(cities - dissolved > 7800);
    QVERIFY(dissolved > 1500);
    QCOMPARE(placeByCode(u"Z999"), nullptr);
    QCOMPARE(placeByCode(u"h501")->name, QStringLiteral("Roma"));
}

void tst_Places::typedName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("codes");
    const QStringList forli{QStringLiteral("D704")};
    QTest::newRow("as written") << QStringLiteral("Forlì") << forli;
    QTest::newRow("no accent") << QStringLiteral("Forli") << forli;
    QTest::newRow("capitals, accent") << QStringLiteral("FORLÌ") << forli;
    QTest::newRow("apostrophe for accent") << QStringLiteral("forli'") << forli;
    QTest::newRow("province in brackets") << QStringLiteral("Forlì (FC)") << forli;
    QTest::newRow("province after, capitals") << QStringLiteral("FORLI' FC") << forli;
    QTest::newRow("province after a hyphen") << QStringLiteral("Forlì - fc") << forli;
    QTest::newRow("province after a comma") << QStringLiteral("Forlì, FC") << forli;
    QTest::newRow("remark in brackets") << QStringLiteral("Forlì (Romagna)") << forli;
    QTest::newRow("wrong province") << QStringLiteral("Forlì (RM)") << QStringList{};
    QTest::newRow("longer name begins alike") << QStringLiteral("Forlì del Sannio") << QStringList{u"D703"_s};
    QTest::newRow("two provinces") << QStringLiteral("Castro") << QStringList{u"C337"_s, u"M261"_s};
    QTest::newRow("two provinces, one chosen") << QStringLiteral("castro (le)") << QStringList{u"M261"_s};
    QTest::newRow("dissolved and present, one province")
        << QStringLiteral("Bellagio (CO)") << QStringList{u"A744"_s, u"M335"_s};
    QTest::newRow("dissolved") << QStringLiteral("Lenno") << QStringList{u"E525"_s};
    QTest::newRow("dissolved province") << QStringLiteral("Pola (PL)") << QStringList{u"G778"_s};
    QTest::newRow("apostrophe left out") << QStringLiteral("REGGIO NELL EMILIA") << QStringList{u"H223"_s};
    QTest::newRow("letter outside Italian") << QStringLiteral("Chatillon") << QStringList{u"C294"_s};
    QTest::newRow("country") << QStringLiteral("Germania") << QStringList{u"Z112"_s};
    QTest::newRow("country, letters æ and ø") << QStringLiteral("isole faer oer") << QStringList{u"Z108"_s};
    QTest::newRow("country with two names") << QStringLiteral("Birmania") << QStringList{u"Z206"_s};
    QTest::newRow("foreign town, country in brackets") << QStringLiteral("Parigi (Francia)") << QStringList{u"Z110"_s};
    QTest::newRow("foreign town, country after") << QStringLiteral("Parigi, Francia") << QStringList{u"Z110"_s};
    QTest::newRow("foreign town alone") << QStringLiteral("Parigi") << QStringList{};
    QTest::newRow("unknown") << QStringLiteral("Atlantide") << QStringList{};
    QTest::newRow("blanks") << QStringLiteral("  ") << QStringList{};
}

void tst_Places::typedName()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, codes);
    QStringList found;
    for (const Place* p : placesForTypedName(typed))
        found.append(p->code);
    found.sort();
    QCOMPARE(found, codes);
}

void tst_Places::existedOn_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<bool>("existed");
    QTest::newRow("before the merger") << u"A744"_s << QDate(2014, 2, 3) << true;
    QTest::newRow("merger day, old one") << u"A744"_s << QDate(2014, 2, 4) << false;
    QTest::newRow("merger day, new one") << u"M335"_s << QDate(2014, 2, 4) << true;
    QTest::newRow("new one before it was made") << u"M335"_s << QDate(1970, 1, 1) << false;
    QTest::newRow("present municipality, long ago") << u"D704"_s << QDate(1900, 1, 1) << true;
    QTest::newRow("no date") << u"A744"_s << QDate() << true;
}

void tst_Places::existedOn()
{
    QFETCH(QString, code);
    QFETCH(QDate, day);
    const Place* p = placeByCode(code);
    QVERIFY(p);
    QTEST(p->existedOn(day), "existed");
}

QTEST_APPLESS_MAIN(tst_Places)
#include "tst_Places.moc"
