#include "storage/Cp1252.h"

#include <QTest>

using namespace tavorel;

class tst_Cp1252 : public QObject {
    Q_OBJECT

private slots:
    void everyByte_data();
    void everyByte();
    void noCp1252Form_data();
    void noCp1252Form();
};

// Each of the 256 bytes decodes to its character and that character encodes back to the byte.
void tst_Cp1252::everyByte_data()
{
    // The range where Windows-1252 departs from Latin-1, as the characters themselves.
    const QString high = QStringLiteral(u"€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ");
    QCOMPARE(high.size(), 32);

    QTest::addColumn<int>("byte");
    QTest::addColumn<QString>("character");
    for (int b = 0; b < 256; ++b) {
        const QChar c = (b >= 0x80 && b < 0xA0) ? high.at(b - 0x80) : QChar(b);
        QTest::addRow("0x%02X", b) << b << QString(c);
    }
}

void tst_Cp1252::everyByte()
{
    QFETCH(int, byte);
    QFETCH(QString, character);
    const QByteArray bytes(1, char(byte));
    QCOMPARE(fromCp1252(bytes), character);
    QCOMPARE(toCp1252(character), bytes);
}

void tst_Cp1252::noCp1252Form_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<uint>("first"); // the first character a file cannot hold; 0: none
    QTest::newRow("latin extended") << QStringLiteral(u"Ā") << QByteArray("?") << 0x100u;
    QTest::newRow("C1 control Windows assigns") << QStringLiteral(u"\u0080\u009F") << QByteArray("??") << 0x80u;
    QTest::newRow("arrow among text") << QStringLiteral(u"a→b") << QByteArray("a?b") << 0x2192u;
    QTest::newRow("surrogate pair is one character") << QStringLiteral(u"x😀y") << QByteArray("x?y") << 0x1F600u;
    QTest::newRow("lone high surrogate") << QString(QChar(0xD83D)) + QLatin1Char('z') << QByteArray("?z") << 0xD83Du;
    QTest::newRow("lone low surrogate") << QString(QChar(0xDE00)) << QByteArray("?") << 0xDE00u;
    QTest::newRow("unassigned bytes read back as their controls")
        << QStringLiteral(u"\u0081\u009D") << QByteArray("\x81\x9D") << 0u;
    QTest::newRow("accented Italian kept")
        << QStringLiteral(u"àèéìòù€") << QByteArray("\xE0\xE8\xE9\xEC\xF2\xF9\x80") << 0u;
}

void tst_Cp1252::noCp1252Form()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(uint, first);
    QCOMPARE(toCp1252(text), bytes);
    // What is written to a file never takes the "?": the character is named, or the bytes are exact.
    QCOMPARE(uint(firstOutsideCp1252(text).value_or(0)), first);
    QCOMPARE(cp1252Exact(text), first ? std::nullopt : std::optional<QByteArray>(bytes));
}

QTEST_APPLESS_MAIN(tst_Cp1252)
#include "tst_Cp1252.moc"
