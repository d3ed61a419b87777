// The receipt search: criteria, the search, the results, the load into the screen that opened it.
#include "lists/ListRows.h"
#include "receipts/TfrmTrovaRic.h"
#include "shell/ListPanel.h"
#include "storage/Archives.h"
#include "support/FakePlatform.h"
#include "support/RowOracle.h"
#include "support/Screens.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

using namespace tavorel;
using tavorel::test::child;
using tavorel::test::FakePlatformScope;

namespace {

TSchedaRicevuta ricevuta(const QString& num, const QString& data, const QString& pagatore, const QString& intero)
{
    TSchedaRicevuta r;
    r.NumRic = num;
    r.Data = data;
    r.Pagatore = pagatore;
    r.Sport = QStringLiteral("Nuoto");
    r.Intero = intero;
    return r;
}

void scrivi(const QString& path, const QList<TSchedaRicevuta>& records)
{
    RecordFile f;
    QVERIFY(OpenReceiptArchive(path, f));
    for (const TSchedaRicevuta& r : records)
        QVERIFY(appendRecord(f, r) > 0);
}

struct Loaded {
    TSchedaRicevuta record;
    qint64 k = 0;
    int calls = 0;
};

void doubleClickRow(ListPanel* panel, int row)
{
    auto* lstRecords = child<QListView>(panel, "lstRecords");
    const QRect r = lstRecords->visualRect(lstRecords->model()->index(row, 0));
    QTest::mouseClick(lstRecords->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(lstRecords->viewport(), Qt::LeftButton, {}, r.center());
}

} // namespace

class tst_TfrmTrovaRic : public QObject {
    Q_OBJECT
private slots:
    void enterWalksTheTenCriteriaWithTheirHalos();
    void searchListsInArchiveOrder_data();
    void searchListsInArchiveOrder();
    void archiveThatCannotBeOpenedKeepsTheCriteria();
    void loadTakesTheLastOfIdenticalRows();
    void printsTheRowsFound();
};

void tst_TfrmTrovaRic::enterWalksTheTenCriteriaWithTheirHalos()
{
    FakePlatformScope scope;
    TfrmTrovaRic w(nullptr, scope.fake.folder + QStringLiteral("/2026.ric"), {});
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(&w, "txtNumRic"));
    const QStringList order{"txtData",       "txtPagatore", "txtCodFisc",   "txtSport",     "txtDal",
                            "txtPraticante", "txtDataNasc", "txtLuogoNasc", "txtIndirizzo", "txtNumRic"};
    for (const QString& next : order) {
        auto* from = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QTest::keyClick(from, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), next);
        const QString halo = QStringLiteral("eff") + next.mid(3);
        QVERIFY2(w.findChild<QFrame*>(halo)->isVisible(), qPrintable(halo));
        QVERIFY(!w.findChild<QFrame*>(QStringLiteral("eff") + from->objectName().mid(3))->isVisible());
    }
}

void tst_TfrmTrovaRic::searchListsInArchiveOrder_data()
{
    QTest::addColumn<QString>("pagatore");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("numero");
    QTest::addColumn<QStringList>("found"); // receipt numbers, in list order
    QTest::addColumn<QString>("count");
    QTest::newRow("nothing typed: all") << ""
                                        << ""
                                        << "" << QStringList{"1", "10", "2", "11"} << "0";
    QTest::newRow("payer and month") << "ROSSI"
                                     << "/03/"
                                     << "" << QStringList{"10", "11"} << "2";
    QTest::newRow("number contained") << "  "
                                      << ""
                                      << "1" << QStringList{"1", "10", "11"} << "1";
    QTest::newRow("none found") << "verdi"
                                << ""
                                << "" << QStringList{} << "1";
}

void tst_TfrmTrovaRic::searchListsInArchiveOrder()
{
    QFETCH(QString, pagatore);
    QFETCH(QString, data);
    QFETCH(QString, numero);
    QFETCH(QStringList, found);
    QFETCH(QString, count);
    FakePlatformScope scope;
    const QString path = scope.fake.folder + QStringLiteral("/2026.ric");
    const QList<TSchedaRicevuta> archive{
        ricevuta("1", "15/01/2026", "Rossi Mario", "10,00"), ricevuta("10", "02/03/2026", "rossi anna", "20,00"),
        ricevuta("2", "20/03/2026", "Bianchi Ugo", "30,00"), ricevuta("11", "31/03/2026", "ROSSINI Pia", "40,00")};
    scrivi(path, archive);
    if (!QTest::currentTestFailed()) {
        TfrmTrovaRic w(nullptr, path, {});
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClicks(child<QLineEdit>(&w, "txtPagatore"), pagatore);
        QTest::keyClicks(child<QLineEdit>(&w, "txtData"), data);
        QTest::keyClicks(child<QLineEdit>(&w, "txtNumRic"), numero);
        QTest::mouseClick(child<QPushButton>(&w, "btnCerca"), Qt::LeftButton);
        QStringList expected;
        for (const QString& n : found) {
            for (const TSchedaRicevuta& r : archive) {
                if (r.NumRic == n)
                    expected << test::receiptRow(r);
            }
        }
        QCOMPARE(child<ListPanel>(&w, "panElenco")->rows(), expected);
        QCOMPARE(child<QLabel>(&w, "lblConta")->text(), count);
        QCOMPARE(child<QLabel>(&w, "lblTrovate")->text(),
                 QStringLiteral("Il presente elenco contiene %1 schede.").arg(found.size()));
        QVERIFY(child<QFrame>(&w, "panContainer")->isVisible());
        QVERIFY(!child<QFrame>(&w, "panAvvio")->isVisible());
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(&w, "txtTrova"));
        QVERIFY(scope.fake.messages.isEmpty());
    }
}

void tst_TfrmTrovaRic::archiveThatCannotBeOpenedKeepsTheCriteria()
{
    FakePlatformScope scope;
    const QString path = scope.fake.folder + QStringLiteral("/2026.ric");
    QVERIFY(QDir().mkpath(path)); // a folder where the archive should be
    TfrmTrovaRic w(nullptr, path, {});
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::mouseClick(child<QPushButton>(&w, "btnCerca"), Qt::LeftButton);
    QCOMPARE(scope.fake.messages.size(), 1);
    QCOMPARE(scope.fake.messages[0].text.left(40), QStringLiteral("Attenzione: il sistema non permette di a"));
    QVERIFY(child<QFrame>(&w, "panAvvio")->isVisible());
    QVERIFY(child<QLabel>(&w, "lblAttendere")->isVisible());
    QVERIFY(w.isVisible());
}

void tst_TfrmTrovaRic::loadTakesTheLastOfIdenticalRows()
{
    FakePlatformScope scope;
    const QString path = scope.fake.folder + QStringLiteral("/2026.ric");
    TSchedaRicevuta first = ricevuta("7", "01/02/2026", "Neri Luca", "5,00");
    TSchedaRicevuta second = first;
    // Differs only in a field the row does not show.
    first.Indirizzo = QStringLiteral("Via Roma 1");
    second.Indirizzo = QStringLiteral("Via Po 2");
    scrivi(path, {ricevuta("1", "01/01/2026", "Altro", "1,00"), first, second});

    for (const QString& mode : {QStringLiteral("ricevuta"), QStringLiteral("altro")}) {
        Loaded loaded;
        TfrmTrovaRic w(nullptr, path, [&](const TSchedaRicevuta& r, qint64 k) {
            loaded.record = r;
            loaded.k = k;
            ++loaded.calls;
        });
        w.setMode(mode);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::mouseClick(child<QPushButton>(&w, "btnCerca"), Qt::LeftButton);
        QCOMPARE(child<ListPanel>(&w, "panElenco")->count(), 3);
        doubleClickRow(child<ListPanel>(&w, "panElenco"), 2);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        // Only the receipt editor's mode loads anything.
        if (mode == QStringLiteral("ricevuta")) {
            QCOMPARE(loaded.calls, 2);
            QCOMPARE(loaded.k, 3);
            QCOMPARE(loaded.record, second);
        } else {
            QCOMPARE(loaded.calls, 0);
        }
    }
}

void tst_TfrmTrovaRic::printsTheRowsFound()
{
    FakePlatformScope scope;
    const QString path = scope.fake.folder + QStringLiteral("/2026.ric");
    scrivi(path, {ricevuta("1", "01/01/2026", "Rossi", "1,00"), ricevuta("2", "01/01/2026", "Bianchi", "2,00")});
    TfrmTrovaRic w(nullptr, path, {});
    auto* elenco = child<ListPanel>(&w, "panElenco");
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClicks(child<QLineEdit>(&w, "txtPagatore"), QStringLiteral("bianchi"));
    QTest::mouseClick(child<QPushButton>(&w, "btnCerca"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(&w, "btnStampa"), Qt::LeftButton);
    QCOMPARE(scope.fake.printed.size(), 1);
    const Report& printed = scope.fake.printed[0];
    QCOMPARE(printed.findMemo(QStringLiteral("txtTitolo"))->text(), QStringLiteral("Riepilogo ricevute emesse"));
    QCOMPARE(printed.findMemo(QStringLiteral("txtRiepilogo"))->lines, elenco->rows());
    QCOMPARE(elenco->rows().size(), 1);
}

QTEST_MAIN(tst_TfrmTrovaRic)
#include "tst_TfrmTrovaRic.moc"
