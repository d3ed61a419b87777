// The expired cards and expired certificates lists.
#include "members/TfrmCertScaduti.h"
#include "members/TfrmTessereScadute.h"
#include "shell/ListPanel.h"
#include "storage/Archives.h"
#include "storage/Messages.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

using namespace tavorel;
using tavorel::test::FakePlatformScope;

namespace {

TSchedaIscritto iscritto(const QString& nome, const QString& fineTes, const QString& studio)
{
    TSchedaIscritto m;
    m.Tiratore = nome;
    m.FineTes = fineTes;
    m.Studio = studio;
    return m;
}

void scrivi(const QString& folder, const QList<TSchedaIscritto>& records)
{
    RecordFile f;
    QVERIFY(OpenMemberArchive(folder, f));
    for (const TSchedaIscritto& m : records)
        QVERIFY(appendRecord(f, m) > 0);
}

QStringList nomi(const QStringList& rows, int width)
{
    QStringList out;
    for (const QString& r : rows)
        out << r.left(width).trimmed();
    return out;
}

} // namespace

class tst_ExpiredLists : public QObject {
    Q_OBJECT
private slots:
    void listsWhoseDateHasPassed_data();
    void listsWhoseDateHasPassed();
    void emptyListPrintsItsPage();
    void doubleClickLoadsTheMember();
};

void tst_ExpiredLists::listsWhoseDateHasPassed_data()
{
    QTest::addColumn<bool>("cards");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<int>("unreadable");
    // Today is 10/04/2024. A date that does not read, an empty one included, is passed over, the
    // members after it still listed, and the user told how many were.
    QTest::newRow("cards") << true << QStringList{"Bruni", "Rossi", "Zanna"} << 1;
    QTest::newRow("certificates") << false << QStringList{"Conti", "Rossi"} << 2;
}

void tst_ExpiredLists::listsWhoseDateHasPassed()
{
    QFETCH(bool, cards);
    QFETCH(QStringList, listed);
    QFETCH(int, unreadable);
    FakePlatformScope scope;
    scope.fake.todayValue = QDate(2024, 4, 10);
    scrivi(scope.fake.folder, {
                                  iscritto("Zanna", "09/04/2024", "10/04/2024"), // card expired yesterday
                                  iscritto("Oggi", "10/04/2024", "11/04/2024"),  // expires today: not yet
                                  iscritto("Guasto", "31/02/2024", "data?"),     // unreadable dates
                                  iscritto("Rossi", "1/1/2020", "01/01/2020"),
                                  iscritto("Conti", "01/01/2030", "09/04/2024"), // only the certificate
                                  iscritto("Bruni", "31/12/2023", ""),
                              });
    std::unique_ptr<ExpiredList> w;
    if (cards)
        w = std::make_unique<TfrmTessereScadute>(nullptr, CaricaIscritto{});
    else
        w = std::make_unique<TfrmCertScaduti>(nullptr, CaricaIscritto{});
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QCOMPARE(nomi(w->elenco->rows(), cards ? 30 : 32), listed);
    QCOMPARE(QApplication::focusWidget(), w->elenco->txtTrova);
    QCOMPARE(scope.fake.messages.size(), 1);
    QCOMPARE(scope.fake.messages[0].text, msgSchedeIlleggibili(unreadable, QStringLiteral("Archivio_Iscritti.pro")));
}

void tst_ExpiredLists::emptyListPrintsItsPage()
{
    FakePlatformScope scope;
    TfrmTessereScadute w(nullptr, {});
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(w.elenco->count(), 0);
    QTest::mouseClick(w.btnStampa, Qt::LeftButton);
    QCOMPARE(scope.fake.printed.size(), 1);
    QCOMPARE(scope.fake.printed[0].findMemo(QStringLiteral("txtTitolo"))->text(),
             QStringLiteral("Riepilogo tessere scadute"));
    QCOMPARE(scope.fake.printed[0].findMemo(QStringLiteral("txtRiepilogo"))->lineCount(), 0);
    QVERIFY(scope.fake.messages.isEmpty());
}

void tst_ExpiredLists::doubleClickLoadsTheMember()
{
    FakePlatformScope scope;
    scope.fake.todayValue = QDate(2024, 4, 10);
    TSchedaIscritto a = iscritto("Neri", "01/01/2024", "01/01/2024");
    TSchedaIscritto b = a;
    b.Note = QStringLiteral("the later one");
    scrivi(scope.fake.folder, {a, iscritto("Alti", "01/01/2030", "01/01/2030"), b});
    TSchedaIscritto loaded;
    qint64 loadedK = 0;
    TfrmCertScaduti w(nullptr, [&](const TSchedaIscritto& m, qint64 k) {
        loaded = m;
        loadedK = k;
    });
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(w.elenco->count(), 2);
    const QRect r = w.elenco->lstRecords->visualRect(w.elenco->lstRecords->model()->index(1, 0));
    QTest::mouseClick(w.elenco->lstRecords->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(w.elenco->lstRecords->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(loaded, b);
    QCOMPARE(loadedK, 3);
    QVERIFY(!w.isVisible());
}

QTEST_MAIN(tst_ExpiredLists)
#include "tst_ExpiredLists.moc"
