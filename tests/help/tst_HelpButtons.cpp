// The help buttons and the main menu's information and credits entries, through the program as a
// user meets it: each button opens its own topic.
#include "app/Application.h"
#include "help/HelpTexts.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include "access/Crypt.h"

#include <QAbstractButton>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using namespace tavorel;
using tavorel::test::FakePlatformScope;
using tavorel::test::topLevelScreen;

namespace {

QAbstractButton* button(QWidget* screen, const QString& name)
{
    return screen ? screen->findChild<QAbstractButton*>(name) : nullptr;
}

// "frmAvvio/btnApp02": a click on that control of that screen.
void click(const QString& path)
{
    const QStringList parts = path.split(QLatin1Char('/'));
    QAbstractButton* b = button(topLevelScreen(parts[0]), parts[1]);
    QVERIFY2(b, qPrintable(path));
    QVERIFY2(b->isVisible(), qPrintable(path));
    QTest::mouseClick(b, Qt::LeftButton);
}

} // namespace

class tst_HelpButtons : public QObject {
    Q_OBJECT
private slots:
    void eachButtonOpensItsTopic_data();
    void eachButtonOpensItsTopic();
};

void tst_HelpButtons::eachButtonOpensItsTopic_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("route");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("dialogs");
    QTest::addColumn<int>("topic"); // -1: no help screen
    const QStringList toEditor{"frmAvvio/btnApp02", "frmMenuRicevute/btnApriPreventivi"};
    QTest::newRow("main menu") << QStringList{} << "frmAvvio/imgGuida" << QStringList{"frmGuida"} << int(HelpTopic::Panoramica);
    QTest::newRow("year selection") << QStringList{"frmAvvio/btnApp02"} << "frmMenuRicevute/imgGuida" << QStringList{"frmGuida"} << int(HelpTopic::StampaRicevute);
    QTest::newRow("receipt editor") << toEditor << "frmRicevuta/cmdGuida" << QStringList{"frmGuida"} << int(HelpTopic::StampaRicevute);
    QTest::newRow("receipt export") << toEditor << "frmRicevuta/cmdEsporta" << QStringList{"frmExpRic", "frmGuida"} << int(HelpTopic::EsportaRicevute);
    QTest::newRow("information") << QStringList{} << "frmAvvio/imgInfo" << QStringList{"frmInfo"} << -1;
    QTest::newRow("credits") << QStringList{} << "frmAvvio/imgCopyright" << QStringList{"frmSplash"} << -1;
    // clang-format on
}

void tst_HelpButtons::eachButtonOpensItsTopic()
{
    QFETCH(QStringList, route);
    QFETCH(QString, button);
    QFETCH(QStringList, dialogs);
    QFETCH(int, topic);
    FakePlatformScope scope;
    {
        QFile store(scope.fake.folder + QStringLiteral("/unins000.dll"));
        QVERIFY(store.open(QIODevice::WriteOnly));
        store.write("[Accesso]\r\nValore=" + CifraTesto(QStringLiteral("LAMPADARIOVERO")).toLatin1() + "\r\n");
    }
    Application app;
    app.start();
    topLevelScreen(QStringLiteral("frmPassword"))
        ->findChild<QLineEdit*>(QStringLiteral("txtPassword"))
        ->setText(QStringLiteral("lampadariovero"));
    click(QStringLiteral("frmPassword/cmdOK"));
    for (const QString& step : route)
        click(step);

    QString title;
    QString text;
    for (int i = 0; i < dialogs.size(); ++i) {
        scope.fake.dialogScripts.append([&](QDialog* d) {
            if (d->objectName() == QLatin1String("frmExpRic"))
                QTest::mouseClick(d->findChild<QAbstractButton*>(QStringLiteral("cmdGuida")), Qt::LeftButton);
            if (d->objectName() == QLatin1String("frmGuida")) {
                title = d->findChild<QLabel*>(QStringLiteral("lblTitolo"))->text();
                text = d->findChild<QPlainTextEdit*>(QStringLiteral("txtGuida"))->toPlainText();
            }
            return d->result();
        });
    }
    click(button);
    QCOMPARE(scope.fake.dialogsRun, dialogs);
    if (topic >= 0) {
        QCOMPARE(title, helpTitle(HelpTopic(topic)));
        QCOMPARE(text, helpParagraphs(HelpTopic(topic)).join(QStringLiteral("\n\n")));
    }
    QVERIFY(scope.fake.verifyConsumed());
}

QTEST_MAIN(tst_HelpButtons)
#include "tst_HelpButtons.moc"
