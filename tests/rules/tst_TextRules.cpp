#include "rules/TextRules.h"

#include <QTest>

using namespace tavorel;

class tst_TextRules : public QObject {
    Q_OBJECT

private slots:
    void caseFolding_data();
    void caseFolding();
    void trimSpazi_data();
    void trimSpazi();
    void contieneAZ_data();
    void contieneAZ();
    void criterio_data();
    void criterio();
    void confrontaAZ_data();
    void confrontaAZ();
};

void tst_TextRules::caseFolding_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("lower");
    QTest::newRow("ascii") << "Mario Rossi 12" << "MARIO ROSSI 12" << "mario rossi 12";
    QTest::newRow("accented letters untouched")
        << QString::fromUtf8("àÈìÒ") << QString::fromUtf8("àÈìÒ") << QString::fromUtf8("àÈìÒ");
    QTest::newRow("edges of the alphabet") << "@AZ[`az{" << "@AZ[`AZ{" << "@az[`az{";
    QTest::newRow("dotless and sharp letters")
        << QString::fromUtf8("ıß") << QString::fromUtf8("ıß") << QString::fromUtf8("ıß");
    // clang-format on
}

void tst_TextRules::caseFolding()
{
    QFETCH(QString, text);
    QTEST(MaiuscoleAZ(text), "upper");
    QTEST(MinuscoleAZ(text), "lower");
}

void tst_TextRules::trimSpazi_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("blanks") << "  a b  " << "a b";
    QTest::newRow("control characters") << QString::fromLatin1("\t\x01 a\r\n") << "a";
    QTest::newRow("non-breaking space kept") << QString(QChar(0xA0)) + "a" << QString(QChar(0xA0)) + "a";
    QTest::newRow("only blanks") << " \t " << "";
    // clang-format on
}

void tst_TextRules::trimSpazi()
{
    QFETCH(QString, text);
    QTEST(TrimSpazi(text), "trimmed");
}

void tst_TextRules::contieneAZ_data()
{
    // clang-format off
    QTest::addColumn<QString>("haystack");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<bool>("found");
    QTest::newRow("lower finds mixed") << "Mario Rossi" << "rossi" << true;
    QTest::newRow("upper finds lower") << "abc" << "ABC" << true;
    QTest::newRow("accented differ in case") << QString::fromUtf8("ÉCOLE") << QString::fromUtf8("é") << false;
    QTest::newRow("accented same case") << QString::fromUtf8("école") << QString::fromUtf8("é") << true;
    QTest::newRow("blank in the needle counts") << "abc" << " abc" << false;
    QTest::newRow("blank matches a blank") << "a b" << " b" << true;
    QTest::newRow("empty needle matches nothing") << "abc" << "" << false;
    QTest::newRow("empty haystack") << "" << "a" << false;
    // clang-format on
}

void tst_TextRules::contieneAZ()
{
    QFETCH(QString, haystack);
    QFETCH(QString, needle);
    QTEST(ContieneAZ(haystack, needle), "found");
}

void tst_TextRules::criterio_data()
{
    // clang-format off
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<bool>("inUse");
    QTest::addColumn<bool>("passes");
    QTest::newRow("empty criterion") << "Calcio" << "" << false << true;
    QTest::newRow("blank criterion") << "Calcio" << "  " << false << true;
    QTest::newRow("control characters only") << "" << "\t" << false << true;
    QTest::newRow("contained") << "Calcio a 5" << "calcio" << true << true;
    QTest::newRow("not contained") << "Nuoto" << "calcio" << true << false;
    QTest::newRow("blanks as typed count") << "Calcio" << " calcio" << true << false;
    QTest::newRow("digit inside a number") << "21" << "1" << true << true;
    // clang-format on
}

void tst_TextRules::criterio()
{
    QFETCH(QString, field);
    QFETCH(QString, criterion);
    QTEST(CriterioInUso(criterion), "inUse");
    QTEST(CriterioSoddisfatto(field, criterion), "passes");
}

void tst_TextRules::confrontaAZ_data()
{
    // clang-format off
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("sign");
    QTest::newRow("case ignored") << "abc" << "ABC" << 0;
    QTest::newRow("prefix first") << "ab" << "abc" << -1;
    QTest::newRow("letters by alphabet") << "zeta" << "Alfa" << 1;
    QTest::newRow("lower taken as upper") << "_" << "b" << 1;
    QTest::newRow("accented after letters") << QString::fromUtf8("É") << "z" << 1;
    QTest::newRow("accented not folded") << QString::fromUtf8("é") << QString::fromUtf8("É") << 1;
    QTest::newRow("code page order") << QString::fromUtf8("€") << QString::fromUtf8("à") << -1;
    QTest::newRow("both empty") << "" << "" << 0;
    // clang-format on
}

void tst_TextRules::confrontaAZ()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, sign);
    const auto sgn = [](int v) { return (v > 0) - (v < 0); };
    QCOMPARE(sgn(ConfrontaAZ(a, b)), sign);
    QCOMPARE(sgn(ConfrontaAZ(b, a)), -sign);
}

QTEST_APPLESS_MAIN(tst_TextRules)
#include "tst_TextRules.moc"
