// How each receipt was paid, on the receipt editor: kept beside the year's archive, shown when a
// receipt is browsed to (blank for one without a side record), counted as a change, written after
// the receipt, and the questions before a cash receipt is saved.
#include "receipts/TfrmRicevuta.h"
#include "shell/PictureButton.h"
#include "storage/Messages.h"
#include "storage/PaymentArchive.h"
#include "storage/RecordLayout.h"
#include "support/FakePlatform.h"
#include "support/FaultInjector.h"
#include "support/Screens.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

using namespace tavorel;
using tavorel::test::child;
using tavorel::test::FakePlatform;
using tavorel::test::FakePlatformScope;

namespace {

TSchedaRicevuta ricevuta(int n, const QString& nascita = QStringLiteral("14/05/1980"))
{
    TSchedaRicevuta r;
    r.NumRic = QString::number(n);
    r.Data = QStringLiteral("0%1/03/2026").arg(n);
    r.Pagatore = QStringLiteral("Rossi Mario");
    r.CodFisc = QStringLiteral("RSSMRA80A01H501U");
    r.Sport = QStringLiteral("Nuoto");
    r.Dal = QStringLiteral("01/03/2026");
    r.Al = QStringLiteral("31/03/2026");
    r.Praticante = QStringLiteral("Rossi Luca");
    r.DataNasc = nascita;
    r.Importo = QString::number(10 * n);
    r.Cents = QStringLiteral("00");
    r.CentLettere = r.Cents;
    r.Intero = r.Importo + QStringLiteral(",00");
    return r;
}

TSchedaPagamento bonifico(const QString& rif)
{
    return {kCausaleCorso, kPagamentoBonifico, QStringLiteral("02/03/2026"), rif};
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Editor {
    FakePlatformScope scope;
    FakePlatform& fake = scope.fake;
    TfrmRicevuta w;
    QString path = QDir(fake.folder).filePath(QStringLiteral("2026.ric"));
    QString side = PaymentArchive::percorso(path);

    explicit Editor(int receipts)
    {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            for (int n = 1; n <= receipts; ++n)
                f.write(encodeRecord(ricevuta(n)));
        f.close();
        w.apriArchivio(path, QStringLiteral(" Tavorel - Archivio ricevute anno 2026"));
        test::showActive(w);
    }
    QComboBox* combo(const char* name) { return child<QComboBox>(&w, name); }
    QLineEdit* edit(const char* name) { return child<QLineEdit>(&w, name); }
    void click(const char* name) { child<PictureButton>(&w, name)->click(); }
    void choose(const TSchedaPagamento& p)
    {
        combo("cboCausale")->setCurrentText(p.Causale);
        combo("cboPagamento")->setCurrentText(p.Pagamento);
        edit("txtDataPag")->setText(p.DataPag);
        edit("txtRifPag")->setText(p.RifPag);
    }
    TSchedaPagamento stored(qint64 k)
    {
        TSchedaPagamento p;
        PaymentArchive::leggi(path, k, p);
        return p;
    }
};

} // namespace

class tst_ReceiptPayment : public QObject {
    Q_OBJECT
private slots:
    void olderArchiveShowsBlankAndGetsNoSideFile();
    void savedPaymentIsShownAgain();
    void damagedOrMissingSideRecords();
    void paymentChangeIsAskedAbout();
    void cashQuestions_data();
    void cashQuestions();
    void sideWriteFailureIsToldAndKept();
};

// An archive of another copy of the program: no side file. Browsing shows the row blank, and a save
// that states no payment writes no side file; the receipt's bytes are as before.
void tst_ReceiptPayment::olderArchiveShowsBlankAndGetsNoSideFile()
{
    Editor e(3);
    const QByteArray before = readAll(e.path);
    e.click("cmdPrimo");
    QCOMPARE(e.w.posizione(), 1);
    QCOMPARE(e.w.pagamento(), TSchedaPagamento{});
    e.click("cmdSalva");
    QCOMPARE(readAll(e.path), before);
    QVERIFY(!QFile::exists(e.side));
}

void tst_ReceiptPayment::savedPaymentIsShownAgain()
{
    Editor e(3);
    e.w.mostraScheda(ricevuta(2), 2);
    e.choose(bonifico(QStringLiteral("TRN 42")));
    e.click("cmdSalva");
    QCOMPARE(e.fake.lastMessage(), kMsgSchedaModificata);
    // Receipt 1 is padded blank before it; receipt 3 has none.
    QCOMPARE(readAll(e.side).size(), 2 * TSchedaPagamento::RecordSize);
    QCOMPARE(e.stored(2), bonifico(QStringLiteral("TRN 42")));
    e.click("cmdIndietro");
    QCOMPARE(e.w.posizione(), 1);
    QCOMPARE(e.w.pagamento(), TSchedaPagamento{});
    e.click("cmdAvanti");
    QCOMPARE(e.w.pagamento(), bonifico(QStringLiteral("TRN 42")));
    // Duplicate keeps the reason and the way, not the payment's date and reference.
    e.click("cmdDuplica");
    QCOMPARE(e.w.pagamento(), (TSchedaPagamento{kCausaleCorso, kPagamentoBonifico, {}, {}}));
    // "Nuovo" clears the row.
    e.click("cmdNuovo");
    QCOMPARE(e.w.pagamento(), TSchedaPagamento{});
}

// A side file written by hand: shorter than the archive, and with a record that is not whole.
void tst_ReceiptPayment::damagedOrMissingSideRecords()
{
    Editor e(3);
    QByteArray damaged = encodeRecord(bonifico(QStringLiteral("B")));
    damaged[0] = char(250);
    QFile f(e.side);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(encodeRecord(bonifico(QStringLiteral("A"))) + damaged);
    f.close();

    e.w.mostraScheda(ricevuta(1), 1);
    QCOMPARE(e.w.pagamento(), bonifico(QStringLiteral("A")));
    QVERIFY(e.fake.messages.isEmpty());
    e.click("cmdAvanti");
    QCOMPARE(e.w.posizione(), 2);
    QCOMPARE(e.w.pagamento(), TSchedaPagamento{});
    QCOMPARE(e.fake.messages.size(), 1); // told once, with the receipt and the file
    QVERIFY(e.fake.lastMessage().contains(QStringLiteral("n. 2")));
    QVERIFY(e.fake.lastMessage().contains(QStringLiteral("2026.pag")));
    e.click("cmdAvanti");
    QCOMPARE(e.w.pagamento(), TSchedaPagamento{}); // past the side file's end
    QCOMPARE(e.fake.messages.size(), 1);

    // Saving receipt 3 with a payment mends nothing else and pads nothing twice.
    e.choose(bonifico(QStringLiteral("C")));
    e.click("cmdSalva");
    QCOMPARE(readAll(e.side).size(), 3 * TSchedaPagamento::RecordSize);
    QCOMPARE(e.stored(1), bonifico(QStringLiteral("A")));
    QCOMPARE(e.stored(3), bonifico(QStringLiteral("C")));
}

void tst_ReceiptPayment::paymentChangeIsAskedAbout()
{
    Editor e(3);
    e.w.mostraScheda(ricevuta(1), 1);
    e.combo("cboPagamento")->setCurrentText(kPagamentoContanti);
    e.fake.answers.append(Answer::Cancel);
    e.click("cmdAvanti");
    QCOMPARE(e.fake.lastMessage(), kMsgSalvareModifiche);
    QCOMPARE(e.w.posizione(), 1);
    QCOMPARE(e.w.pagamento().Pagamento, kPagamentoContanti);
    QVERIFY(e.fake.verifyConsumed());
}

// The questions after the other checks: Sì saves, No goes back to the way of payment.
void tst_ReceiptPayment::cashQuestions_data()
{
    QTest::addColumn<QString>("nascita");
    QTest::addColumn<QString>("euro");
    QTest::addColumn<QString>("pagamento");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<bool>("yes");
    const QString kid = QStringLiteral("14/05/2015");
    const QString adult = QStringLiteral("14/05/1980");
    QTest::newRow("a child, cash, Sì") << kid << "150" << kPagamentoContanti << QStringList{kMsgContantiRagazzo}
                                       << true;
    QTest::newRow("a child, cash, No") << kid << "150" << kPagamentoContanti << QStringList{kMsgContantiRagazzo}
                                       << false;
    QTest::newRow("a child, transfer") << kid << "150" << kPagamentoBonifico << QStringList{} << true;
    QTest::newRow("an adult, cash") << adult << "150" << kPagamentoContanti << QStringList{} << true;
    QTest::newRow("an adult, cash 999") << adult << "999" << kPagamentoContanti << QStringList{} << true;
    QTest::newRow("an adult, cash 1000, Sì")
        << adult << "1000" << kPagamentoContanti << QStringList{kMsgContantiSoglia} << true;
    QTest::newRow("a child, cash 1000, both")
        << kid << "1000" << kPagamentoContanti << QStringList{kMsgContantiRagazzo, kMsgContantiSoglia} << true;
    QTest::newRow("a child, cash 1000, No to the first")
        << kid << "1000" << kPagamentoContanti << QStringList{kMsgContantiRagazzo} << false;
}

void tst_ReceiptPayment::cashQuestions()
{
    QFETCH(QString, nascita);
    QFETCH(QString, euro);
    QFETCH(QString, pagamento);
    QFETCH(QStringList, asked);
    QFETCH(bool, yes);
    Editor e(1);
    TSchedaRicevuta r = ricevuta(1, nascita);
    r.Importo = euro;
    e.w.mostraScheda(r, 1);
    e.combo("cboPagamento")->setCurrentText(pagamento);
    for (qsizetype i = 0; i < asked.size(); ++i)
        e.fake.answers.append(yes || i + 1 < asked.size() ? Answer::Yes : Answer::No);
    e.click("cmdSalva");
    QStringList told;
    for (const auto& m : e.fake.messages)
        if (m.kind == MessageKind::Confirmation)
            told.append(m.text);
    QCOMPARE(told, asked);
    QCOMPARE(e.stored(1).Pagamento, yes ? pagamento : QString());
    if (!yes)
        QCOMPARE(QApplication::focusWidget(), e.combo("cboPagamento"));
    QVERIFY(e.fake.verifyConsumed());
}

// The receipt is written, its side record cannot be: the user is told, the payment stays on screen
// as a change, and "Salva" again writes it.
void tst_ReceiptPayment::sideWriteFailureIsToldAndKept()
{
    Editor e(2);
    e.w.mostraScheda(ricevuta(2), 2);
    e.choose(bonifico(QStringLiteral("X")));
    {
        // The receipt's own overwrite is the first write; the side file's first write fails.
        test::FaultInjector fault(e.fake.folder, 2, ENOSPC, test::FaultInjector::Write);
        e.click("cmdSalva");
        QVERIFY(fault.fired());
    }
    QCOMPARE(e.fake.lastMessage(), kMsgDiscoPieno);
    QCOMPARE(readAll(e.side).size() % TSchedaPagamento::RecordSize, 0);
    QVERIFY(e.w.modificata());
    e.click("cmdSalva");
    QCOMPARE(e.stored(2), bonifico(QStringLiteral("X")));
    QVERIFY(!e.w.modificata());
}

QTEST_MAIN(tst_ReceiptPayment)
#include "tst_ReceiptPayment.moc"
