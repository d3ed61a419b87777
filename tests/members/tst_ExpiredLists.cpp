// The expired cards and expired certificates lists.
#include "members/TfrmCertScaduti.h"
#include "members/TfrmTessereScadute.h"
#include "shell/ListPanel.h"
#include "storage/Archives.h"
#include "storage/Messages.h"
#include "support/FakePlatform.h"
#include "support/RowOracle.h"
#include "support/Screens.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

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

std::unique_ptr<ExpiredList> elenco(bool cards, CaricaIscritto carica = {})
{
    if (cards)
        return std::make_unique<TfrmTessereScadute>(nullptr, std::move(carica));
    return std::make_unique<TfrmCertScaduti>(nullptr, std::move(carica));
}

template <typename T>
T* control(QWidget* w, const char* name)
{
    auto* c = w->findChild<T*>(QString::fromLatin1(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}

void mostra(ExpiredList& w, bool ticked)
{
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    if (ticked)
        QTest::mouseClick(control<QCheckBox>(&w, "chkInScadenza"), Qt::LeftButton);
}

// A member of the reminder tests: "name|e-mail|certificate expiry".
TSchedaIscritto daRiga(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('|'));
    TSchedaIscritto m = iscritto(parts[0], parts[2], parts[2]);
    m.Email = parts[1];
    m.Cel = QStringLiteral("333 1234567");
    return m;
}

struct Messaggio {
    QStringList bcc;
    QString subject;
    QString body;
};

Messaggio apri(const QString& link)
{
    const QUrl url(link, QUrl::StrictMode);
    const QUrlQuery query(url);
    Messaggio m;
    const QString bcc = query.queryItemValue(QStringLiteral("bcc"), QUrl::FullyDecoded);
    if (!bcc.isEmpty())
        m.bcc = bcc.split(QLatin1Char(','));
    m.subject = query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded);
    m.body = query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded);
    if (url.scheme() != QLatin1String("mailto") || !url.path().isEmpty() || query.queryItems().size() != 3)
        m.subject = QStringLiteral("not a Bcc-only mailto: ") + link;
    return m;
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
    void doubleClickLoadsTheMember_data();
    void doubleClickLoadsTheMember();
    void tickAddsTheExpiringWithTheirDaysLeft_data();
    void tickAddsTheExpiringWithTheirDaysLeft();
    void daysTypedBuildTheListAgain_data();
    void daysTypedBuildTheListAgain();
    void reminderGoesToTheListedInBcc_data();
    void reminderGoesToTheListedInBcc();
    void longReminderIsSplitAndEachPartAskedFor();
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
    QCOMPARE(nomi(test::child<ListPanel>(w.get(), "panElenco")->rows(), cards ? 30 : 32), listed);
    QCOMPARE(QApplication::focusWidget(), test::child<QLineEdit>(w.get(), "txtTrova"));
    QCOMPARE(scope.fake.messages.size(), 1);
    QCOMPARE(scope.fake.messages[0].text, msgSchedeIlleggibili(unreadable, QStringLiteral("Archivio_Iscritti.pro")));
}

void tst_ExpiredLists::emptyListPrintsItsPage()
{
    FakePlatformScope scope;
    TfrmTessereScadute w(nullptr, {});
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(test::child<ListPanel>(&w, "panElenco")->count(), 0);
    QTest::mouseClick(test::child<QPushButton>(&w, "btnStampa"), Qt::LeftButton);
    QCOMPARE(scope.fake.printed.size(), 1);
    QCOMPARE(scope.fake.printed[0].findMemo(QStringLiteral("txtTitolo"))->text(),
             QStringLiteral("Riepilogo tessere scadute"));
    QCOMPARE(scope.fake.printed[0].findMemo(QStringLiteral("txtRiepilogo"))->lineCount(), 0);
    QVERIFY(scope.fake.messages.isEmpty());
}

void tst_ExpiredLists::doubleClickLoadsTheMember_data()
{
    QTest::addColumn<bool>("ticked");
    QTest::newRow("ended only") << false;
    // The row chosen holds the days left, and is found again with them.
    QTest::newRow("with the expiring") << true;
}

void tst_ExpiredLists::doubleClickLoadsTheMember()
{
    QFETCH(bool, ticked);
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
    mostra(w, ticked);
    QCOMPARE(test::child<ListPanel>(&w, "panElenco")->count(), 2);
    QCOMPARE(test::child<ListPanel>(&w, "panElenco")->rows()[1].contains(QStringLiteral("Giorni:  -100")), ticked);
    const QRect r = test::child<QListView>(&w, "lstRecords")
                        ->visualRect(test::child<QListView>(&w, "lstRecords")->model()->index(1, 0));
    QTest::mouseClick(test::child<QListView>(&w, "lstRecords")->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(test::child<QListView>(&w, "lstRecords")->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(loaded, b);
    QCOMPARE(loadedK, 3);
    QVERIFY(!w.isVisible());
}

void tst_ExpiredLists::tickAddsTheExpiringWithTheirDaysLeft_data()
{
    QTest::addColumn<bool>("cards");
    QTest::addColumn<QString>("expiry");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<QString>("days");
    // Today is 10/12/2026; the tick looks 30 days ahead. A date that does not read is never listed
    // and is told as before.
    // clang-format off
    QTest::newRow("certificate yesterday")      << false << "09/12/2026" << false << true  << "";
    QTest::newRow("certificate today")          << false << "10/12/2026" << false << false << "";
    QTest::newRow("certificate yesterday, tick")<< false << "09/12/2026" << true  << true  << "   -1";
    QTest::newRow("certificate today, tick")    << false << "10/12/2026" << true  << true  << "    0";
    QTest::newRow("certificate today + N")      << false << "9/1/2027"   << true  << true  << "   30";
    QTest::newRow("certificate today + N + 1")  << false << "10/01/2027" << true  << false << "";
    QTest::newRow("certificate years ago")      << false << "01/01/2000" << true  << true  << "-9840";
    QTest::newRow("certificate empty, tick")    << false << ""           << true  << false << "";
    QTest::newRow("card yesterday, tick")       << true  << "09/12/2026" << true  << true  << "   -1";
    QTest::newRow("card today + N")             << true  << "09/01/2027" << true  << true  << "   30";
    QTest::newRow("card today + N + 1")         << true  << "10/01/2027" << true  << false << "";
    QTest::newRow("card unreadable, tick")      << true  << "31/11/2026" << true  << false << "";
    // clang-format on
}

void tst_ExpiredLists::tickAddsTheExpiringWithTheirDaysLeft()
{
    QFETCH(bool, cards);
    QFETCH(QString, expiry);
    QFETCH(bool, ticked);
    QFETCH(bool, listed);
    QFETCH(QString, days);
    FakePlatformScope scope;
    TSchedaIscritto m =
        iscritto(QStringLiteral("Verdi Anna"), QStringLiteral("01/01/2030"), QStringLiteral("01/01/2030"));
    (cards ? m.FineTes : m.Studio) = expiry;
    m.Quota = QStringLiteral("35,00");
    m.Ente = QStringLiteral("Nuoto agonistico categoria ragazzi");
    m.Tessera = QStringLiteral("FIN-2026-000123456789");
    m.Cel = QStringLiteral("333 1234567");
    scrivi(scope.fake.folder, {m});
    auto w = elenco(cards);
    mostra(*w, ticked);

    QStringList expected;
    if (listed) {
        // The row as the list has always shown it, with the days left right after the tested date.
        QString row = cards ? test::memberRow(m) : test::certificateRow(m);
        // Ticked, the widest free column is narrowed so that the row still fits the printed page.
        if (ticked) {
            row.remove(cards ? 103 : 111, cards ? 10 : 12);
            const int at = cards ? 121 : 142;
            row = row.leftJustified(at).insert(at, QStringLiteral("  Giorni: ") + days);
            QVERIFY(row.size() <= 160);
        }
        expected << row;
    }
    QCOMPARE(test::child<ListPanel>(w.get(), "panElenco")->rows(), expected);
    const bool unreadable = !QDate::fromString(expiry, QStringLiteral("d/M/yyyy")).isValid();
    // Told each time the list is built: on show, and again when the tick builds it anew.
    QCOMPARE(scope.fake.messages.size(), unreadable ? (ticked ? 2 : 1) : 0);
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_ExpiredLists::daysTypedBuildTheListAgain_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("printedTitle");
    // Certificates ended 5 days ago and ending in 10, 45 and 200 days. A number out of 1-366 is
    // refused, and the list and its days stay as they were.
    const QString refused = QStringLiteral("30");
    // clang-format off
    QTest::newRow("60")    << "60"  << "60"    << 3 << "Riepilogo certificati medici scaduti e in scadenza entro 60 giorni";
    QTest::newRow("1")     << "1"   << "1"     << 1 << "Riepilogo certificati medici scaduti e in scadenza entro 1 giorno";
    QTest::newRow("366")   << "366" << "366"   << 4 << "Riepilogo certificati medici scaduti e in scadenza entro 366 giorni";
    QTest::newRow("0")     << "0"   << refused << 2 << "Riepilogo certificati medici scaduti e in scadenza entro 30 giorni";
    QTest::newRow("367")   << "367" << refused << 2 << "Riepilogo certificati medici scaduti e in scadenza entro 30 giorni";
    QTest::newRow("empty") << ""    << refused << 2 << "Riepilogo certificati medici scaduti e in scadenza entro 30 giorni";
    QTest::newRow("letters are not typed") << "6x0" << "60" << 3
        << "Riepilogo certificati medici scaduti e in scadenza entro 60 giorni";
    // clang-format on
}

void tst_ExpiredLists::daysTypedBuildTheListAgain()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, rows);
    QFETCH(QString, printedTitle);
    FakePlatformScope scope;
    const QDate today = scope.fake.todayValue;
    QList<TSchedaIscritto> members;
    for (int d : {-5, 10, 45, 200})
        members << iscritto(QStringLiteral("Giorni %1").arg(d), QString(),
                            today.addDays(d).toString(QStringLiteral("dd/MM/yyyy")));
    scrivi(scope.fake.folder, members);
    TfrmCertScaduti w(nullptr, {});
    mostra(w, true);
    QCOMPARE(test::child<ListPanel>(&w, "panElenco")->count(), 2);

    auto* giorni = control<QLineEdit>(&w, "txtGiorni");
    QCOMPARE(giorni->text(), QStringLiteral("30"));
    giorni->setFocus();
    giorni->selectAll();
    QTest::keyClick(giorni, Qt::Key_Delete);
    QTest::keyClicks(giorni, typed);
    QTest::keyClick(giorni, Qt::Key_Return);
    const bool refused = shown == QStringLiteral("30");
    if (refused) {
        QCOMPARE(scope.fake.messages.size(), 1);
        QCOMPARE(scope.fake.messages[0].kind, MessageKind::Warning);
        QCOMPARE(scope.fake.messages[0].text, kMsgGiorniInScadenza);
        QCOMPARE(QApplication::focusWidget(), giorni);
    } else {
        QVERIFY(scope.fake.messages.isEmpty());
    }
    QCOMPARE(giorni->text(), shown);
    QCOMPARE(test::child<ListPanel>(&w, "panElenco")->count(), rows);

    QTest::mouseClick(test::child<QPushButton>(&w, "btnStampa"), Qt::LeftButton);
    QCOMPARE(scope.fake.printed.size(), 1);
    QCOMPARE(scope.fake.printed[0].findMemo(QStringLiteral("txtTitolo"))->text(), printedTitle);
    QCOMPARE(scope.fake.printed[0].findMemo(QStringLiteral("txtRiepilogo"))->lineCount(), rows);
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_ExpiredLists::reminderGoesToTheListedInBcc_data()
{
    QTest::addColumn<bool>("cards");
    QTest::addColumn<QStringList>("members");
    QTest::addColumn<QStringList>("bcc");
    QTest::addColumn<QString>("bodySays");
    QTest::addColumn<QString>("afterwards");
    // Today is 10/12/2026 and the list shows the ended ones only: "Futuro" is not listed.
    const QString futuro = QStringLiteral("Futuro|futuro@club.it|01/01/2030");
    // clang-format off
    QTest::newRow("one member: the date")
        << false << QStringList{"Rossi Ada|ada@club.it|05/12/2026", futuro}
        << QStringList{"ada@club.it"}
        << "il Suo certificato medico per l'attività sportiva è scaduto il 05/12/2026."
        << "";
    QTest::newRow("one card: the date")
        << true << QStringList{"Rossi Ada|ada@club.it|05/12/2026", futuro}
        << QStringList{"ada@club.it"}
        << "la Sua tessera associativa è scaduta il 05/12/2026."
        << "";
    QTest::newRow("several, one without an address")
        << false << QStringList{"Bassi Carlo|carlo@club.it|01/12/2026", "Neri Pia| |02/12/2026",
                                "Alti Bea|bea@club.it|03/12/2026", futuro}
        << QStringList{"bea@club.it", "carlo@club.it"}
        << "il Suo certificato medico per l'attività sportiva è scaduto.\r\n"
        << msgScriviATuttiSenzaIndirizzo({"Neri Pia (cel. 333 1234567)"}, true);
    QTest::newRow("a shared address once")
        << false << QStringList{"Gallo Ugo|Casa@Club.it|01/12/2026", "Gallo Eva|casa@club.it|02/12/2026"}
        << QStringList{"casa@club.it"}
        << "è scaduto." << "";
    QTest::newRow("an address cannot add a header")
        << false << QStringList{"Furbo Leo|leo@club.it&cc=tutti@club.it|01/12/2026"}
        << QStringList{"leo@club.it&cc=tutti@club.it"} << "scaduto il 01/12/2026" << "";
    QTest::newRow("nobody has an address")
        << false << QStringList{"Neri Pia|pia|02/12/2026", "Bassi Carlo||01/12/2026"}
        << QStringList{} << ""
        << msgScriviATuttiSenzaIndirizzo({"Bassi Carlo (cel. 333 1234567)", "Neri Pia (cel. 333 1234567)"}, false);
    QTest::newRow("empty list") << false << QStringList{futuro} << QStringList{} << "" << kMsgScriviATuttiVuoto;
    // clang-format on
}

void tst_ExpiredLists::reminderGoesToTheListedInBcc()
{
    QFETCH(bool, cards);
    QFETCH(QStringList, members);
    QFETCH(QStringList, bcc);
    QFETCH(QString, bodySays);
    QFETCH(QString, afterwards);
    FakePlatformScope scope;
    QList<TSchedaIscritto> records;
    for (const QString& m : members)
        records << daRiga(m);
    scrivi(scope.fake.folder, records);
    auto w = elenco(cards);
    mostra(*w, false);
    QTest::mouseClick(control<QPushButton>(w.get(), "btnEmail"), Qt::LeftButton);

    QCOMPARE(scope.fake.opened.size(), bcc.isEmpty() ? 0 : 1);
    if (!bcc.isEmpty()) {
        const Messaggio m = apri(scope.fake.opened[0]);
        QCOMPARE(m.bcc, bcc);
        QCOMPARE(m.subject,
                 cards ? QStringLiteral("Rinnovo della tessera") : QStringLiteral("Rinnovo del certificato medico"));
        QVERIFY2(m.body.contains(bodySays), qPrintable(m.body));
        QVERIFY(m.body.startsWith(QStringLiteral("Gentile socia, gentile socio,\r\n")));
        QVERIFY(m.body.contains(QStringLiteral("segreteria")));
    }
    QCOMPARE(scope.fake.lastMessage(), afterwards);
    QCOMPARE(scope.fake.messages.size(), afterwards.isEmpty() ? 0 : 1);
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_ExpiredLists::longReminderIsSplitAndEachPartAskedFor()
{
    FakePlatformScope scope;
    QList<TSchedaIscritto> records;
    QStringList addresses;
    for (int i = 0; i < 150; ++i) {
        addresses << QStringLiteral("socio.numero%1@associazione-sportiva.it").arg(i, 3, 10, QLatin1Char('0'));
        records << daRiga(
            QStringLiteral("Socio %1|%2|01/12/2026").arg(i, 3, 10, QLatin1Char('0')).arg(addresses.last()));
    }
    scrivi(scope.fake.folder, records);
    TfrmCertScaduti w(nullptr, {});
    mostra(w, false);
    auto* email = control<QPushButton>(&w, "btnEmail");

    // Every part asked for and opened: every address once, in list order, each link short enough.
    QTest::mouseClick(email, Qt::LeftButton);
    const int parts = int(scope.fake.opened.size());
    QVERIFY(parts >= 3);
    QStringList written;
    for (const QString& link : std::as_const(scope.fake.opened)) {
        QVERIFY(link.size() < 2000);
        const Messaggio m = apri(link);
        QVERIFY(m.body.contains(QStringLiteral("è scaduto.")));
        written += m.bcc;
    }
    QCOMPARE(written, addresses);
    QCOMPARE(scope.fake.messages.size(), parts);
    for (int i = 0; i < parts; ++i) {
        QCOMPARE(scope.fake.messages[i].kind, MessageKind::Confirmation);
        QCOMPARE(scope.fake.messages[i].text, msgScriviATuttiParte(i + 1, parts));
    }

    // "No" to the second part: the first opens, nothing after it.
    scope.fake.opened.clear();
    scope.fake.messages.clear();
    scope.fake.answers = {Answer::Yes, Answer::No};
    QTest::mouseClick(email, Qt::LeftButton);
    QCOMPARE(scope.fake.opened.size(), 1);
    QCOMPARE(scope.fake.messages.size(), 2);
    QVERIFY(scope.fake.verifyConsumed());
}

QTEST_MAIN(tst_ExpiredLists)
#include "tst_ExpiredLists.moc"
