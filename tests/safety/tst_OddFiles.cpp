// Files that are not what the program wrote: a settings file or password store far bigger than any
// the program writes, and named pipes where the logo, the settings, the password store or a year's
// archive should be. None of them is read (a pipe would wait for a writer for good), none is
// written over, and the user is told, as for any file the program cannot use.
#include "access/PasswordStore.h"
#include "login/TfrmPassword.h"
#include "receipts/ReceiptArtwork.h"
#include "receipts/ReceiptSettings.h"
#include "receipts/TfrmRicevuta.h"
#include "storage/Archives.h"
#include "storage/Messages.h"
#include "storage/RecordFile.h"
#include "storage/SafeFile.h"
#include "support/FakePlatform.h"
#include "support/Folders.h"
#include "support/Pipes.h"
#include "support/Screens.h"

#include <QAbstractButton>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tavorel;
using tavorel::test::FakePlatform;
using tavorel::test::FakePlatformScope;

namespace {

// A settings file of 2 MB that reads well but for its size: the payee lines come first.
QByteArray bigSettings()
{
    return "[Ricevente]\r\nRigo 1=A.S.D. Grande\r\n[Numerazione Ricevute]\r\nInizio=5\r\n; " +
           QByteArray(2 * 1024 * 1024, 'x') + "\r\n";
}

QByteArray bigPasswordStore()
{
    return "[Accesso]\r\nValore=0000\r\n; " + QByteArray(2 * 1024 * 1024, 'x') + "\r\n";
}

void click(QWidget* screen, const char* name)
{
    auto* button = screen->findChild<QAbstractButton*>(QLatin1StringView(name));
    QVERIFY2(button && button->isVisible(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

void typeInto(QLineEdit* field, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, field,
                            c.unicode() < 128 ? QTest::asciiToKey(char(c.unicode())) : Qt::Key_unknown, QString(c),
                            Qt::NoModifier);
}

} // namespace

class tst_OddFiles : public QObject {
    Q_OBJECT

private slots:
    void refusedAndUntouched_data();
    void refusedAndUntouched();
};

void tst_OddFiles::refusedAndUntouched_data()
{
    QTest::addColumn<QString>("file");   // the file's name in the program folder
    QTest::addColumn<QByteArray>("big"); // its content; empty: a named pipe stands there
    QTest::addColumn<QString>("use");

    const QString ini = ReceiptSettings::fileName();
    const QString store = QString::fromLatin1(kPasswordStoreFile);
    QTest::newRow("2 MB settings: the receipt editor") << ini << bigSettings() << "editor";
    QTest::newRow("2 MB password store: login") << store << bigPasswordStore() << "login";
    QTest::newRow("2 MB password store: new password") << store << bigPasswordStore() << "new password";
    QTest::newRow("pipe as settings: the receipt editor") << ini << QByteArray() << "editor";
    QTest::newRow("pipe as password store: login") << store << QByteArray() << "login";
    QTest::newRow("pipe as password store: new password") << store << QByteArray() << "new password";
    QTest::newRow("pipe as Logo.bmp: shown") << "Logo.bmp" << QByteArray() << "logo";
    QTest::newRow("pipe as Logo.bmp: replaced") << "Logo.bmp" << QByteArray() << "logo replaced";
    QTest::newRow("pipe as the year's archive: browsing") << "2026.ric" << QByteArray() << "archive";
}

// Each use runs under a watchdog: a use that waits on a pipe fails instead of hanging the run.
void tst_OddFiles::refusedAndUntouched()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, big);
    QFETCH(QString, use);
    FakePlatformScope scope;
    FakePlatform& fake = scope.fake;
    const QString path = QDir(fake.folder).filePath(file);
    if (big.isEmpty())
        QVERIFY(test::makePipe(path));
    else
        QVERIFY(test::writeFile(path, big));

    QStringList told;
    const bool returned = test::returnsWithin({path}, 10, [&] {
        if (use == QLatin1String("editor")) {
            // Shown: the lines cannot be read and the user is told. A payee line typed and the
            // editor closed: the settings are not written, and the editor stays with the line.
            TfrmRicevuta w;
            w.apriArchivio(QDir(fake.folder).filePath(QStringLiteral("2026.ric")), QStringLiteral(" Tavorel"));
            test::showActive(w);
            auto* rigo = test::child<QLineEdit>(&w, "txtRicevente02");
            rigo->selectAll();
            typeInto(rigo, QStringLiteral("Via Nuova 2"));
            click(&w, "cmdEsci");
            QVERIFY(w.isVisible());
            QCOMPARE(rigo->text(), QStringLiteral("Via Nuova 2"));
        } else if (use == QLatin1String("login")) {
            TfrmPassword w;
            test::showActive(w);
            typeInto(test::child<QLineEdit>(&w, "txtPassword"), QStringLiteral("LAMPADARIOVERO"));
            click(&w, "cmdOK");
            QVERIFY(w.isVisible());
        } else if (use == QLatin1String("new password")) {
            QVERIFY(!PasswordStore::write(fake.folder, QStringLiteral("NUOVA")));
        } else if (use == QLatin1String("logo")) {
            QCOMPARE(ReceiptSettings::caricaLogo(fake.folder), defaultLogo());
        } else if (use == QLatin1String("logo replaced")) {
            QImage logo(20, 10, QImage::Format_RGB32);
            logo.fill(Qt::red);
            QVERIFY(!ReceiptSettings::salvaLogo(fake.folder, logo));
            QVERIFY(!replaceFileContents(path, QByteArrayLiteral("BM")));
        } else if (use == QLatin1String("archive")) {
            RecordFile archive;
            QVERIFY(!OpenReceiptArchive(path, archive));
            TfrmRicevuta w;
            w.apriArchivio(path, QStringLiteral(" Tavorel"));
            test::showActive(w);
            click(&w, "cmdUltimo");
        }
        for (const auto& m : fake.messages)
            told.append(m.text);
    });
    QVERIFY2(returned, "waited on a pipe");

    if (use == QLatin1String("editor")) {
        QCOMPARE(told, QStringList(2, kMsgAccessoArchivio)); // on showing, and on closing
    } else if (use == QLatin1String("login")) {
        QCOMPARE(told, QStringList{kMsgPasswordErroreLettura});
    } else if (use == QLatin1String("archive")) {
        QCOMPARE(told.size(), 1);
        QCOMPARE(told[0], kMsgAccessoArchivio);
    } else {
        QCOMPARE(told, QStringList());
    }
    // The file is as it was: the pipe a pipe, the big file byte for byte.
    if (big.isEmpty())
        QVERIFY(test::isPipe(path));
    else
        QCOMPARE(test::readFile(path), big);
    fake.messages.clear();
    QVERIFY(fake.verifyConsumed());
}

QTEST_MAIN(tst_OddFiles)
#include "tst_OddFiles.moc"
