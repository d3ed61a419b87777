#include "rules/AmountInWords.h"

#include <QTest>

#include <limits>

using namespace tavorel;

class tst_AmountInWords : public QObject {
    Q_OBJECT

private slots:
    void gruppo_data();
    void gruppo();
    void importo_data();
    void importo();
    void largestAmountsDoNotFail();
    void parse_data();
    void parse();
};

void tst_AmountInWords::gruppo_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("words");
    QTest::newRow("zero") << 0 << "";
    QTest::newRow("unit") << 7 << "sette";
    QTest::newRow("teen") << 17 << "diciassette";
    QTest::newRow("round ten") << 90 << "novanta";
    QTest::newRow("vowel kept") << 28 << "ventiotto";
    QTest::newRow("ends in one") << 91 << "novantuno";
    QTest::newRow("hundred and one") << 101 << "centouno";
    QTest::newRow("hundred and eight") << 108 << "centootto";
    QTest::newRow("largest") << 999 << "novecentonovantanove";
    QTest::newRow("below range") << -1 << "";
    QTest::newRow("above range") << 1000 << "";
}

void tst_AmountInWords::gruppo()
{
    QFETCH(int, n);
    QFETCH(QString, words);
    QCOMPARE(GruppoInLettere(n), words);
}

void tst_AmountInWords::importo_data()
{
    QTest::addColumn<qint64>("amount");
    QTest::addColumn<QString>("words");
    const qint64 euro = 10000;
    struct Row {
        qint64 euros;
        const char* words;
    };
    const Row wholeEuros[] = {
        {0, "ZERO"},
        {1, "UNO"},
        {16, "SEDICI"},
        {21, "VENTUNO"},
        {23, "VENTITRE"},
        {28, "VENTIOTTO"},
        {38, "TRENTAOTTO"},
        {100, "CENTO"},
        {101, "CENTOUNO"},
        {111, "CENTOUNDICI"},
        {150, "CENTOCINQUANTA"},
        {180, "CENTOOTTANTA"},
        {1000, "MILLE"},
        {1001, "MILLEUNO"},
        {1100, "MILLECENTO"},
        {2000, "DUEMILA"},
        {21000, "VENTUNOMILA"},
        {101000, "CENTOUNOMILA"},
        {1000000, "UNMILIONE"},
        {1000001, "UNMILIONEUNO"},
        {1001000, "UNMILIONEMILLE"},
        {2500000, "DUEMILIONICINQUECENTOMILA"},
        {21000000, "VENTUNOMILIONI"},
        {1000000000, "UNMILIARDO"},
        {2000000000, "DUEMILIARDI"},
        {1000000001, "UNMILIARDOUNO"},
        {999999999999, "NOVECENTONOVANTANOVEMILIARDINOVECENTONOVANTANOVEMILIONINOVECENTONOVANTANOVE"
                       "MILANOVECENTONOVANTANOVE"},
        {1000000000000, "MILLEMILIARDI"},
        {2001000000000, "DUEMILAUNOMILIARDI"},
    };
    for (const Row& r : wholeEuros)
        QTest::addRow("%lld euros", r.euros) << r.euros * euro << QString::fromLatin1(r.words);

    QTest::newRow("12,50") << qint64(125000) << "DODICI E CINQUANTA CENTESIMI";
    QTest::newRow("0,50") << qint64(5000) << "ZERO E CINQUANTA CENTESIMI";
    QTest::newRow("0,01") << qint64(100) << "ZERO E UNO CENTESIMI";
    QTest::newRow("half cent rounds up") << qint64(150) << "ZERO E DUE CENTESIMI";
    QTest::newRow("below half a cent") << qint64(149) << "ZERO E UNO CENTESIMI";
    QTest::newRow("0,995 carries into euros") << qint64(9950) << "UNO";
    QTest::newRow("-5") << qint64(-50000) << "- CINQUE";
    QTest::newRow("-0,25") << qint64(-2500) << "- ZERO E VENTICINQUE CENTESIMI";
    QTest::newRow("negative that rounds to nothing") << qint64(-10) << "ZERO";
}

void tst_AmountInWords::importo()
{
    QFETCH(qint64, amount);
    QFETCH(QString, words);
    QCOMPARE(ImportoInLettere(amount), words);
}

void tst_AmountInWords::largestAmountsDoNotFail()
{
    // 922 337 203 685 477 euros and a fraction either way.
    const QString most = ImportoInLettere(std::numeric_limits<qint64>::max());
    QVERIFY(most.startsWith(QLatin1String("NOVECENTOVENTIDUEMILATRECENTOTRENTASETTEMILIARDI")));
    QVERIFY(most.endsWith(QLatin1String("QUATTROCENTOSETTANTASETTE E CINQUANTAOTTO CENTESIMI")));
    const QString least = ImportoInLettere(std::numeric_limits<qint64>::min());
    QVERIFY(least.startsWith(QLatin1String("- NOVECENTOVENTIDUEMILA")));
}

void tst_AmountInWords::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("amount");
    QTest::newRow("whole euros") << "150" << true << qint64(1500000);
    QTest::newRow("only zeros") << "000" << true << qint64(0);
    QTest::newRow("blanks around") << " 42 " << true << qint64(420000);
    QTest::newRow("decimal comma") << "12,5" << true << qint64(125000);
    QTest::newRow("leading comma") << ",75" << true << qint64(7500);
    QTest::newRow("trailing comma") << "5," << true << qint64(50000);
    QTest::newRow("signs") << "-3" << true << qint64(-30000);
    QTest::newRow("plus") << "+3" << true << qint64(30000);
    QTest::newRow("fifth decimal rounds up") << "0,00005" << true << qint64(1);
    QTest::newRow("fifth decimal rounds down") << "0,00004999" << true << qint64(0);
    QTest::newRow("largest currency") << "922337203685477,5807" << true << std::numeric_limits<qint64>::max();
    QTest::newRow("beyond currency") << "922337203685477,5808" << false << qint64(0);
    QTest::newRow("far beyond") << "99999999999999999999" << false << qint64(0);
    QTest::newRow("empty") << "" << false << qint64(0);
    QTest::newRow("lone comma") << "," << false << qint64(0);
    QTest::newRow("two commas") << "1,2,3" << false << qint64(0);
    QTest::newRow("decimal point") << "1.5" << false << qint64(0);
    QTest::newRow("letters") << "12a" << false << qint64(0);
    QTest::newRow("sign only") << "-" << false << qint64(0);
}

void tst_AmountInWords::parse()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(qint64, amount);
    qint64 value = -7;
    QCOMPARE(ParseImporto(text, &value), ok);
    QCOMPARE(value, ok ? amount : qint64(-7));
}

QTEST_APPLESS_MAIN(tst_AmountInWords)
#include "tst_AmountInWords.moc"
