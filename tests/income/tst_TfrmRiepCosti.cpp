// The income summary list: what it shows for a request, find with the key it keeps from one
// summary to the next, and its answers on an empty summary.
#include "income/TfrmRiepCosti.h"
#include "printing/ListTemplate.h"
#include "shell/ListPanel.h"
#include "storage/RecordLayout.h"
#include "storage/TSchedaRicevuta.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

using namespace tavorel;
using tavorel::test::child;
using tavorel::test::FakePlatformScope;

namespace {

QString writeArchive(const QString& folder, const QList<QStringList>& receipts)
{
    const QString path = folder + QStringLiteral("/2026.ric");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    for (const QStringList& r : receipts) {
        TSchedaRicevuta rec;
        rec.NumRic = r[0];
        rec.Data = r[1];
        rec.Intero = r[2];
        rec.Pagatore = r[3];
        rec.Sport = r.value(4, QStringLiteral("Nuoto"));
        f.write(encodeRecord(rec));
    }
    return path;
}

// The receipt number of the selected row, or "" when none is selected.
QString selectedNumber(TfrmRiepCosti& list)
{
    QString row;
    return child<ListPanel>(&list, "panElenco")->selectedRow(row) ? row.mid(8, 12).trimmed() : QString();
}

void trova(TfrmRiepCosti& list, const QString& key)
{
    auto* txtTrova = child<QLineEdit>(&list, "txtTrova");
    txtTrova->clear();
    QTest::keyClicks(txtTrova, key);
    QTest::mouseClick(child<QPushButton>(&list, "btnTrova"), Qt::LeftButton);
}

} // namespace

class tst_TfrmRiepCosti : public QObject {
    Q_OBJECT
private slots:
    void init() { TfrmRiepCosti::chiaveRicordata().clear(); }
    void showsTheRowsTheIntervalAndTheTotal_data();
    void showsTheRowsTheIntervalAndTheTotal();
    void findWalksWrapsAndKeepsItsKeyFromOneSummaryToTheNext();
    void emptySummaryRefusesFindAndPrint();
    void printsTheRowsWithIntervalAndTotal();
};

void tst_TfrmRiepCosti::showsTheRowsTheIntervalAndTheTotal_data()
{
    QTest::addColumn<QString>("pagatore");
    QTest::addColumn<QString>("sport");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("tipologia");
    QTest::addColumn<QString>("conta");
    QTest::addColumn<QString>("total");
    // clang-format off
    QTest::newRow("no filter")            << ""       << ""     << 3 << "- - -" << "0" << "150,30";
    QTest::newRow("payer, shown trimmed") << "rossi " << ""     << 2 << "rossi" << "1" << "150,10";
    QTest::newRow("payer and sport")      << "rossi"  << "judo" << 1 << "rossi" << "2" << "0,10";
    QTest::newRow("nothing found")        << "verdi"  << ""     << 0 << "verdi" << "1" << "0,00";
    // clang-format on
}

void tst_TfrmRiepCosti::showsTheRowsTheIntervalAndTheTotal()
{
    QFETCH(QString, pagatore);
    QFETCH(QString, sport);
    QFETCH(int, rows);
    QFETCH(QString, tipologia);
    QFETCH(QString, conta);
    QFETCH(QString, total);

    FakePlatformScope scope;
    const QString path = writeArchive(scope.fake.folder, {{"1", "01/03/2026", "0,10", "Rossi Marco", "Judo"},
                                                          {"2", "15/03/2026", "0,20", "Bianchi Anna"},
                                                          {"3", "31/03/2026", "150,00", "De Rossi Ugo"},
                                                          {"4", "01/04/2026", "99,00", "Rossi Marco"}});
    TfrmRiepCosti list(nullptr, {pagatore, sport, "01/03/2026", "31/03/2026", path});
    QVERIFY(list.carica());
    QCOMPARE(child<ListPanel>(&list, "panElenco")->count(), rows);
    QCOMPARE(child<QLabel>(&list, "titTipologia")->text(), tipologia);
    QCOMPARE(child<QLabel>(&list, "lblConta")->text(), conta);
    QCOMPARE(child<QLabel>(&list, "lblIntervallo")->text(), QStringLiteral("Dal   01/03/2026   al   31/03/2026"));
    QCOMPARE(child<QLabel>(&list, "lblTotCosti")->text(), total);
    QCOMPARE(child<QLabel>(&list, "lblFile")->text(), path);
}

void tst_TfrmRiepCosti::findWalksWrapsAndKeepsItsKeyFromOneSummaryToTheNext()
{
    FakePlatformScope scope;
    const QString path = writeArchive(scope.fake.folder, {{"1", "02/03/2026", "10,00", "Rossi Marco"},
                                                          {"2", "03/03/2026", "10,00", "Bianchi Anna"},
                                                          {"3", "04/03/2026", "10,00", "De Rossi Ugo"},
                                                          {"4", "05/03/2026", "10,00", "ROSSINI Pia"}});
    const TfrmRiepCosti::Richiesta richiesta{"", "", "01/03/2026", "31/03/2026", path};
    {
        TfrmRiepCosti list(nullptr, richiesta);
        QVERIFY(list.carica());
        list.show();
        QStringList found;
        for (int i = 0; i < 4; ++i) {
            trova(list, "rossi");
            found << selectedNumber(list);
        }
        QCOMPARE(found, (QStringList{"1", "3", "4", "1"}));
        // Another key starts again from the first row.
        trova(list, "ANNA");
        QCOMPARE(selectedNumber(list), QStringLiteral("2"));
        trova(list, "rossi");
        QCOMPARE(selectedNumber(list), QStringLiteral("1"));
    }
    // The next summary knows the key: the same text goes on after the first row instead of
    // starting a new search there.
    TfrmRiepCosti list(nullptr, richiesta);
    QVERIFY(list.carica());
    list.show();
    QVERIFY(child<QLineEdit>(&list, "txtTrova")->text().isEmpty());
    trova(list, "rossi");
    QCOMPARE(selectedNumber(list), QStringLiteral("3"));
    QVERIFY(scope.fake.messages.isEmpty());
}

void tst_TfrmRiepCosti::emptySummaryRefusesFindAndPrint()
{
    FakePlatformScope scope;
    TfrmRiepCosti list(nullptr, {"", "", "01/03/2026", "31/03/2026", scope.fake.folder + "/2026.ric"});
    QVERIFY(list.carica());
    list.show();
    QCOMPARE(child<ListPanel>(&list, "panElenco")->count(), 0);
    QCOMPARE(child<QLabel>(&list, "lblTotCosti")->text(), QStringLiteral("0,00"));
    QCOMPARE(child<QLabel>(&list, "lblIntervallo")->text(), QStringLiteral("Dal   01/03/2026   al   31/03/2026"));

    trova(list, "rossi");
    QTest::mouseClick(child<QPushButton>(&list, "btnStampa"), Qt::LeftButton);
    QCOMPARE(scope.fake.messages.size(), 2);
    QCOMPARE(scope.fake.messages[0].kind, MessageKind::Plain);
    QCOMPARE(scope.fake.messages[0].text,
             QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
    QCOMPARE(scope.fake.messages[1].kind, MessageKind::Warning);
    QCOMPARE(scope.fake.messages[1].text,
             QStringLiteral("Operazione di stampa non applicabile: il riepilogo non contiene nessuna voce."));
    QVERIFY(scope.fake.printed.isEmpty());
}

void tst_TfrmRiepCosti::printsTheRowsWithIntervalAndTotal()
{
    FakePlatformScope scope;
    const QString path = writeArchive(
        scope.fake.folder, {{"1", "02/03/2026", "0,10", "Rossi Marco"}, {"2", "03/03/2026", "0,20", "Bianchi Anna"}});
    TfrmRiepCosti list(nullptr, {"", "", "01/03/2026", "31/03/2026", path});
    QVERIFY(list.carica());
    list.show();
    scope.fake.answers << Answer::Yes;
    QTest::mouseClick(child<QPushButton>(&list, "btnStampa"), Qt::LeftButton);
    QCOMPARE(scope.fake.lastMessage(), QStringLiteral("Si vuole stampare il presente riepilogo?"));
    QCOMPARE(scope.fake.printed.size(), 1);
    const Report& report = scope.fake.printed[0];
    QCOMPARE(report.findMemo("txtTitolo")->text(), QStringLiteral("Riepilogo incassi"));
    const QStringList lines = report.findMemo("txtRiepilogo")->lines;
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines.mid(0, 2), child<ListPanel>(&list, "panElenco")->rows());
    QCOMPARE(lines.mid(2), (QStringList{"- - - - - - - - - - - - - - - -",
                                        "INTERVALLO SELEZIONATO:    Dal   01/03/2026   al   31/03/2026",
                                        "TOTALE IMPORTI INCASSATI:  € 0,30"}));
    QVERIFY(scope.fake.verifyConsumed());
}

QTEST_MAIN(tst_TfrmRiepCosti)
#include "tst_TfrmRiepCosti.moc"
