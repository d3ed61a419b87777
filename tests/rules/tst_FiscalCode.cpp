#include "rules/FiscalCode.h"

#include <QTest>

using namespace tavorel;

class tst_FiscalCode : public QObject {
    Q_OBJECT

private slots:
    void check_data();
    void check();
};

void tst_FiscalCode::check_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("valid");
    QTest::newRow("sum 8 gives I") << "AAAAAA00A00A000I" << true;
    QTest::newRow("wrong check letter") << "AAAAAA00A00A000J" << false;
    QTest::newRow("digits only, right letter") << "000000000000000I" << true;
    QTest::newRow("real shape") << "RSSMRA85T10A562S" << true;
    QTest::newRow("real shape, one letter changed") << "RSSMRA85T10A563S" << false;
    QTest::newRow("high letters") << "XYZWVUTSRQPONMLZ" << true;
    QTest::newRow("digits and low letters") << "123456789BCDEFGM" << true;
    QTest::newRow("low letters then digits") << "BCDEFGHIJK12345K" << true;
    QTest::newRow("digits at both parities") << "23456789HIJKLMNI" << true;
    QTest::newRow("lower case") << "rssmra85t10a562s" << false;
    QTest::newRow("lower-case check letter") << "AAAAAA00A00A000i" << false;
    // ':' stands where a '0' (odd value 1) stood: the sum drops to 7, "H".
    QTest::newRow("punctuation between 9 and A counts 0") << "AAAAAA00A00A00:H" << true;
    QTest::newRow("blank inside") << "AAAAAA00A00A0 0I" << false;
    QTest::newRow("below 0") << "AAAAAA00A00A00/I" << false;
    QTest::newRow("above Z") << "AAAAAA00A00A00[I" << false;
    QTest::newRow("accented letter") << QString::fromUtf8("ÀAAAAA00A00A000I") << false;
    QTest::newRow("15 characters") << "AAAAAA00A00A000" << false;
    QTest::newRow("17 characters") << "AAAAAA00A00A000IA" << false;
    QTest::newRow("empty") << "" << false;
}

void tst_FiscalCode::check()
{
    QFETCH(QString, code);
    QTEST(CodiceFiscaleValido(code), "valid");
}

QTEST_APPLESS_MAIN(tst_FiscalCode)
#include "tst_FiscalCode.moc"
