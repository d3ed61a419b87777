#include "access/Crypt.h"
#include "login/TfrmCambiaPassword.h"
#include "login/TfrmPassword.h"
#include "support/FakePlatform.h"
#include "support/FaultInjector.h"
#include "support/Screens.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace tavorel;
using tavorel::test::child;
using tavorel::test::FakePlatformScope;
using tavorel::test::showActive;

namespace {

const QString kVecchiaErrata = QStringLiteral("Attenzione: vecchia password errata.");
const QString kNonConfermata = QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                                              "E' necessario reinserire entrambi i valori.");
const QString kCompletata = QStringLiteral("Modifica della password completata con successo.");
const QString kErroreModifica =
    QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica della password. "
                   "Si consiglia di reinstallare il software.");

const QString kOld = QStringLiteral("LAMPADARIOVERO");

// A store with a comment and a second section around the key, so that a change can be seen to
// touch nothing but the key's value.
QByteArray storeBytes(const QString& password)
{
    return "; Tavorel\r\n[Accesso]\r\nValore=" + CifraTesto(password).toLatin1() + "\r\n[Altro]\r\nChiave=1\r\n";
}

QString storePath(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("unins000.dll"));
}

QByteArray readStore(const QString& folder)
{
    QFile f(storePath(folder));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeStore(const QString& folder, const QByteArray& bytes)
{
    QFile f(storePath(folder));
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace

class TstTfrmCambiaPassword : public QObject {
    Q_OBJECT
private slots:
    void change_data();
    void change();
    void failures_data();
    void failures();
    void okNeedsAllThree_data();
    void okNeedsAllThree();
    void enterCyclesWithOneHalo();
    void showingAndClosing();
    void fieldsHoldOnlyWhatTheStoreCan();
    void loginTakesTheNewPassword();
};

void TstTfrmCambiaPassword::change_data()
{
    // clang-format off
    QTest::addColumn<QString>("oldTyped");
    QTest::addColumn<QString>("newTyped");
    QTest::addColumn<QString>("confirmTyped");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("stored"); // the store's password afterwards

    QTest::newRow("changed") << kOld << "Nuova1" << "Nuova1" << kCompletata << "NUOVA1";
    QTest::newRow("old in any case, with blanks") << "  lampadarioVero " << "abc" << "abc" << kCompletata << "ABC";
    QTest::newRow("confirmation differs only by blanks") << kOld << "nuova" << "  nuova  " << kCompletata << "NUOVA";
    QTest::newRow("new equals old") << kOld << "lampadariovero" << "lampadariovero" << kCompletata << kOld;
    QTest::newRow("confirmation differs only by case") << kOld << "nuova" << "NUOVA" << kNonConfermata << kOld;
    QTest::newRow("wrong old password") << "LAMPADARIO" << "nuova" << "nuova" << kVecchiaErrata << kOld;
    QTest::newRow("wrong old comes first") << "LAMPADARIO" << "nuova" << "altra" << kVecchiaErrata << kOld;
    // clang-format on
}

void TstTfrmCambiaPassword::change()
{
    QFETCH(QString, oldTyped);
    QFETCH(QString, newTyped);
    QFETCH(QString, confirmTyped);
    QFETCH(QString, message);
    QFETCH(QString, stored);

    FakePlatformScope scope;
    auto& fake = scope.fake;
    writeStore(fake.folder, storeBytes(kOld));

    TfrmCambiaPassword w;
    auto* cmdOK = child<QPushButton>(&w, "cmdOK");
    auto* txtConferma = child<QLineEdit>(&w, "txtConferma");
    auto* txtPasswordNew = child<QLineEdit>(&w, "txtPasswordNew");
    auto* txtPasswordOld = child<QLineEdit>(&w, "txtPasswordOld");
    QSignalSpy closed(&w, &TfrmCambiaPassword::chiuso);
    showActive(w);
    QTest::keyClicks(txtPasswordOld, oldTyped);
    QTest::keyClicks(txtPasswordNew, newTyped);
    QTest::keyClicks(txtConferma, confirmTyped);
    QTest::mouseClick(cmdOK, Qt::LeftButton);

    QCOMPARE(fake.messages.size(), 1);
    QCOMPARE(fake.messages[0].kind, MessageKind::Plain);
    QCOMPARE(fake.messages[0].text, message);
    QCOMPARE(readStore(fake.folder), storeBytes(stored));

    if (message == kCompletata) {
        QCOMPARE(closed.count(), 1);
        QVERIFY(!w.isVisible());
    } else {
        QCOMPARE(closed.count(), 0);
        QVERIFY(w.isVisible());
        const bool oldWrong = message == kVecchiaErrata;
        // The field at fault is emptied and takes the focus; the others keep what was typed.
        QCOMPARE(txtPasswordOld->text(), oldWrong ? QString() : oldTyped);
        QCOMPARE(txtPasswordNew->text(), oldWrong ? newTyped : QString());
        QCOMPARE(txtConferma->text(), oldWrong ? confirmTyped : QString());
        QVERIFY((oldWrong ? txtPasswordOld : txtPasswordNew)->hasFocus());
        QVERIFY(!cmdOK->isEnabled());
    }
    QVERIFY(fake.verifyConsumed());
}

enum class Failure { MissingStore, NotHex, StoreIsFolder, WriteFails };

void TstTfrmCambiaPassword::failures_data()
{
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<QString>("message");

    QTest::newRow("missing store") << Failure::MissingStore << kVecchiaErrata;
    QTest::newRow("pair not hexadecimal") << Failure::NotHex << kErroreModifica;
    QTest::newRow("store cannot be read") << Failure::StoreIsFolder << kErroreModifica;
    QTest::newRow("store cannot be written") << Failure::WriteFails << kErroreModifica;
}

void TstTfrmCambiaPassword::failures()
{
    QFETCH(Failure, failure);
    QFETCH(QString, message);

    FakePlatformScope scope;
    auto& fake = scope.fake;
    QByteArray before;
    switch (failure) {
    case Failure::MissingStore:
        break;
    case Failure::NotHex:
        before = "[Accesso]\r\nValore=" + CifraTesto(kOld).toLatin1().left(6) + "G1\r\n";
        break;
    case Failure::StoreIsFolder:
        QVERIFY(QDir(fake.folder).mkdir(QStringLiteral("unins000.dll")));
        break;
    case Failure::WriteFails:
        before = storeBytes(kOld);
        break;
    }
    if (!before.isEmpty())
        writeStore(fake.folder, before);

    TfrmCambiaPassword w;
    auto* txtConferma = child<QLineEdit>(&w, "txtConferma");
    auto* txtPasswordNew = child<QLineEdit>(&w, "txtPasswordNew");
    auto* txtPasswordOld = child<QLineEdit>(&w, "txtPasswordOld");
    QSignalSpy closed(&w, &TfrmCambiaPassword::chiuso);
    showActive(w);
    QTest::keyClicks(txtPasswordOld, kOld);
    QTest::keyClicks(txtPasswordNew, QStringLiteral("nuova"));
    QTest::keyClicks(txtConferma, QStringLiteral("nuova"));
    if (failure == Failure::WriteFails) {
        test::FaultInjector disk(fake.folder, 1, ENOSPC, test::FaultInjector::Write);
        w.cmdOKClick();
        QVERIFY(disk.fired());
    } else {
        w.cmdOKClick();
    }

    QCOMPARE(fake.messages.size(), 1);
    QCOMPARE(fake.messages[0].kind, MessageKind::Plain);
    QCOMPARE(fake.messages[0].text, message);
    QCOMPARE(closed.count(), 0);
    QVERIFY(w.isVisible());
    if (message == kErroreModifica) {
        // The screen stays as it was, and so does the store.
        QCOMPARE(txtPasswordOld->text(), kOld);
        QCOMPARE(txtPasswordNew->text(), QStringLiteral("nuova"));
        QCOMPARE(txtConferma->text(), QStringLiteral("nuova"));
    }
    if (failure == Failure::StoreIsFolder)
        QVERIFY(QFileInfo(storePath(fake.folder)).isDir());
    else
        QCOMPARE(readStore(fake.folder), before);
    // Nothing but the store itself is left in the folder (no temporary file).
    QCOMPARE(QDir(fake.folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(),
             failure == Failure::MissingStore ? 0 : 1);
    QVERIFY(fake.verifyConsumed());
}

void TstTfrmCambiaPassword::okNeedsAllThree_data()
{
    // clang-format off
    QTest::addColumn<QString>("oldTyped");
    QTest::addColumn<QString>("newTyped");
    QTest::addColumn<QString>("confirmTyped");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("all three") << "a" << " b" << "c " << true;
    QTest::newRow("old blanks only") << "   " << "b" << "c" << false;
    QTest::newRow("new empty") << "a" << "" << "c" << false;
    QTest::newRow("confirmation blanks only") << "a" << "b" << " " << false;
    // clang-format on
}

void TstTfrmCambiaPassword::okNeedsAllThree()
{
    QFETCH(QString, oldTyped);
    QFETCH(QString, newTyped);
    QFETCH(QString, confirmTyped);
    QFETCH(bool, enabled);

    FakePlatformScope scope;
    auto& fake = scope.fake;
    writeStore(fake.folder, storeBytes(kOld));
    TfrmCambiaPassword w;
    auto* cmdOK = child<QPushButton>(&w, "cmdOK");
    showActive(w);
    QVERIFY(!cmdOK->isEnabled());
    QTest::keyClicks(child<QLineEdit>(&w, "txtPasswordOld"), oldTyped);
    QTest::keyClicks(child<QLineEdit>(&w, "txtPasswordNew"), newTyped);
    QTest::keyClicks(child<QLineEdit>(&w, "txtConferma"), confirmTyped);
    QCOMPARE(cmdOK->isEnabled(), enabled);
    // Called directly with a blank field, OK still neither asks nor writes.
    w.cmdOKClick();
    if (!enabled) {
        QVERIFY(fake.messages.isEmpty());
        QCOMPARE(readStore(fake.folder), storeBytes(kOld));
    }
    fake.messages.clear();
    QVERIFY(fake.verifyConsumed());
}

void TstTfrmCambiaPassword::enterCyclesWithOneHalo()
{
    FakePlatformScope scope;
    auto& fake = scope.fake;
    writeStore(fake.folder, storeBytes(kOld));
    TfrmCambiaPassword w;
    auto* txtPasswordOld = child<QLineEdit>(&w, "txtPasswordOld");
    showActive(w);
    const QList<std::pair<QLineEdit*, QFrame*>> ring = {
        {txtPasswordOld, child<QFrame>(&w, "effPasswordOld")},
        {child<QLineEdit>(&w, "txtPasswordNew"), child<QFrame>(&w, "effPasswordNew")},
        {child<QLineEdit>(&w, "txtConferma"), child<QFrame>(&w, "effConferma")}};
    auto onlyHaloOf = [&](QLineEdit* focused) {
        for (const auto& [edit, halo] : ring) {
            if (halo->isVisible() != (edit == focused))
                return false;
        }
        return true;
    };

    for (const auto& [edit, halo] : ring)
        QTest::keyClicks(edit, kOld);
    QVERIFY(child<QPushButton>(&w, "cmdOK")->isEnabled());
    QVERIFY(txtPasswordOld->hasFocus());
    QVERIFY(onlyHaloOf(txtPasswordOld));
    // Enter goes round the three fields, the last back to the first, and never presses OK.
    for (int step = 1; step <= 3; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QLineEdit* expected = ring[step % 3].first;
        QVERIFY2(expected->hasFocus(), qPrintable(expected->objectName()));
        QVERIFY(onlyHaloOf(expected));
    }
    QVERIFY(fake.messages.isEmpty());
    QCOMPARE(readStore(fake.folder), storeBytes(kOld));
    child<QPushButton>(&w, "cmdEsci")->setFocus();
    QVERIFY(onlyHaloOf(nullptr));
    QVERIFY(fake.verifyConsumed());
}

void TstTfrmCambiaPassword::showingAndClosing()
{
    FakePlatformScope scope;
    auto& fake = scope.fake;
    TfrmCambiaPassword w;
    auto* txtConferma = child<QLineEdit>(&w, "txtConferma");
    auto* txtPasswordNew = child<QLineEdit>(&w, "txtPasswordNew");
    auto* txtPasswordOld = child<QLineEdit>(&w, "txtPasswordOld");
    QCOMPARE(w.objectName(), QStringLiteral("frmCambiaPassword"));
    QSignalSpy closed(&w, &TfrmCambiaPassword::chiuso);
    showActive(w);
    QTest::keyClicks(txtPasswordOld, QStringLiteral("a"));
    QTest::keyClicks(txtPasswordNew, QStringLiteral("b"));
    QTest::keyClicks(txtConferma, QStringLiteral("c"));
    QTest::mouseClick(child<QPushButton>(&w, "cmdEsci"), Qt::LeftButton);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!w.isVisible());

    QWidget login; // stands for the login screen shown meanwhile
    showActive(login);
    login.hide();

    // Shown again, it starts empty with the focus in the old password.
    showActive(w);
    for (QLineEdit* edit : {txtPasswordOld, txtPasswordNew, txtConferma})
        QCOMPARE(edit->text(), QString());
    QVERIFY(txtPasswordOld->hasFocus());
    QVERIFY(!child<QPushButton>(&w, "cmdOK")->isEnabled());

    w.close();
    QCOMPARE(closed.count(), 2);
    QCOMPARE(fake.terminations, 0);
    QVERIFY(fake.messages.isEmpty());
    QVERIFY(fake.verifyConsumed());
}

void TstTfrmCambiaPassword::fieldsHoldOnlyWhatTheStoreCan()
{
    FakePlatformScope scope;
    TfrmCambiaPassword w;
    showActive(w);
    QLineEdit* field = child<QLineEdit>(&w, "txtPasswordNew");
    field->setFocus();
    QCOMPARE(field->echoMode(), QLineEdit::Password);

    QTest::keyClicks(field, QStringLiteral("ab"));
    // A character beyond the cipher's single byte cannot be typed or pasted in.
    QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(QChar(0x20AC)), Qt::NoModifier);
    QCOMPARE(field->text(), QStringLiteral("ab"));
    field->insert(QStringLiteral("c\u0101d"));
    QCOMPARE(field->text(), QStringLiteral("ab"));
    QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(QChar(0xE9)), Qt::NoModifier);
    QCOMPARE(field->text(), QStringLiteral("ab\u00E9"));

    // At most 255 characters, the longest password the store can hold.
    field->clear();
    field->insert(QString(300, QLatin1Char('x')));
    QCOMPARE(field->text().size(), 255);
}

void TstTfrmCambiaPassword::loginTakesTheNewPassword()
{
    FakePlatformScope scope;
    auto& fake = scope.fake;
    writeStore(fake.folder, storeBytes(kOld));

    // Wired as the program wires them.
    TfrmPassword login;
    auto* txtPassword = child<QLineEdit>(&login, "txtPassword");
    TfrmCambiaPassword change;
    QObject::connect(&login, &TfrmPassword::cambiaPasswordRichiesto, &change, &QWidget::show);
    QObject::connect(&change, &TfrmCambiaPassword::chiuso, &login, &TfrmPassword::tornaDaCambioPassword);
    QSignalSpy loggedIn(&login, &TfrmPassword::accessoRiuscito);

    showActive(login);
    QTest::keyClicks(txtPassword, QStringLiteral("x"));
    QTest::mouseClick(child<QPushButton>(&login, "btnCambiaPassword"), Qt::LeftButton);
    QVERIFY(change.isVisible());
    QVERIFY(QTest::qWaitForWindowActive(&change));
    QTest::keyClicks(child<QLineEdit>(&change, "txtPasswordOld"), QStringLiteral("lampadariovero"));
    QTest::keyClicks(child<QLineEdit>(&change, "txtPasswordNew"), QStringLiteral("Tavolo Verde"));
    QTest::keyClicks(child<QLineEdit>(&change, "txtConferma"), QStringLiteral("Tavolo Verde"));
    QTest::mouseClick(child<QPushButton>(&change, "cmdOK"), Qt::LeftButton);
    QCOMPARE(fake.lastMessage(), kCompletata);

    QVERIFY(!change.isVisible());
    QVERIFY(login.isVisible());
    QCOMPARE(txtPassword->text(), QString());
    QVERIFY(QTest::qWaitForWindowActive(&login));
    QVERIFY(txtPassword->hasFocus());

    QTest::keyClicks(txtPassword, kOld);
    QTest::keyClick(txtPassword, Qt::Key_Return);
    QCOMPARE(fake.lastMessage(), QStringLiteral("Attenzione: password errata."));
    QTest::keyClicks(txtPassword, QStringLiteral(" tAVOLO vERDE "));
    QTest::keyClick(txtPassword, Qt::Key_Return);
    QCOMPARE(loggedIn.count(), 1);
    QCOMPARE(fake.messages.size(), 2);
    QVERIFY(fake.verifyConsumed());
}

QTEST_MAIN(TstTfrmCambiaPassword)
#include "tst_TfrmCambiaPassword.moc"
