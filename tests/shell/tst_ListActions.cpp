// What the list screens do with their rows: order, find, print.
#include "printing/ListTemplate.h"
#include "shell/ListActions.h"
#include "support/FakePlatform.h"

#include <QListWidget>
#include <QTest>

using namespace tavorel;
using tavorel::test::FakePlatformScope;

class tst_ListActions : public QObject {
    Q_OBJECT
private slots:
    void sortedListFoldsOnlyAtoZ();
    void findVisitsMatchesInTurn();
    void findWithoutSelectionStartsAtTheFirstRow();
    void findOnEmptyListSaysSo();
    void printPutsTheRowsUnderTheTitle();
    void incomeSummaryAsksFirst_data();
    void incomeSummaryAsksFirst();
    void printerFailureShowsItsText();
};

void tst_ListActions::sortedListFoldsOnlyAtoZ()
{
    QListWidget list;
    ListActions::riempiLista(&list, {"beta", "éclair", "Zeta", "alfa2", "Alfa"}, true);
    QCOMPARE(ListActions::righe(&list), (QStringList{"Alfa", "alfa2", "beta", "Zeta", "éclair"}));
    ListActions::riempiLista(&list, {"beta", "Alfa"}, false);
    QCOMPARE(ListActions::righe(&list), (QStringList{"beta", "Alfa"}));
}

void tst_ListActions::findVisitsMatchesInTurn()
{
    FakePlatformScope scope;
    QListWidget list;
    ListActions::riempiLista(&list, {"x", "Abc 1", "y", "ABC 2", "z abc 3"}, false);
    QString remembered;
    QList<int> visited;
    for (int i = 0; i < 4; ++i) {
        ListActions::trova(&list, &list, QStringLiteral("abc"), remembered);
        visited.append(list.currentRow());
    }
    QCOMPARE(visited, (QList<int>{1, 3, 4, 1}));
    // A new key starts again from the first row.
    ListActions::trova(&list, &list, QStringLiteral("Y"), remembered);
    QCOMPARE(list.currentRow(), 2);
    ListActions::trova(&list, &list, QStringLiteral("x"), remembered);
    QCOMPARE(list.currentRow(), 0);
    QVERIFY(scope.fake.messages.isEmpty());
}

void tst_ListActions::findWithoutSelectionStartsAtTheFirstRow()
{
    FakePlatformScope scope;
    QListWidget list;
    ListActions::riempiLista(&list, {"abc 0", "x", "abc 2", "abc 3", "abc 4"}, false);
    // Row 3 stays current but nothing is selected, as after a Ctrl+click on the selected row.
    list.setCurrentRow(3);
    list.clearSelection();
    QCOMPARE(list.currentRow(), 3);
    QString remembered = QStringLiteral("abc");
    // Searching again with nothing selected goes on from the first row, not from the current one.
    ListActions::trova(&list, &list, QStringLiteral("ABC"), remembered);
    QCOMPARE(list.currentRow(), 2);
    QVERIFY(list.item(2)->isSelected());
    QVERIFY(scope.fake.messages.isEmpty());
}

void tst_ListActions::findOnEmptyListSaysSo()
{
    FakePlatformScope scope;
    QListWidget list;
    QString remembered;
    ListActions::trova(&list, &list, QStringLiteral("abc"), remembered);
    QCOMPARE(scope.fake.messages.size(), 1);
    QCOMPARE(scope.fake.messages[0].kind, MessageKind::Plain);
    QCOMPARE(scope.fake.messages[0].text,
             QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
}

void tst_ListActions::printPutsTheRowsUnderTheTitle()
{
    FakePlatformScope scope;
    QListWidget list;
    Report report = ListTemplate::create(ListKind::Data);
    ListActions::stampa(&list, report, kTitoloTessereScadute, &list);
    ListActions::riempiLista(&list, {"uno", "due"}, false);
    ListActions::stampa(&list, report, kTitoloSchedeIscritti, &list);
    QCOMPARE(scope.fake.printed.size(), 2);
    // An empty list still prints its page, with no question asked.
    QCOMPARE(scope.fake.printed[0].findMemo(QStringLiteral("txtTitolo"))->text(), kTitoloTessereScadute);
    QCOMPARE(scope.fake.printed[0].findMemo(QStringLiteral("txtRiepilogo"))->lineCount(), 0);
    QCOMPARE(scope.fake.printed[1].findMemo(QStringLiteral("txtRiepilogo"))->lines, (QStringList{"uno", "due"}));
    QVERIFY(scope.fake.messages.isEmpty());
}

void tst_ListActions::incomeSummaryAsksFirst_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("messages");
    QTest::addColumn<bool>("printed");
    QTest::newRow("empty list refused") << QStringList{} << -1 << 1 << false;
    QTest::newRow("answered No") << QStringList{"r1"} << int(Answer::No) << 1 << false;
    QTest::newRow("answered Yes") << QStringList{"r1"} << int(Answer::Yes) << 1 << true;
}

void tst_ListActions::incomeSummaryAsksFirst()
{
    QFETCH(QStringList, rows);
    QFETCH(int, answer);
    QFETCH(int, messages);
    QFETCH(bool, printed);
    FakePlatformScope scope;
    if (answer >= 0)
        scope.fake.answers.append(Answer(answer));
    QListWidget list;
    ListActions::riempiLista(&list, rows, false);
    Report report = ListTemplate::create(ListKind::Income);
    ListActions::stampaIncassi(&list, report, &list, QStringLiteral(" dal 01/01/2026 al 31/03/2026 "),
                               QStringLiteral("150,00"));
    QCOMPARE(scope.fake.messages.size(), messages);
    QCOMPARE(scope.fake.messages[0].kind, rows.isEmpty() ? MessageKind::Warning : MessageKind::Confirmation);
    QCOMPARE(scope.fake.printed.size(), printed ? 1 : 0);
    if (printed) {
        const QStringList lines = scope.fake.printed[0].findMemo(QStringLiteral("txtRiepilogo"))->lines;
        QCOMPARE(lines, (QStringList{"r1", "- - - - - - - - - - - - - - - -",
                                     "INTERVALLO SELEZIONATO:    dal 01/01/2026 al 31/03/2026",
                                     "TOTALE IMPORTI INCASSATI:  € 150,00"}));
    }
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_ListActions::printerFailureShowsItsText()
{
    FakePlatformScope scope;
    scope.fake.printFailure = QStringLiteral("Stampante non raggiungibile");
    QListWidget list;
    Report report = ListTemplate::create(ListKind::Data);
    ListActions::stampa(&list, report, kTitoloRicevuteEmesse, &list);
    QCOMPARE(scope.fake.messages.size(), 1);
    QCOMPARE(scope.fake.messages[0].kind, MessageKind::Error);
    QCOMPARE(scope.fake.messages[0].text, QStringLiteral("Stampante non raggiungibile"));
}

QTEST_MAIN(tst_ListActions)
#include "tst_ListActions.moc"
