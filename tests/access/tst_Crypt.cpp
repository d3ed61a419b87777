#include "access/Crypt.h"

#include <QRegularExpression>
#include <QTest>

#include <stdexcept>

using namespace tavorel;

class tst_Crypt : public QObject {
    Q_OBJECT

private slots:
    void knownValues_data();
    void knownValues();
    void roundTrip_data();
    void roundTrip();
    void onlyTheLowByteCounts();
    void decipherAcceptsLowerCase();
    void decipherDropsOddDigit();
    void decipherRejectsNonHex_data();
    void decipherRejectsNonHex();
};

void tst_Crypt::knownValues_data()
{
    // clang-format off
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("cipher");
    // key 5273 = 0x1499: 'A' (0x41) XOR 0x14 = 0x55. The key then advances with
    // the cipher byte: ((0x55 + 5273) * 40763 + 28096) mod 65536 = 4762 = 0x129A,
    // so the second 'A' gives 0x41 XOR 0x12 = 0x53.
    QTest::newRow("empty") << "" << "";
    QTest::newRow("A") << "A" << "55";
    QTest::newRow("AA") << "AA" << "5553";
    // clang-format on
}

void tst_Crypt::knownValues()
{
    QFETCH(QString, plain);
    QFETCH(QString, cipher);
    QCOMPARE(CifraTesto(plain), cipher);
    QCOMPARE(DecifraTesto(cipher), plain);
}

void tst_Crypt::roundTrip_data()
{
    QTest::addColumn<QString>("plain");
    QString all255;
    for (int i = 0; i < 255; ++i)
        all255 += QChar(char16_t((i * 37 + 11) % 256));
    QTest::newRow("first-access password") << "LAMPADARIOVERO";
    QTest::newRow("accented Latin-1") << QString::fromUtf8("àèìòù ÀÉ ÿ£§");
    QTest::newRow("blanks and controls") << QString::fromLatin1("  a\tb\x01 ");
    QTest::newRow("code zero") << QString(QChar(0)) + "x";
    QTest::newRow("repeated letter") << "OOOOOOOO";
    QTest::newRow("255 characters") << all255;
}

void tst_Crypt::roundTrip()
{
    QFETCH(QString, plain);
    const QString cipher = CifraTesto(plain);
    static const QRegularExpression upperHex(QStringLiteral("^[0-9A-F]*$"));
    QVERIFY(upperHex.match(cipher).hasMatch());
    QCOMPARE(cipher.size(), 2 * plain.size());
    QCOMPARE(DecifraTesto(cipher), plain);
}

void tst_Crypt::onlyTheLowByteCounts()
{
    QCOMPARE(CifraTesto(QString(QChar(0x0141))), CifraTesto(QStringLiteral("A")));
}

void tst_Crypt::decipherAcceptsLowerCase()
{
    const QString cipher = CifraTesto(QString::fromUtf8("Password è"));
    QCOMPARE(DecifraTesto(cipher.toLower()), QString::fromUtf8("Password è"));
}

void tst_Crypt::decipherDropsOddDigit()
{
    QCOMPARE(DecifraTesto(CifraTesto(QStringLiteral("ABC")) + QLatin1Char('7')), QStringLiteral("ABC"));
    QCOMPARE(DecifraTesto(QStringLiteral("5")), QString());
    // The odd digit is dropped unread, so it may be anything.
    QCOMPARE(DecifraTesto(QStringLiteral("55Z")), QStringLiteral("A"));
}

void tst_Crypt::decipherRejectsNonHex_data()
{
    QTest::addColumn<QString>("hex");
    QTest::newRow("letter beyond F") << "5G";
    QTest::newRow("lower letter beyond f") << "zz";
    QTest::newRow("blank in a pair") << "55 1";
    QTest::newRow("sign") << "+1";
    QTest::newRow("second pair") << "55x3";
    QTest::newRow("full-width digit") << QString::fromUtf8("５５");
}

void tst_Crypt::decipherRejectsNonHex()
{
    QFETCH(QString, hex);
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, DecifraTesto(hex));
}

QTEST_APPLESS_MAIN(tst_Crypt)
#include "tst_Crypt.moc"
