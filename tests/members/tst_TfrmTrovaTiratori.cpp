// The member search: sorted results, criteria, and the two ways a member is handed over.
#include "lists/ListRows.h"
#include "members/TfrmTrovaTiratori.h"
#include "shell/ListPanel.h"
#include "storage/Archives.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include <QApplication>
#include <QFile>
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

TSchedaIscritto iscritto(const QString& nome, const QString& sport, const QString& nascita = QString())
{
    TSchedaIscritto m;
    m.Tiratore = nome;
    m.Ente = sport;
    m.DataNasc = nascita;
    m.Tessera = QStringLiteral("T-") + nome.left(3);
    return m;
}

void scrivi(const QString& folder, const QList<TSchedaIscritto>& records)
{
    RecordFile f;
    QVERIFY(OpenMemberArchive(folder, f));
    for (const TSchedaIscritto& m : records)
        QVERIFY(appendRecord(f, m) > 0);
}

QStringList nomi(const QStringList& rows)
{
    QStringList out;
    for (const QString& r : rows)
        out << r.left(30).trimmed();
    return out;
}

void cerca(TfrmTrovaTiratori& w, const QString& nome, const QString& sport, const QString& nascita)
{
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClicks(child<QLineEdit>(&w, "txtTiratore"), nome);
    QTest::keyClicks(child<QLineEdit>(&w, "txtEnte"), sport);
    QTest::keyClicks(child<QLineEdit>(&w, "txtDataNasc"), nascita);
    QTest::mouseClick(child<QPushButton>(&w, "btnCerca"), Qt::LeftButton);
}

void doubleClickRow(ListPanel* panel, int row)
{
    auto* lstRecords = child<QListView>(panel, "lstRecords");
    const QRect r = lstRecords->visualRect(lstRecords->model()->index(row, 0));
    QTest::mouseClick(lstRecords->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(lstRecords->viewport(), Qt::LeftButton, {}, r.center());
}

} // namespace

class tst_TfrmTrovaTiratori : public QObject {
    Q_OBJECT
private slots:
    void searchListsSorted_data();
    void searchListsSorted();
    void missingArchiveIsCreatedEmpty();
    void enterChainAndNumberedHalos();
    void loadsTheWholeMemberOrSevenFields();
    void importTouchesOnlySevenFields();
};

void tst_TfrmTrovaTiratori::searchListsSorted_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("sport");
    QTest::addColumn<QString>("nascita");
    QTest::addColumn<QStringList>("found");
    // clang-format off
    QTest::newRow("all, accented capital after Z")
        << "" << "" << "" << QStringList{"abc Rossi", "Abc Xyz", "Bianchi Ugo", "Xyz Abc", "Zeta Ada", "Élia Neri"};
    QTest::newRow("name and sport, any case") << "ABC" << "CALCIO" << "" << QStringList{"abc Rossi", "Xyz Abc"};
    QTest::newRow("leading blank") << " abc" << "" << "" << QStringList{"Xyz Abc"};
    QTest::newRow("blanks only ignored") << "   " << "nuoto" << "" << QStringList{"Abc Xyz", "Zeta Ada"};
    QTest::newRow("dates as text") << "" << "" << "/05/" << QStringList{"Bianchi Ugo", "Élia Neri"};
    // clang-format on
}

void tst_TfrmTrovaTiratori::searchListsSorted()
{
    QFETCH(QString, nome);
    QFETCH(QString, sport);
    QFETCH(QString, nascita);
    QFETCH(QStringList, found);
    FakePlatformScope scope;
    scrivi(scope.fake.folder, {iscritto("Zeta Ada", "Nuoto"), iscritto("Élia Neri", "Tennis", "03/05/2010"),
                               iscritto("Xyz Abc", "Calcio a 5"), iscritto("abc Rossi", "calcio"),
                               iscritto("Bianchi Ugo", "Judo", "01/05/2011"), iscritto("Abc Xyz", "nuoto")});
    TfrmTrovaTiratori w(nullptr, {}, {});
    cerca(w, nome, sport, nascita);
    QCOMPARE(nomi(child<ListPanel>(&w, "panElenco")->rows()), found);
    QCOMPARE(child<QLabel>(&w, "lblTrovate")->text(),
             QStringLiteral("Il presente riepilogo contiene %1 schede").arg(found.size()));
    QVERIFY(scope.fake.messages.isEmpty());
}

void tst_TfrmTrovaTiratori::missingArchiveIsCreatedEmpty()
{
    FakePlatformScope scope;
    TfrmTrovaTiratori w(nullptr, {}, {});
    cerca(w, QString(), QString(), QString());
    QCOMPARE(child<ListPanel>(&w, "panElenco")->count(), 0);
    QCOMPARE(child<QLabel>(&w, "lblTrovate")->text(), QStringLiteral("Il presente riepilogo contiene 0 schede"));
    QVERIFY(QFile::exists(scope.fake.folder + QStringLiteral("/Archivio_Iscritti.pro")));
    // Find on the empty list says so.
    QTest::mouseClick(child<QPushButton>(&w, "btnTrova"), Qt::LeftButton);
    QCOMPARE(scope.fake.lastMessage(), QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
}

void tst_TfrmTrovaTiratori::enterChainAndNumberedHalos()
{
    FakePlatformScope scope;
    TfrmTrovaTiratori w(nullptr, {}, {});
    auto* txtTiratore = child<QLineEdit>(&w, "txtTiratore");
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    const QList<QLineEdit*> chain{txtTiratore,
                                  child<QLineEdit>(&w, "txtDataNasc"),
                                  child<QLineEdit>(&w, "txtCittadinanza"),
                                  child<QLineEdit>(&w, "txtLuogoNasc"),
                                  child<QLineEdit>(&w, "txtCodFisc"),
                                  child<QLineEdit>(&w, "txtGruppo"),
                                  child<QLineEdit>(&w, "txtTessera"),
                                  child<QLineEdit>(&w, "txtArmi"),
                                  child<QLineEdit>(&w, "txtEnte"),
                                  child<QLineEdit>(&w, "txtNote")};
    QCOMPARE(QApplication::focusWidget(), txtTiratore);
    for (int i = 1; i <= 10; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), chain[i % 10]);
        QVERIFY(
            w.findChild<QFrame*>(QStringLiteral("effCampo%1").arg(i % 10 + 1, 2, 10, QLatin1Char('0')))->isVisible());
    }
}

void tst_TfrmTrovaTiratori::loadsTheWholeMemberOrSevenFields()
{
    FakePlatformScope scope;
    TSchedaIscritto first = iscritto("Verdi Gino", "Nuoto");
    first.Note = QStringLiteral("primo");
    first.Armi = QStringLiteral("Verdi Figlio");
    first.FinePor = QStringLiteral("Via Roma 1");
    TSchedaIscritto second = first;
    second.Note = QStringLiteral("secondo"); // not in the row: the two rows are identical
    scrivi(scope.fake.folder, {iscritto("Altri", "Judo"), first, second});

    TSchedaIscritto loaded;
    qint64 loadedK = 0;
    QList<DatiPagatore> imported;
    auto caricaIscritto = [&](const TSchedaIscritto& m, qint64 k) {
        loaded = m;
        loadedK = k;
    };
    auto importa = [&](const DatiPagatore& d) { imported << d; };

    TfrmTrovaTiratori tiratori(nullptr, caricaIscritto, importa);
    tiratori.setMode(QStringLiteral("tiratori"));
    cerca(tiratori, QStringLiteral("verdi"), QString(), QString());
    doubleClickRow(child<ListPanel>(&tiratori, "panElenco"), 1);
    QCOMPARE(loaded, second);
    QCOMPARE(loadedK, 3);
    QVERIFY(imported.isEmpty());
    QVERIFY(!tiratori.isVisible());

    TfrmTrovaTiratori ricevuta(nullptr, caricaIscritto, importa);
    ricevuta.setMode(QStringLiteral("ricevuta"));
    loadedK = 0;
    cerca(ricevuta, QStringLiteral("verdi"), QString(), QString());
    doubleClickRow(child<ListPanel>(&ricevuta, "panElenco"), 0);
    QCOMPARE(loadedK, 0);
    QCOMPARE(imported.size(), 2);
    QCOMPARE(imported.last().Pagatore, QStringLiteral("Verdi Gino"));
    QCOMPARE(imported.last().Praticante, QStringLiteral("Verdi Figlio"));
    QCOMPARE(imported.last().Indirizzo, QStringLiteral("Via Roma 1"));
}

void tst_TfrmTrovaTiratori::importTouchesOnlySevenFields()
{
    TSchedaIscritto m;
    for (const auto& f : TSchedaIscritto::fields())
        m.*f.member = QStringLiteral(" m-") + QString::fromLatin1(f.name) + QLatin1Char(' ');
    TSchedaRicevuta r;
    for (const auto& f : TSchedaRicevuta::fields())
        r.*f.member = QStringLiteral("r-") + QString::fromLatin1(f.name);
    TSchedaRicevuta expected = r;
    expected.Pagatore = QStringLiteral("m-Tiratore");
    expected.CodFisc = QStringLiteral("m-CodFisc");
    expected.Sport = QStringLiteral("m-Ente");
    expected.Praticante = QStringLiteral("m-Armi");
    expected.LuogoNasc = QStringLiteral("m-Porto");
    expected.DataNasc = QStringLiteral("m-InizioPor");
    expected.Indirizzo = QStringLiteral("m-FinePor");
    DatiPagatore::daIscritto(m).applicaA(r);
    QCOMPARE(r, expected);
}

QTEST_MAIN(tst_TfrmTrovaTiratori)
#include "tst_TfrmTrovaTiratori.moc"
