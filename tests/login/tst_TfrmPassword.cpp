#include "access/Crypt.h"
#include "login/TfrmPassword.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace tavorel;
using tavorel::test::child;
using tavorel::test::FakePlatformScope;
using tavorel::test::showActive;

namespace {

const QString kErrata = QStringLiteral("Attenzione: password errata.");
const QString kErroreLettura =
    QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura della password. "
                   "Si consiglia di reinstallare il software.");

enum class Store { Password, Missing, NoKey, NotHex, Unreadable };
enum class Outcome { LoggedIn, Wrong, ReadError };

void prepareStore(const QString& folder, Store kind, const QString& password = QString())
{
    const QString path = QDir(folder).filePath(QStringLiteral("unins000.dll"));
    QByteArray content;
    switch (kind) {
    case Store::Missing:
        return;
    case Store::Unreadable:
        QVERIFY(QDir(folder).mkdir(QStringLiteral("unins000.dll")));
        return;
    case Store::Password:
        content = "[Accesso]\r\nValore=" + CifraTesto(password).toLatin1() + "\r\n";
        break;
    case Store::NoKey:
        content = "[Accesso]\r\nAltro=1234\r\n";
        break;
    case Store::NotHex:
        content = "[Accesso]\r\nValore=" + CifraTesto(password).toLatin1().left(4) + "ZZ\r\n";
        break;
    }
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

// Types text key by key; QTest::keyClicks takes ASCII only.
void type(QWidget* w, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, c.unicode() < 128 ? QTest::asciiToKey(char(c.unicode())) : Qt::Key_unknown,
                            QString(c), Qt::NoModifier);
}

} // namespace

class TstTfrmPassword : public QObject {
    Q_OBJECT
private slots:
    void login_data();
    void login();
    void okFollowsTheField_data();
    void okFollowsTheField();
    void navigation();
};

void TstTfrmPassword::login_data()
{
    QTest::addColumn<Store>("store");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("viaEnter");
    QTest::addColumn<Outcome>("outcome");

    const QString pw = QStringLiteral("LAMPADARIOVERO");
    QTest::newRow("capitals, OK") << Store::Password << pw << pw << false << Outcome::LoggedIn;
    QTest::newRow("small letters, Enter") << Store::Password << pw << "lampadariovero" << true << Outcome::LoggedIn;
    QTest::newRow("mixed case with blanks")
        << Store::Password << pw << "  LampadarioVero  " << true << Outcome::LoggedIn;
    QTest::newRow("accented letters keep their case")
        << Store::Password << QStringLiteral("CAFÉ") << QStringLiteral("café") << true << Outcome::Wrong;
    QTest::newRow("only a to z fold") << Store::Password << QStringLiteral("CAFé") << QStringLiteral("café") << true
                                      << Outcome::LoggedIn;
    QTest::newRow("wrong password") << Store::Password << pw << "LAMPADARIO" << false << Outcome::Wrong;
    QTest::newRow("missing store") << Store::Missing << pw << pw << true << Outcome::Wrong;
    QTest::newRow("store without the key") << Store::NoKey << pw << pw << false << Outcome::Wrong;
    QTest::newRow("pair not hexadecimal") << Store::NotHex << pw << pw << true << Outcome::ReadError;
    QTest::newRow("store cannot be read") << Store::Unreadable << pw << pw << false << Outcome::ReadError;
}

void TstTfrmPassword::login()
{
    QFETCH(Store, store);
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(bool, viaEnter);
    QFETCH(Outcome, outcome);

    FakePlatformScope scope;
    auto& fake = scope.fake;
    prepareStore(fake.folder, store, stored);

    TfrmPassword w;
    auto* cmdOK = child<QPushButton>(&w, "cmdOK");
    auto* txtPassword = child<QLineEdit>(&w, "txtPassword");
    QSignalSpy loggedIn(&w, &TfrmPassword::accessoRiuscito);
    showActive(w);
    type(txtPassword, typed);
    QVERIFY(cmdOK->isEnabled());
    if (viaEnter)
        QTest::keyClick(txtPassword, Qt::Key_Return);
    else
        QTest::mouseClick(cmdOK, Qt::LeftButton);

    switch (outcome) {
    case Outcome::LoggedIn:
        QVERIFY(fake.messages.isEmpty());
        QCOMPARE(loggedIn.count(), 1);
        QVERIFY(!w.isVisible());
        break;
    case Outcome::Wrong:
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.messages[0].kind, MessageKind::Plain);
        QCOMPARE(fake.messages[0].text, kErrata);
        QCOMPARE(loggedIn.count(), 0);
        QVERIFY(w.isVisible());
        QCOMPARE(txtPassword->text(), QString());
        QVERIFY(txtPassword->hasFocus());
        QVERIFY(!cmdOK->isEnabled());
        break;
    case Outcome::ReadError:
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.messages[0].kind, MessageKind::Plain);
        QCOMPARE(fake.messages[0].text, kErroreLettura);
        QCOMPARE(loggedIn.count(), 0);
        QVERIFY(w.isVisible());
        QCOMPARE(txtPassword->text(), typed); // the screen stays as it was
        break;
    }
    QCOMPARE(fake.terminations, 0);
    QVERIFY(fake.verifyConsumed());
}

void TstTfrmPassword::okFollowsTheField_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("nothing") << "" << false;
    QTest::newRow("blanks only") << "    " << false;
    QTest::newRow("one letter among blanks") << "  x  " << true;
}

void TstTfrmPassword::okFollowsTheField()
{
    QFETCH(QString, typed);
    QFETCH(bool, enabled);

    FakePlatformScope scope;
    auto& fake = scope.fake; // no store: every attempt that runs is refused
    TfrmPassword w;
    auto* cmdOK = child<QPushButton>(&w, "cmdOK");
    auto* txtPassword = child<QLineEdit>(&w, "txtPassword");
    QSignalSpy loggedIn(&w, &TfrmPassword::accessoRiuscito);
    showActive(w);
    QVERIFY(!cmdOK->isEnabled());

    type(txtPassword, typed);
    QCOMPARE(cmdOK->isEnabled(), enabled);
    QTest::keyClick(txtPassword, Qt::Key_Return);

    // Enter on a blank field does nothing at all; otherwise it runs the login.
    QCOMPARE(fake.messages.size(), enabled ? 1 : 0);
    QCOMPARE(loggedIn.count(), 0);
    // Even called directly, OK never lets a blank field in against a store that reads as empty.
    txtPassword->setText(QStringLiteral("   "));
    w.cmdOKClick();
    QCOMPARE(fake.messages.size(), enabled ? 1 : 0);
    QCOMPARE(loggedIn.count(), 0);
    QVERIFY(fake.verifyConsumed());
}

void TstTfrmPassword::navigation()
{
    FakePlatformScope scope;
    auto& fake = scope.fake;
    TfrmPassword w;
    auto* cmdEsci = child<QPushButton>(&w, "cmdEsci");
    auto* effPassword = child<QFrame>(&w, "effPassword");
    auto* lblMemory = child<QLabel>(&w, "lblMemory");
    auto* txtPassword = child<QLineEdit>(&w, "txtPassword");
    QCOMPARE(w.objectName(), QStringLiteral("frmPassword"));
    QCOMPARE(txtPassword->echoMode(), QLineEdit::Password);
    QVERIFY(lblMemory->isHidden());
    QSignalSpy change(&w, &TfrmPassword::cambiaPasswordRichiesto);

    showActive(w);
    QVERIFY(txtPassword->hasFocus());
    QVERIFY(effPassword->isVisible());
    cmdEsci->setFocus();
    QVERIFY(!effPassword->isVisible());

    QTest::keyClicks(txtPassword, QStringLiteral("abc"));
    QTest::mouseClick(child<QPushButton>(&w, "btnCambiaPassword"), Qt::LeftButton);
    QCOMPARE(change.count(), 1);
    QVERIFY(!w.isVisible());
    QWidget changeScreen; // stands for the screen shown meanwhile
    showActive(changeScreen);
    changeScreen.hide();

    lblMemory->setText(QStringLiteral("x"));
    w.tornaDaCambioPassword();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(w.isVisible());
    QCOMPARE(txtPassword->text(), QString());
    QCOMPARE(lblMemory->text(), QString());
    QVERIFY(txtPassword->hasFocus());
    QVERIFY(!child<QPushButton>(&w, "cmdOK")->isEnabled());
    QCOMPARE(fake.terminations, 0);

    // The login screen is the main window: both ways out end the program.
    w.close();
    QCOMPARE(fake.terminations, 1);
    showActive(w);
    QTest::mouseClick(cmdEsci, Qt::LeftButton);
    QCOMPARE(fake.terminations, 2);
    QVERIFY(fake.verifyConsumed());
}

QTEST_MAIN(TstTfrmPassword)
#include "tst_TfrmPassword.moc"
