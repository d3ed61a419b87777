#include "rules/ReceiptFiscal.h"
#include "storage/Messages.h"

#include <QTest>

using namespace tavorel;

class tst_ReceiptFiscal : public QObject {
    Q_OBJECT
private slots:
    void stampBox_data();
    void stampBox();
    void paymentLine_data();
    void paymentLine();
    void ageForTheDeduction_data();
    void ageForTheDeduction();
    void waysOfPayment();
    void clubCode_data();
    void clubCode();
};

void tst_ReceiptFiscal::stampBox_data()
{
    QTest::addColumn<int>("regime");
    QTest::addColumn<QString>("causale");
    QTest::addColumn<qint64>("cents");
    QTest::addColumn<bool>("invariato");
    QTest::addColumn<QString>("prima");
    QTest::addColumn<QString>("seconda");

    const int none = int(Regime::NonIndicato), asd = int(Regime::Asd), altro = int(Regime::AltroEnte);
    QTest::newRow("not set, big") << none << kCausaleCorso << qint64(50000) << true << QString() << QString();
    QTest::newRow("not set, small") << none << kCausaleQuota << qint64(1000) << true << QString() << QString();
    QTest::newRow("asd, fee") << asd << kCausaleQuota << qint64(50000) << false << kBolloEsente
                              << kEsenteQuotaPredefinita;
    QTest::newRow("asd, fee typed in lower case") << asd << QStringLiteral(" quota associativa ") << qint64(100)
                                                  << false << kBolloEsente << kEsenteQuotaPredefinita;
    QTest::newRow("asd, course") << asd << kCausaleCorso << qint64(7748) << false << kBolloEsente
                                 << kEsenteCorsoPredefinita;
    QTest::newRow("asd, other") << asd << kCausaleAltro << qint64(100) << false << kBolloEsente
                                << kEsenteCorsoPredefinita;
    QTest::newRow("asd, no reason") << asd << QString() << qint64(100) << false << kBolloEsente
                                    << kEsenteCorsoPredefinita;
    QTest::newRow("other body, 77,47") << altro << kCausaleCorso << qint64(7747) << false << kBolloNonDovuto
                                       << kBolloSottoSoglia;
    QTest::newRow("other body, 77,48") << altro << kCausaleCorso << qint64(7748) << true << QString() << QString();
    QTest::newRow("other body, nothing") << altro << QString() << qint64(0) << false << kBolloNonDovuto
                                         << kBolloSottoSoglia;
}

void tst_ReceiptFiscal::stampBox()
{
    QFETCH(int, regime);
    QFETCH(QString, causale);
    QFETCH(qint64, cents);
    DatiFiscali dati = DatiFiscali::predefiniti();
    dati.regime = Regime(regime);
    const RigheBollo righe = righeBollo(dati, causale, cents);
    QTEST(righe.invariato, "invariato");
    QTEST(righe.prima, "prima");
    QTEST(righe.seconda, "seconda");
}

void tst_ReceiptFiscal::paymentLine_data()
{
    QTest::addColumn<QString>("causale");
    QTest::addColumn<QString>("pagamento");
    QTest::addColumn<QString>("dataPag");
    QTest::addColumn<QString>("rif");
    QTest::addColumn<QString>("expected");
    QTest::newRow("all blank") << QString() << QString() << QString() << QString() << QString();
    QTest::newRow("a reference alone says nothing")
        << QString() << QString() << QString() << QStringLiteral("123") << QString();
    QTest::newRow("reason only") << kCausaleQuota << QString() << QString() << QString()
                                 << QStringLiteral("Causale: Quota associativa");
    QTest::newRow("way, receipt's date") << QString() << kPagamentoContanti << QString() << QString()
                                         << QStringLiteral("Pagamento: Contanti del 05/03/2026");
    QTest::newRow("everything") << kCausaleCorso << kPagamentoBonifico << QStringLiteral("01/03/2026")
                                << QStringLiteral("TRN 0306")
                                << QStringLiteral("Causale: Corso o attività sportiva - Pagamento: Bonifico bancario o "
                                                  "postale del 01/03/2026 rif. TRN 0306");
}

void tst_ReceiptFiscal::paymentLine()
{
    QFETCH(QString, causale);
    QFETCH(QString, pagamento);
    QFETCH(QString, dataPag);
    QFETCH(QString, rif);
    QTEST(rigaPagamento(causale, pagamento, dataPag, QStringLiteral("05/03/2026"), rif), "expected");
}

void tst_ReceiptFiscal::ageForTheDeduction_data()
{
    QTest::addColumn<QDate>("nascita");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<bool>("ragazzo");
    const QDate born(2010, 6, 15);
    QTest::newRow("day before the fifth birthday") << born << QDate(2015, 6, 14) << false;
    QTest::newRow("fifth birthday") << born << QDate(2015, 6, 15) << true;
    QTest::newRow("eighteen") << born << QDate(2028, 12, 31) << true;
    QTest::newRow("day before the nineteenth birthday") << born << QDate(2029, 6, 14) << true;
    QTest::newRow("nineteenth birthday") << born << QDate(2029, 6, 15) << false;
    QTest::newRow("no date of birth") << QDate() << QDate(2026, 1, 1) << false;
}

void tst_ReceiptFiscal::ageForTheDeduction()
{
    QFETCH(QDate, nascita);
    QFETCH(QDate, day);
    QTEST(etaDetrazioneSport(nascita, day), "ragazzo");
}

void tst_ReceiptFiscal::waysOfPayment()
{
    const QStringList ways = pagamenti();
    QCOMPARE(ways.size(), 6);
    QCOMPARE(tracciabilita(ways[0]), Tracciabilita::NonIndicato);
    QCOMPARE(tracciabilita(ways[1]), Tracciabilita::Contanti);
    for (qsizetype i = 2; i < ways.size(); ++i)
        QCOMPARE(tracciabilita(ways[i]), Tracciabilita::Tracciabile);
    // A text the list does not hold (written by another copy of the program) is not stated.
    QCOMPARE(tracciabilita(QStringLiteral("Baratto")), Tracciabilita::NonIndicato);
}

void tst_ReceiptFiscal::clubCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("valid");
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("number of a body") << QStringLiteral("80012345676") << true;
    QTest::newRow("number, wrong check digit") << QStringLiteral("80012345677") << false;
    QTest::newRow("person's code") << QStringLiteral("RSSMRA85T10A562S") << true;
    QTest::newRow("person's code, wrong check") << QStringLiteral("RSSMRA85T10A562T") << false;
    QTest::newRow("ten digits") << QStringLiteral("0123456789") << false;
}

void tst_ReceiptFiscal::clubCode()
{
    QFETCH(QString, code);
    QTEST(codiceAssociazioneValido(code), "valid");
}

QTEST_APPLESS_MAIN(tst_ReceiptFiscal)
#include "tst_ReceiptFiscal.moc"
