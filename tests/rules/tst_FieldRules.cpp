#include "rules/FieldRules.h"

#include <QRegularExpression>
#include <QTest>

using namespace tavorel;

class tst_FieldRules : public QObject {
    Q_OBJECT

private slots:
    void dataEsiste_data();
    void dataEsiste();
    void testoData_data();
    void testoData();
    void soloCifre_data();
    void soloCifre();
    void annoQuattroCifre_data();
    void annoQuattroCifre();
    void completaImporto_data();
    void completaImporto();
    void completaCents_data();
    void completaCents();
    void normalizzaImporto_data();
    void normalizzaImporto();
    void normalizzaImportoKeepsShapeForHugeNumbers_data();
    void normalizzaImportoKeepsShapeForHugeNumbers();
};

void tst_FieldRules::dataEsiste_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("exists");
    QTest::newRow("last day of the year") << "31/12/2024" << true;
    QTest::newRow("31 November") << "31/11/2024" << false;
    QTest::newRow("31 April") << "31/04/2024" << false;
    QTest::newRow("leap year") << "29/02/2024" << true;
    QTest::newRow("common year") << "29/02/2023" << false;
    QTest::newRow("century not leap") << "29/02/1900" << false;
    QTest::newRow("fourth century leap") << "29/02/2000" << true;
    QTest::newRow("day zero") << "00/01/2024" << false;
    QTest::newRow("month 13") << "01/13/2024" << false;
    QTest::newRow("year zero") << "01/01/0000" << false;
    QTest::newRow("first year") << "01/01/0001" << true;
    QTest::newRow("last year") << "31/12/9999" << true;
    QTest::newRow("one-digit day and month") << "1/2/2024" << true;
    QTest::newRow("blanks around") << " 01/02/2024 " << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("two-digit year") << "01/02/24" << false;
    QTest::newRow("missing year") << "01/02" << false;
    QTest::newRow("other separator") << "01-02-2024" << false;
    QTest::newRow("extra part") << "01/02/2024/" << false;
    QTest::newRow("signed day") << "+1/02/2024" << false;
    QTest::newRow("letters") << "aa/bb/cccc" << false;
}

void tst_FieldRules::dataEsiste()
{
    QFETCH(QString, text);
    QFETCH(bool, exists);
    QCOMPARE(DataEsiste(text), exists);
}

void tst_FieldRules::testoData_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    QTest::newRow("leading zeros") << QDate(2024, 3, 5) << "05/03/2024";
    QTest::newRow("short year") << QDate(7, 11, 30) << "30/11/0007";
    QTest::newRow("invalid") << QDate() << "";
}

void tst_FieldRules::testoData()
{
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QCOMPARE(TestoData(date), text);
    if (date.isValid())
        QCOMPARE(DataDaTesto(text), date);
}

void tst_FieldRules::soloCifre_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("digits");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("all digits") << "0123456789" << true;
    QTest::newRow("eleven digits") << "01234567897" << true;
    QTest::newRow("letter at the end") << "0123456789A" << false;
    QTest::newRow("blank") << " 12" << false;
    QTest::newRow("comma") << "12,5" << false;
    QTest::newRow("other script digits") << QString::fromUtf8("١٢") << false;
}

void tst_FieldRules::soloCifre()
{
    QFETCH(QString, text);
    QFETCH(bool, digits);
    QCOMPARE(SoloCifre(text), digits);
}

void tst_FieldRules::annoQuattroCifre_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("2024") << "2024" << true;
    QTest::newRow("0000") << "0000" << true;
    QTest::newRow("two digits") << "24" << false;
    QTest::newRow("three digits") << "202" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blank inside") << "20 4" << false;
    QTest::newRow("path") << "../x" << false;
}

void tst_FieldRules::annoQuattroCifre()
{
    QFETCH(QString, year);
    QFETCH(bool, accepted);
    QCOMPARE(AnnoQuattroCifre(year), accepted);
}

void tst_FieldRules::completaImporto_data()
{
    // clang-format off
    QTest::addColumn<QString>("euroIn");
    QTest::addColumn<QString>("centsIn");
    QTest::addColumn<QString>("euro");
    QTest::addColumn<QString>("cents");
    QTest::addColumn<QString>("intero");
    QTest::newRow("both empty") << "" << "" << "0" << "00" << "0,00";
    QTest::newRow("both blank") << "  " << " " << "0" << "00" << "0,00";
    QTest::newRow("one cent digit is tenths") << "150" << "5" << "150" << "50" << "150,50";
    QTest::newRow("two cent digits kept") << "7" << "05" << "7" << "05" << "7,05";
    QTest::newRow("leading zeros kept") << "007" << "5" << "007" << "50" << "007,50";
    QTest::newRow("cents cut to two") << "1" << "123" << "1" << "12" << "1,12";
    QTest::newRow("blanks trimmed") << " 12 " << " 7 " << "12" << "70" << "12,70";
    // clang-format on
}

void tst_FieldRules::completaImporto()
{
    QFETCH(QString, euroIn);
    QFETCH(QString, centsIn);
    const ImportoRicevuta result = CompletaImporto(euroIn, centsIn);
    QTEST(result.euro, "euro");
    QTEST(result.cents, "cents");
    QTEST(result.intero, "intero");
}

void tst_FieldRules::completaCents_data()
{
    // clang-format off
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("empty") << "" << "00";
    QTest::newRow("blank") << " " << "00";
    QTest::newRow("one digit") << "5" << "50";
    QTest::newRow("two digits") << "05" << "05";
    // clang-format on
}

void tst_FieldRules::completaCents()
{
    QFETCH(QString, in);
    QTEST(CompletaCents(in), "out");
}

void tst_FieldRules::normalizzaImporto_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("result");
    QTest::newRow("whole") << "35" << 2 << "35,00";
    QTest::newRow("one decimal") << "35,5" << 2 << "35,50";
    QTest::newRow("leading zero") << "035,50" << 2 << "35,50";
    QTest::newRow("12") << "12" << 2 << "12,00";
    QTest::newRow("12,345 rounds up") << "12,345" << 2 << "12,35";
    QTest::newRow("2,675 held below the half") << "2,675" << 2 << "2,67";
    QTest::newRow("0,005") << "0,005" << 2 << "0,01";
    QTest::newRow("lone comma then digit") << ",5" << 2 << "0,50";
    QTest::newRow("trailing comma") << "5," << 2 << "5,00";
    QTest::newRow("blanks around") << " 7 " << 2 << "7,00";
    QTest::newRow("exponent") << "1,5E2" << 2 << "150,00";
    QTest::newRow("large") << "1234567,891" << 2 << "1234567,89";
    QTest::newRow("negative rounds like positive") << "-1,234" << 2 << "-1,23";
    QTest::newRow("negative half") << "-1,235" << 2 << "-1,24";
    QTest::newRow("negative to zero") << "-0,001" << 2 << "0,00";
    QTest::newRow("empty") << "" << 2 << "0,00";
    QTest::newRow("blank") << "   " << 2 << "0,00";
    QTest::newRow("letters") << "abc" << 2 << "0,00";
    QTest::newRow("two commas") << "1,2,3" << 2 << "0,00";
    QTest::newRow("lone comma") << "," << 2 << "0,00";
    QTest::newRow("decimal point") << "1.5" << 2 << "0,00";
    QTest::newRow("overflow") << "1E400" << 2 << "0,00";
    QTest::newRow("d4 two decimals") << "12,5" << 4 << "12,50";
    QTest::newRow("d4 whole") << "3" << 4 << "3,00";
    QTest::newRow("d4 three decimals kept") << "0,125" << 4 << "0,125";
    QTest::newRow("d4 four decimals kept") << "0,1234" << 4 << "0,1234";
    QTest::newRow("d4 fifth decimal rounds") << "0,00005" << 4 << "0,0001";
    QTest::newRow("d4 sum of cents") << "1234,56" << 4 << "1234,56";
}

void tst_FieldRules::normalizzaImporto()
{
    QFETCH(QString, text);
    QFETCH(int, decimals);
    QTEST(NormalizzaImporto(text, decimals), "result");
}

void tst_FieldRules::normalizzaImportoKeepsShapeForHugeNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("more digits than a double holds") << "123456789012345678901234567890";
    QTest::newRow("near the largest double") << "1,7E308";
    QTest::newRow("negative huge") << "-9,99E200";
}

void tst_FieldRules::normalizzaImportoKeepsShapeForHugeNumbers()
{
    QFETCH(QString, text);
    static const QRegularExpression shape(QStringLiteral("^-?[0-9]+,[0-9]{2,4}$"));
    const QString result = NormalizzaImporto(text, 2);
    QVERIFY2(shape.match(result).hasMatch(), qPrintable(result));
}

QTEST_APPLESS_MAIN(tst_FieldRules)
#include "tst_FieldRules.moc"
