// The main menu: every picture leads where it says, the menu steps aside for the apps, and both ways
// out end the program.
#include "shell/Colors.h"
#include "shell/TfrmAvvio.h"
#include "storage/Archives.h"
#include "storage/TSchedaIscritto.h"
#include "support/FakePlatform.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <vector>

using namespace tavorel;
using namespace Qt::StringLiterals;
using tavorel::test::FakePlatformScope;

namespace {

const char* const kSignals[] = {
    SIGNAL(apriArchivioIscritti()), SIGNAL(apriStampaRicevute()), SIGNAL(apriRiepilogoIncassi()), SIGNAL(apriInfo()),
    SIGNAL(apriCrediti()),          SIGNAL(apriGuida()),          SIGNAL(apriCopieSicurezza()),
};

// One spy per menu signal, so a test can tell that exactly the expected one fired.
struct Spies {
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    explicit Spies(TfrmAvvio* menu)
    {
        for (const char* s : kSignals)
            spies.push_back(std::make_unique<QSignalSpy>(menu, s));
    }
    QStringList fired() const
    {
        QStringList names;
        for (size_t i = 0; i < spies.size(); ++i)
            for (int n = 0; n < spies[i]->count(); ++n)
                names.append(QString::fromLatin1(kSignals[i] + 1));
        return names;
    }
};

void showMenu(TfrmAvvio& menu)
{
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
}

QAbstractButton* control(TfrmAvvio& menu, const QString& name)
{
    auto* b = menu.findChild<QAbstractButton*>(name);
    if (!b)
        qFatal("no control %s", qPrintable(name));
    return b;
}

// Members with their certificate and card expiry dates, "studio|fineTes".
void writeMembers(const QString& folder, const QStringList& dates)
{
    RecordFile f;
    QVERIFY(OpenMemberArchive(folder, f));
    for (const QString& d : dates) {
        TSchedaIscritto m;
        m.Tiratore = u"Socio"_s;
        m.Studio = d.section(u'|', 0, 0);
        m.FineTes = d.section(u'|', 1, 1);
        QVERIFY(appendRecord(f, m) > 0);
    }
}

// Shows the menu and waits until the notice has been worked out.
QLabel* shownNotice(TfrmAvvio& menu)
{
    QSignalSpy counted(&menu, &TfrmAvvio::scadenzeAggiornate);
    showMenu(menu);
    if (counted.isEmpty() && !counted.wait(5000))
        qFatal("the notice was never worked out");
    return menu.findChild<QLabel*>(u"lblScadenze"_s);
}

} // namespace

class tst_TfrmAvvio : public QObject {
    Q_OBJECT
private slots:
    void clickLeadsWhereItSays_data();
    void clickLeadsWhereItSays();
    void waysOutEndTheProgram_data();
    void waysOutEndTheProgram();
    void siteBannerOpensTheMakersSite();
    void everyClickablePictureShowsTheHand();
    void panelBorderShowsTheMouseOverItsApp_data();
    void panelBorderShowsTheMouseOverItsApp();
    void noticeTellsWhoMustRenew_data();
    void noticeTellsWhoMustRenew();
    void noticeIsWorkedOutAgainWhenTheMenuIsBack();
};

void tst_TfrmAvvio::clickLeadsWhereItSays_data()
{
    // clang-format off
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("signal");

    QTest::newRow("imgApp01") << "imgApp01" << "apriArchivioIscritti()";
    QTest::newRow("btnApp01") << "btnApp01" << "apriArchivioIscritti()";
    QTest::newRow("imgApp02") << "imgApp02" << "apriStampaRicevute()";
    QTest::newRow("btnApp02") << "btnApp02" << "apriStampaRicevute()";
    QTest::newRow("imgApp03") << "imgApp03" << "apriRiepilogoIncassi()";
    QTest::newRow("btnApp03") << "btnApp03" << "apriRiepilogoIncassi()";
    QTest::newRow("imgInfo") << "imgInfo" << "apriInfo()";
    QTest::newRow("imgCopyright") << "imgCopyright" << "apriCrediti()";
    QTest::newRow("imgGuida") << "imgGuida" << "apriGuida()";
    QTest::newRow("btnBackup") << "btnBackup" << "apriCopieSicurezza()";
    // clang-format on
}

void tst_TfrmAvvio::clickLeadsWhereItSays()
{
    QFETCH(QString, control);
    QFETCH(QString, signal);

    FakePlatformScope scope;
    TfrmAvvio menu;
    showMenu(menu);
    Spies spies(&menu);

    QAbstractButton* b = ::control(menu, control);
    QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());

    QCOMPARE(spies.fired(), QStringList{signal});
    // The menu only announces; the screen that opens hides it (and dialogs open over it).
    QVERIFY(menu.isVisible());
    QCOMPARE(scope.fake.terminations, 0);
    QVERIFY(scope.fake.opened.isEmpty());
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_TfrmAvvio::waysOutEndTheProgram_data()
{
    QTest::addColumn<bool>("byCloseBox");
    QTest::newRow("imgEsci") << false;
    QTest::newRow("window close box") << true;
}

void tst_TfrmAvvio::waysOutEndTheProgram()
{
    QFETCH(bool, byCloseBox);
    FakePlatformScope scope;
    TfrmAvvio menu;
    showMenu(menu);
    Spies spies(&menu);
    // Whoever listens to the way out (the automatic copy) runs before the program ends.
    int terminationsSeen = -1;
    connect(&menu, &TfrmAvvio::uscitaRichiesta, &menu, [&] { terminationsSeen = scope.fake.terminations; });

    if (byCloseBox) {
        QVERIFY(menu.close());
    } else {
        QAbstractButton* b = control(menu, QStringLiteral("imgEsci"));
        QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
    }

    QCOMPARE(scope.fake.terminations, 1);
    QCOMPARE(terminationsSeen, 0);
    QVERIFY(spies.fired().isEmpty());
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_TfrmAvvio::siteBannerOpensTheMakersSite()
{
    FakePlatformScope scope;
    TfrmAvvio menu;
    showMenu(menu);
    Spies spies(&menu);
    QAbstractButton* b = control(menu, QStringLiteral("imgSito"));
    QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());

    QCOMPARE(scope.fake.opened, QStringList{QStringLiteral("http://www.tavorel.it")});
    QVERIFY(menu.isVisible());
    QVERIFY(spies.fired().isEmpty());
    QCOMPARE(scope.fake.terminations, 0);
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_TfrmAvvio::everyClickablePictureShowsTheHand()
{
    FakePlatformScope scope;
    TfrmAvvio menu;
    QCOMPARE(menu.objectName(), QStringLiteral("frmAvvio"));
    QCOMPARE(menu.windowTitle(), QStringLiteral(" Tavorel"));

    QStringList clickable;
    for (QAbstractButton* b : menu.findChildren<QAbstractButton*>()) {
        clickable.append(b->objectName());
        QVERIFY2(b->cursor().shape() == Qt::PointingHandCursor, qPrintable(b->objectName()));
    }
    clickable.sort();
    QStringList expected{"btnApp01", "btnApp02",     "btnApp03", "btnBackup", "imgApp01", "imgApp02",
                         "imgApp03", "imgCopyright", "imgEsci",  "imgGuida",  "imgInfo",  "imgSito"};
    expected.sort();
    QCOMPARE(clickable, expected);

    QCOMPARE(control(menu, QStringLiteral("btnApp01"))->text(), QStringLiteral("ARCHIVIO ISCRITTI"));
    QCOMPARE(control(menu, QStringLiteral("btnApp02"))->text(), QStringLiteral("STAMPA RICEVUTE"));
    QCOMPARE(control(menu, QStringLiteral("btnApp03"))->text(), QStringLiteral("RIEPILOGO INCASSI"));
    QCOMPARE(control(menu, QStringLiteral("btnBackup"))->text(), QStringLiteral("Copie di sicurezza"));
}

void tst_TfrmAvvio::noticeTellsWhoMustRenew_data()
{
    QTest::addColumn<QStringList>("members");
    QTest::addColumn<bool>("unreadable");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QVariantList>("opens"); // apriScadenze's argument, or nothing
    // Today is 10/12/2026: yesterday has ended, today and the next 30 days are ending.
    // clang-format off
    QTest::newRow("no archive") << QStringList{} << false << QString() << QVariantList{};
    QTest::newRow("nobody must renew") << QStringList{"01/01/2030|01/01/2030", "|"} << false << QString()
                                       << QVariantList{};
    QTest::newRow("the example")
        << QStringList{"09/12/2026|01/01/2030", "01/01/2020|09/01/2027", "10/12/2026|01/01/2030",
                       "11/12/2026|10/01/2027", "09/01/2027|01/12/2026", "10/01/2027|01/01/2030"}
        << false << u"Certificati medici: 2 scaduti, 3 in scadenza entro 30 giorni · Tessere: 1 scaduta, 1 in scadenza entro 30 giorni"_s
        << QVariantList{true};
    QTest::newRow("only cards: the card list")
        << QStringList{"01/01/2030|09/12/2026"} << false << u"Tessere: 1 scaduta"_s << QVariantList{false};
    QTest::newRow("unreadable archive") << QStringList{} << true << QString() << QVariantList{};
    // clang-format on
}

void tst_TfrmAvvio::noticeTellsWhoMustRenew()
{
    QFETCH(QStringList, members);
    QFETCH(bool, unreadable);
    QFETCH(QString, notice);
    QFETCH(QVariantList, opens);
    FakePlatformScope scope;
    if (!members.isEmpty())
        writeMembers(scope.fake.folder, members);
    if (unreadable)
        QVERIFY(QDir(scope.fake.folder).mkdir(kMemberArchiveName));
    TfrmAvvio menu;
    QSignalSpy asked(&menu, &TfrmAvvio::apriScadenze);
    QLabel* label = shownNotice(menu);
    QVERIFY(label);
    QCOMPARE(label->text(), notice);
    QCOMPARE(label->isVisible(), !notice.isEmpty());
    QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);

    QTest::mouseClick(label, Qt::LeftButton);
    QCOMPARE(asked.size(), opens.size());
    if (!opens.isEmpty())
        QCOMPARE(asked[0][0], opens[0]);
    // Counting only reads: no archive is made, nothing is said.
    QCOMPARE(QFileInfo::exists(memberArchivePath(scope.fake.folder)), !members.isEmpty() || unreadable);
    QVERIFY(scope.fake.messages.isEmpty());
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_TfrmAvvio::noticeIsWorkedOutAgainWhenTheMenuIsBack()
{
    FakePlatformScope scope;
    writeMembers(scope.fake.folder, {u"09/12/2026|01/01/2030"_s});
    TfrmAvvio menu;
    QLabel* label = shownNotice(menu);
    QCOMPARE(label->text(), u"Certificati medici: 1 scaduto"_s);

    // The member editor saved a member while the menu was hidden.
    menu.hide();
    writeMembers(scope.fake.folder, {u"15/12/2026|01/01/2030"_s});
    shownNotice(menu);
    QCOMPARE(label->text(), u"Certificati medici: 1 scaduto, 1 in scadenza entro 30 giorni"_s);
    QVERIFY(scope.fake.verifyConsumed());
}

QTEST_MAIN(tst_TfrmAvvio)
void tst_TfrmAvvio::panelBorderShowsTheMouseOverItsApp_data()
{
    QTest::addColumn<QString>("app");
    QTest::addColumn<QString>("panel");

    // The third app lies beyond the right edge of the test screen, out of the mouse's reach.
    QTest::newRow("picture") << u"imgApp01"_s << u"panApp01"_s;
    QTest::newRow("pill") << u"btnApp02"_s << u"panApp02"_s;
}

void tst_TfrmAvvio::panelBorderShowsTheMouseOverItsApp()
{
    QFETCH(QString, app);
    QFETCH(QString, panel);

    FakePlatformScope scope;
    TfrmAvvio menu;
    showMenu(menu);
    auto* pan = menu.findChild<QWidget*>(panel);
    QVERIFY(pan);
    // The colour of the panel's border as drawn, halfway along its top edge.
    auto border = [pan] { return pan->grab().toImage().pixelColor(pan->width() / 2, 0); };
    QCOMPARE(border(), colors::kPanelBorder);

    QTest::mouseMove(control(menu, app));
    QTRY_COMPARE(border(), colors::kSteelBlue);
    // The other panels stay as they are.
    for (auto* other : menu.findChildren<QWidget*>(QRegularExpression(u"^panApp0[123]$"_s)))
        if (other != pan)
            QCOMPARE(other->grab().toImage().pixelColor(other->width() / 2, 0), colors::kPanelBorder);

    // Away from the app, onto the title.
    QTest::mouseMove(menu.findChild<QWidget*>(u"icoTitoloApp"_s));
    QTRY_COMPARE(border(), colors::kPanelBorder);
}

#include "tst_TfrmAvvio.moc"
