// The main menu: every picture leads where it says, the menu steps aside for the apps, and both ways
// out end the program.
#include "shell/Colors.h"
#include "shell/TfrmAvvio.h"
#include "support/FakePlatform.h"

#include <QAbstractButton>
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
