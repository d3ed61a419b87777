// What the list screens do with their rows: order, find, print.
#include "printing/ListTemplate.h"
#include "shell/ListActions.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include "shell/ListModel.h"
#include "shell/ListPanel.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace tavorel;
using tavorel::test::child;
using tavorel::test::FakePlatformScope;

namespace {

RowTable table(const QStringList& rows)
{
    return RowTable::fromStringList(rows);
}

// A list control as the list screens prepare it.
struct List {
    QListView view;
    ListModel* model = ListActions::preparaLista(&view);
    int current() const { return view.currentIndex().row(); }
};

} // namespace

class tst_ListActions : public QObject {
    Q_OBJECT
private slots:
    void modelHoldsTheRowsAsData();
    void listShowsRowsFixedPitchAndScrollsSideways();
    void panelWiresFindAndDoubleClick();
    void sortedListFoldsOnlyAtoZ();
    void findVisitsMatchesInTurn();
    void findWithoutSelectionStartsAtTheFirstRow();
    void findOnEmptyListSaysSo();
    void printPutsTheRowsUnderTheTitle();
    void incomeSummaryAsksFirst_data();
    void incomeSummaryAsksFirst();
    void printerFailureShowsItsText();
};

void tst_ListActions::modelHoldsTheRowsAsData()
{
    ListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    model.setRows(table({"beta", "Alfa", "éclair"}), ListModel::Order::Sorted);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.index(0).data().toString(), QStringLiteral("Alfa"));
    QCOMPARE(model.index(2).data().toString(), QStringLiteral("éclair"));
    QVERIFY(!model.index(3).isValid());
    QCOMPARE(model.rowCount(model.index(0)), 0); // a flat list
    QCOMPARE(model.flags(model.index(1)) & Qt::ItemIsEditable, Qt::NoItemFlags);
    QCOMPARE(model.longestRow(), 6);
    model.setItemSize(QSize(1600, 20));
    QCOMPARE(model.index(1).data(Qt::SizeHintRole).toSize(), QSize(1600, 20));
    model.setRows(table({"z", "a"}), ListModel::Order::AsGiven);
    QCOMPARE(model.rows().toStringList(), (QStringList{"z", "a"}));
    model.clear();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.rowText(0), QString());
    QCOMPARE(resets.size(), 3);
}

void tst_ListActions::listShowsRowsFixedPitchAndScrollsSideways()
{
    List list;
    QVERIFY(QFontInfo(list.view.font()).fixedPitch());
    QCOMPARE(list.view.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    ListActions::riempiLista(&list.view, table({"corta"}), false);
    QCOMPARE(list.model->index(0).data(Qt::SizeHintRole).toSize().width(), 1600);
    // A row longer than 1600 units widens every row instead of being cut.
    ListActions::riempiLista(&list.view, table({QString(300, QLatin1Char('x'))}), false);
    const int wide = list.model->index(0).data(Qt::SizeHintRole).toSize().width();
    QVERIFY(wide >= QFontMetrics(list.view.font()).horizontalAdvance(QString(300, QLatin1Char('x'))));
    list.view.resize(400, 200);
    list.view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list.view));
    QVERIFY(list.view.horizontalScrollBar()->maximum() >= wide - 400);
}

void tst_ListActions::panelWiresFindAndDoubleClick()
{
    FakePlatformScope scope;
    QWidget screen;
    auto* panel = new ListPanel(&screen, QStringLiteral("BANNER"), QStringLiteral("hint"));
    auto* btnTrova = child<QPushButton>(panel, "btnTrova");
    auto* lstRecords = child<QListView>(panel, "lstRecords");
    auto* txtTrova = child<QLineEdit>(panel, "txtTrova");
    panel->resize(600, 400);
    panel->setRows(table({"Rossi Abc", "Bianchi", "abc Verdi"}), ListModel::Order::Sorted);
    screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    txtTrova->setFocus();
    QTest::keyClicks(txtTrova, QStringLiteral("ABC"));
    QTest::keyClick(txtTrova, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), btnTrova);
    QTest::mouseClick(btnTrova, Qt::LeftButton);
    QString row;
    QVERIFY(panel->selectedRow(row));
    QCOMPARE(row, QStringLiteral("abc Verdi"));
    QTest::mouseClick(btnTrova, Qt::LeftButton);
    QVERIFY(panel->selectedRow(row));
    QCOMPARE(row, QStringLiteral("Rossi Abc"));

    QSignalSpy chosen(panel, &ListPanel::rigaScelta);
    const QRect second = lstRecords->visualRect(lstRecords->model()->index(1, 0));
    QTest::mouseClick(lstRecords->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(lstRecords->viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(chosen.size(), 1);
    QVERIFY(panel->selectedRow(row));
    QCOMPARE(row, QStringLiteral("Bianchi"));

    // Shown again: the key is forgotten, so the same text starts over from the first row.
    panel->azzeraTrova();
    QCOMPARE(txtTrova->text(), QString());
    QCOMPARE(panel->rememberedKey(), QString());
    QVERIFY(scope.fake.messages.isEmpty());
}

void tst_ListActions::sortedListFoldsOnlyAtoZ()
{
    List list;
    ListActions::riempiLista(&list.view, table({"beta", "éclair", "Zeta", "alfa2", "Alfa"}), true);
    QCOMPARE(ListActions::righe(&list.view).toStringList(), (QStringList{"Alfa", "alfa2", "beta", "Zeta", "éclair"}));
    ListActions::riempiLista(&list.view, table({"beta", "Alfa"}), false);
    QCOMPARE(ListActions::righe(&list.view).toStringList(), (QStringList{"beta", "Alfa"}));
}

void tst_ListActions::findVisitsMatchesInTurn()
{
    FakePlatformScope scope;
    List list;
    ListActions::riempiLista(&list.view, table({"x", "Abc 1", "y", "ABC 2", "z abc 3"}), false);
    QString remembered;
    QList<int> visited;
    for (int i = 0; i < 4; ++i) {
        ListActions::trova(&list.view, &list.view, QStringLiteral("abc"), remembered);
        visited.append(list.current());
    }
    QCOMPARE(visited, (QList<int>{1, 3, 4, 1}));
    // A new key starts again from the first row.
    ListActions::trova(&list.view, &list.view, QStringLiteral("Y"), remembered);
    QCOMPARE(list.current(), 2);
    ListActions::trova(&list.view, &list.view, QStringLiteral("x"), remembered);
    QCOMPARE(list.current(), 0);
    QVERIFY(scope.fake.messages.isEmpty());
}

void tst_ListActions::findWithoutSelectionStartsAtTheFirstRow()
{
    FakePlatformScope scope;
    List list;
    ListActions::riempiLista(&list.view, table({"abc 0", "x", "abc 2", "abc 3", "abc 4"}), false);
    // Row 3 stays current but nothing is selected, as after a Ctrl+click on the selected row.
    list.view.setCurrentIndex(list.model->index(3));
    list.view.clearSelection();
    QCOMPARE(list.current(), 3);
    QString remembered = QStringLiteral("abc");
    // Searching again with nothing selected goes on from the first row, not from the current one.
    ListActions::trova(&list.view, &list.view, QStringLiteral("ABC"), remembered);
    QCOMPARE(list.current(), 2);
    QVERIFY(list.view.selectionModel()->isRowSelected(2));
    QVERIFY(scope.fake.messages.isEmpty());
}

void tst_ListActions::findOnEmptyListSaysSo()
{
    FakePlatformScope scope;
    List list;
    QString remembered;
    ListActions::trova(&list.view, &list.view, QStringLiteral("abc"), remembered);
    QCOMPARE(scope.fake.messages.size(), 1);
    QCOMPARE(scope.fake.messages[0].kind, MessageKind::Plain);
    QCOMPARE(scope.fake.messages[0].text,
             QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
}

void tst_ListActions::printPutsTheRowsUnderTheTitle()
{
    FakePlatformScope scope;
    List list;
    Report report = ListTemplate::create(ListKind::Data);
    ListActions::stampa(&list.view, report, kTitoloTessereScadute, &list.view);
    ListActions::riempiLista(&list.view, table({"uno", "due"}), false);
    ListActions::stampa(&list.view, report, kTitoloSchedeIscritti, &list.view);
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
    List list;
    ListActions::riempiLista(&list.view, table(rows), false);
    Report report = ListTemplate::create(ListKind::Income);
    ListActions::stampaIncassi(&list.view, report, &list.view, QStringLiteral(" dal 01/01/2026 al 31/03/2026 "),
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
    List list;
    Report report = ListTemplate::create(ListKind::Data);
    ListActions::stampa(&list.view, report, kTitoloRicevuteEmesse, &list.view);
    QCOMPARE(scope.fake.messages.size(), 1);
    QCOMPARE(scope.fake.messages[0].kind, MessageKind::Error);
    QCOMPARE(scope.fake.messages[0].text, QStringLiteral("Stampante non raggiungibile"));
}

QTEST_MAIN(tst_ListActions)
#include "tst_ListActions.moc"
