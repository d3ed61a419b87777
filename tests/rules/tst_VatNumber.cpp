#include "rules/VatNumber.h"

#include <QTest>

using namespace tavorel;

class tst_VatNumber : public QObject {
    Q_OBJECT

private slots:
    void checkDigit_data();
    void checkDigit();
    void office_data();
    void office();
    void officeTableHasEveryCode();
};

void tst_VatNumber::checkDigit_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("valid");
    QTest::newRow("eleven zeros") << "00000000000" << true;
    QTest::newRow("ascending") << "12345678903" << true;
    QTest::newRow("ascending, wrong digit") << "12345678904" << false;
    QTest::newRow("from zero") << "01234567897" << true;
    // A 7 in an even position adds 1 + 4, not 14.
    QTest::newRow("doubled digits summed") << "07000000005" << true;
    QTest::newRow("doubled digits not summed") << "07000000006" << false;
    QTest::newRow("odd position not doubled") << "70000000003" << true;
    QTest::newRow("ten digits") << "0000000000" << false;
    QTest::newRow("twelve digits") << "000000000000" << false;
    QTest::newRow("letter") << "0000000000A" << false;
    QTest::newRow("blank") << "0000000000 " << false;
    QTest::newRow("empty") << "" << false;
}

void tst_VatNumber::checkDigit()
{
    QFETCH(QString, number);
    QTEST(PartitaIvaValida(number), "valid");
}

void tst_VatNumber::office_data()
{
    // clang-format off
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("first") << "001" << "Torino";
    QTest::newRow("Roma 1") << "058" << "Roma 1";
    QTest::newRow("accented") << "040" << QString::fromUtf8("Forlì");
    QTest::newRow("parenthesised") << "096" << "Monza (Milano 2)";
    QTest::newRow("Chiavari") << "099" << "Chiavari (Genova 2)";
    QTest::newRow("last of the run") << "102" << "Napoli 2";
    QTest::newRow("120 repeats 101") << "120" << "Bologna 2";
    QTest::newRow("121 repeats 102") << "121" << "Napoli 2";
    QTest::newRow("000 unknown") << "000" << "";
    QTest::newRow("103 unknown") << "103" << "";
    QTest::newRow("119 unknown") << "119" << "";
    QTest::newRow("122 unknown") << "122" << "";
    QTest::newRow("two digits") << "58" << "";
    QTest::newRow("four digits") << "0058" << "";
    QTest::newRow("letters") << "abc" << "";
    QTest::newRow("signed") << "+58" << "";
    QTest::newRow("empty") << "" << "";
    // clang-format on
}

void tst_VatNumber::office()
{
    QFETCH(QString, code);
    QTEST(UfficioIva(code), "name");
}

void tst_VatNumber::officeTableHasEveryCode()
{
    // 001 to 102, 120 and 121, and nothing else.
    int named = 0;
    for (int code = 0; code <= 999; ++code) {
        const QString name = UfficioIva(QStringLiteral("%1").arg(code, 3, 10, QLatin1Char('0')));
        const bool expected = (code >= 1 && code <= 102) || code == 120 || code == 121;
        QVERIFY2(name.isEmpty() != expected, qPrintable(QString::number(code)));
        named += !name.isEmpty();
    }
    QCOMPARE(named, 104);
}

QTEST_APPLESS_MAIN(tst_VatNumber)
#include "tst_VatNumber.moc"
