// The program as a user meets it: start-up, login, main menu, the receipts app and back, the end.
#include "app/Application.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include "access/Crypt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace tavorel;
using tavorel::test::FakePlatformScope;
using tavorel::test::topLevelScreen;

namespace {

template <typename T>
T* control(const QString& screenName, const QString& name)
{
    QWidget* s = topLevelScreen(screenName);
    return s ? s->findChild<T*>(name) : nullptr;
}

QStringList visibleScreens()
{
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->objectName().startsWith(QLatin1String("frm")))
            names.append(w->objectName());
    names.sort();
    return names;
}

void writeStore(const QString& folder, const QString& password)
{
    QFile f(folder + QStringLiteral("/unins000.dll"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[Accesso]\r\nValore=" + CifraTesto(password).toLatin1() + "\r\n");
}

} // namespace

class tst_Application : public QObject {
    Q_OBJECT
private slots:
    void startsOnTheLoginScreen();
    void loginMenuReceiptsAndBack();
    void closingTheMainMenuEndsTheProgram();
};

void tst_Application::startsOnTheLoginScreen()
{
    FakePlatformScope scope;
    {
        Application app;
        app.start();
        QCOMPARE(visibleScreens(), QStringList{QStringLiteral("frmPassword")});
        for (const char* name : {"frmPassword", "frmAvvio", "frmCambiaPassword", "frmMenuRicevute", "frmRicevuta"})
            QVERIFY2(topLevelScreen(QString::fromLatin1(name)), name);
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
    }
    // The destructor takes every screen with it.
    QVERIFY(!topLevelScreen(QStringLiteral("frmRicevuta")));
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_Application::loginMenuReceiptsAndBack()
{
    FakePlatformScope scope;
    writeStore(scope.fake.folder, QStringLiteral("LAMPADARIOVERO"));
    Application app;
    app.start();

    auto* password = control<QLineEdit>(QStringLiteral("frmPassword"), QStringLiteral("txtPassword"));
    password->setText(QStringLiteral(" lampadarioVero "));
    control<QAbstractButton>(QStringLiteral("frmPassword"), QStringLiteral("cmdOK"))->click();
    QCOMPARE(visibleScreens(), QStringList{QStringLiteral("frmAvvio")});

    control<QAbstractButton>(QStringLiteral("frmAvvio"), QStringLiteral("btnApp02"))->click();
    QCOMPARE(visibleScreens(), QStringList{QStringLiteral("frmMenuRicevute")});
    auto* year = control<QLineEdit>(QStringLiteral("frmMenuRicevute"), QStringLiteral("txtAnnoPreventivi"));
    QCOMPARE(year->text(), QStringLiteral("2026"));
    year->setText(QStringLiteral("2031"));
    control<QAbstractButton>(QStringLiteral("frmMenuRicevute"), QStringLiteral("btnApriPreventivi"))->click();
    QCOMPARE(visibleScreens(), QStringList{QStringLiteral("frmRicevuta")});
    QCOMPARE(topLevelScreen(QStringLiteral("frmRicevuta"))->windowTitle(),
             QStringLiteral(" Tavorel - Archivio ricevute anno 2031"));
    QCOMPARE(control<QLabel>(QStringLiteral("frmRicevuta"), QStringLiteral("lblFile"))->text(),
             scope.fake.folder + QStringLiteral("/2031.ric"));

    // Leaving the editor goes back to the main menu, not to the year selection; the year selection
    // proposes the current year again.
    control<QAbstractButton>(QStringLiteral("frmRicevuta"), QStringLiteral("cmdEsci"))->click();
    QCOMPARE(visibleScreens(), QStringList{QStringLiteral("frmAvvio")});
    control<QAbstractButton>(QStringLiteral("frmAvvio"), QStringLiteral("imgApp02"))->click();
    QCOMPARE(year->text(), QStringLiteral("2026"));
    QCOMPARE(scope.fake.terminations, 0);
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_Application::closingTheMainMenuEndsTheProgram()
{
    FakePlatformScope scope;
    writeStore(scope.fake.folder, QStringLiteral("LAMPADARIOVERO"));
    Application app;
    app.start();
    control<QLineEdit>(QStringLiteral("frmPassword"), QStringLiteral("txtPassword"))
        ->setText(QStringLiteral("lampadariovero"));
    control<QAbstractButton>(QStringLiteral("frmPassword"), QStringLiteral("cmdOK"))->click();
    QWidget* menu = topLevelScreen(QStringLiteral("frmAvvio"));
    QVERIFY(menu->isVisible());
    menu->close();
    QCOMPARE(scope.fake.terminations, 1);
    QVERIFY(scope.fake.verifyConsumed());
}

QTEST_MAIN(tst_Application)
#include "tst_Application.moc"
