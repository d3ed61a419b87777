// The program as a user meets it: start-up, login, main menu, the receipts app and back, the end.
#include "app/Application.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include "access/Crypt.h"
#include "backup/Backup.h"
#include "printing/Report.h"
#include "storage/Archives.h"
#include "storage/Messages.h"
#include "storage/RecordLayout.h"
#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
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
    void leavingMakesTheDaysCopy();
    void restoringCopyAsksForTheLoginAgain();
    void printsTheMarchIncomeOfOneSport();
    void noticeListsWhoMustRenewAndWritesToThem();
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

namespace {

QWidget* logIn(FakePlatformScope& scope)
{
    control<QLineEdit>(QStringLiteral("frmPassword"), QStringLiteral("txtPassword"))
        ->setText(QStringLiteral("lampadariovero"));
    control<QAbstractButton>(QStringLiteral("frmPassword"), QStringLiteral("cmdOK"))->click();
    QWidget* menu = topLevelScreen(QStringLiteral("frmAvvio"));
    if (!menu || !menu->isVisible())
        QTest::qFail("no main menu after the login", __FILE__, __LINE__);
    Q_UNUSED(scope);
    return menu;
}

} // namespace

void tst_Application::leavingMakesTheDaysCopy()
{
    FakePlatformScope scope;
    writeStore(scope.fake.folder, QStringLiteral("LAMPADARIOVERO"));
    QFile archive(scope.fake.folder + QStringLiteral("/2026.ric"));
    QVERIFY(archive.open(QIODevice::WriteOnly));
    archive.write(encodeRecord(TSchedaRicevuta{}));
    archive.close();
    QDir copies(scope.fake.folder + QStringLiteral("/Copie di sicurezza"));
    Application app;
    app.start();

    // The first time out today: the copy, and the program ends.
    QWidget* menu = logIn(scope);
    menu->close();
    QCOMPARE(scope.fake.terminations, 1);
    QCOMPARE(copies.entryList(QDir::Files), QStringList{QStringLiteral("Tavorel_2026-12-10_0930_automatica.zip")});
    // Once a day only (the program did not really end: the menu is shown again for the next try).
    menu->show();
    menu->close();
    QCOMPARE(scope.fake.terminations, 2);
    QCOMPARE(copies.entryList(QDir::Files).size(), 1);
    // The next day the copy cannot be made (a file stands where its folder goes): the user is told
    // and the program ends all the same.
    scope.fake.nowValue = scope.fake.nowValue.addDays(1);
    QVERIFY(copies.removeRecursively());
    QVERIFY(QFile(copies.path()).open(QIODevice::WriteOnly));
    menu->show();
    menu->close();
    QCOMPARE(scope.fake.terminations, 3);
    QCOMPARE(scope.fake.messages.size(), 1);
    QCOMPARE(scope.fake.messages[0].text, msgCopiaAutomaticaNonRiuscita(QDir::toNativeSeparators(copies.path())));
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_Application::restoringCopyAsksForTheLoginAgain()
{
    FakePlatformScope scope;
    writeStore(scope.fake.folder, QStringLiteral("LAMPADARIOVERO"));
    QFile archive(scope.fake.folder + QStringLiteral("/2026.ric"));
    QVERIFY(archive.open(QIODevice::WriteOnly));
    archive.write(encodeRecord(TSchedaRicevuta{}));
    archive.close();
    QTemporaryDir usb;
    const BackupOutcome copy =
        makeBackup(scope.fake.folder, usb.path(), scope.fake.nowValue.addDays(-1), CopyKind::ByHand, false);
    QCOMPARE(copy.status, BackupOutcome::Done);
    Application app;
    app.start();
    QWidget* menu = logIn(scope);

    scope.fake.openFileAnswers.append(copy.path);
    scope.fake.dialogScripts.append([](QDialog* d) {
        d->findChild<QAbstractButton*>(QStringLiteral("btnRipristina"))->click();
        return d->result();
    });
    menu->findChild<QAbstractButton*>(QStringLiteral("btnBackup"))->click();
    QCOMPARE(scope.fake.dialogsRun, QStringList{QStringLiteral("frmBackup")});
    // The question, then the end of the restore; then the login screen, on the data restored.
    QCOMPARE(scope.fake.messages.size(), 2);
    QCOMPARE(scope.fake.messages[0].kind, MessageKind::Confirmation);
    QVERIFY(scope.fake.messages[1].text.startsWith(QStringLiteral("Il ripristino è stato completato.")));
    QCOMPARE(visibleScreens(), QStringList{QStringLiteral("frmPassword")});
    QVERIFY(control<QLineEdit>(QStringLiteral("frmPassword"), QStringLiteral("txtPassword"))->text().isEmpty());
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_Application::printsTheMarchIncomeOfOneSport()
{
    FakePlatformScope scope;
    writeStore(scope.fake.folder, QStringLiteral("LAMPADARIOVERO"));
    {
        QFile archive(scope.fake.folder + QStringLiteral("/2026.ric"));
        QVERIFY(archive.open(QIODevice::WriteOnly));
        const char* const receipts[][4] = {{"1", "02/03/2026", "Nuoto", "35,00"},
                                           {"2", "10/03/2026", "Judo", "50,00"},
                                           {"3", "31/03/2026", "Nuoto libero", "20,50"},
                                           {"4", "01/04/2026", "Nuoto", "35,00"}};
        for (const auto& r : receipts) {
            TSchedaRicevuta rec;
            rec.NumRic = QString::fromLatin1(r[0]);
            rec.Data = QString::fromLatin1(r[1]);
            rec.Pagatore = QStringLiteral("Rossi Marco");
            rec.Sport = QString::fromLatin1(r[2]);
            rec.Intero = QString::fromLatin1(r[3]);
            archive.write(encodeRecord(rec));
        }
    }
    Application app;
    app.start();
    control<QLineEdit>(QStringLiteral("frmPassword"), QStringLiteral("txtPassword"))
        ->setText(QStringLiteral("lampadariovero"));
    control<QAbstractButton>(QStringLiteral("frmPassword"), QStringLiteral("cmdOK"))->click();

    control<QAbstractButton>(QStringLiteral("frmAvvio"), QStringLiteral("btnApp03"))->click();
    QCOMPARE(visibleScreens(), QStringList{QStringLiteral("frmMenuRiepCosti")});
    control<QLineEdit>(QStringLiteral("frmMenuRiepCosti"), QStringLiteral("txtCCP"))->setText(QStringLiteral("nuoto"));
    for (const auto& [name, value] : {std::pair{"txtGiornoInizio", "01"},
                                      {"txtMeseInizio", "Marzo"},
                                      {"txtGiornoFine", "31"},
                                      {"txtMeseFine", "Marzo"}})
        control<QComboBox>(QStringLiteral("frmMenuRiepCosti"), QString::fromLatin1(name))
            ->setCurrentText(QString::fromLatin1(value));
    scope.fake.answers << Answer::Yes;
    scope.fake.dialogScripts << [](QDialog* d) {
        d->findChild<QAbstractButton*>(QStringLiteral("btnStampa"))->click();
        return int(QDialog::Rejected);
    };
    control<QAbstractButton>(QStringLiteral("frmMenuRiepCosti"), QStringLiteral("btnVisualizza"))->click();
    QCOMPARE(scope.fake.dialogsRun, QStringList{QStringLiteral("frmRiepCosti")});
    QCOMPARE(scope.fake.printed.size(), 1);
    const QStringList lines = scope.fake.printed[0].findMemo(QStringLiteral("txtRiepilogo"))->lines;
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines.last(), QStringLiteral("TOTALE IMPORTI INCASSATI:  € 55,50"));

    control<QAbstractButton>(QStringLiteral("frmMenuRiepCosti"), QStringLiteral("btnEsci"))->click();
    QCOMPARE(visibleScreens(), QStringList{QStringLiteral("frmAvvio")});
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_Application::noticeListsWhoMustRenewAndWritesToThem()
{
    FakePlatformScope scope;
    writeStore(scope.fake.folder, QStringLiteral("LAMPADARIOVERO"));
    {
        RecordFile f;
        QVERIFY(OpenMemberArchive(scope.fake.folder, f));
        TSchedaIscritto m;
        m.Tiratore = QStringLiteral("Bianchi Lia");
        m.Email = QStringLiteral("lia@club.it");
        m.Studio = QStringLiteral("15/12/2026"); // five days from today
        m.FineTes = QStringLiteral("31/12/2027");
        QVERIFY(appendRecord(f, m) > 0);
    }
    Application app;
    app.start();
    control<QLineEdit>(QStringLiteral("frmPassword"), QStringLiteral("txtPassword"))
        ->setText(QStringLiteral("lampadariovero"));
    control<QAbstractButton>(QStringLiteral("frmPassword"), QStringLiteral("cmdOK"))->click();
    auto* notice = control<QLabel>(QStringLiteral("frmAvvio"), QStringLiteral("lblScadenze"));
    QTRY_COMPARE(notice->text(), QStringLiteral("Certificati medici: 1 in scadenza entro 30 giorni"));

    // One click on the notice: the member editor with its certificate list, the expiring shown;
    // one click on "Scrivi a tutti": the reminder.
    QStringList listed;
    bool ticked = false;
    scope.fake.dialogScripts << [&](QDialog* d) {
        ticked = d->findChild<QCheckBox*>(QStringLiteral("chkInScadenza"))->isChecked();
        auto* list = d->findChild<QListView*>(QStringLiteral("lstRecords"));
        for (int i = 0; i < list->model()->rowCount(); ++i)
            listed << list->model()->index(i, 0).data().toString();
        d->findChild<QAbstractButton*>(QStringLiteral("btnEmail"))->click();
        return int(QDialog::Rejected);
    };
    QTest::mouseClick(notice, Qt::LeftButton);
    QTRY_COMPARE(scope.fake.dialogsRun, QStringList{QStringLiteral("frmCertScaduti")});
    QCOMPARE(visibleScreens(), QStringList{QStringLiteral("frmTiratori")});
    QVERIFY(ticked);
    QCOMPARE(listed.size(), 1);
    QVERIFY(listed[0].startsWith(QStringLiteral("Bianchi Lia")));
    QVERIFY(listed[0].endsWith(QStringLiteral("Scad. certificato: 15/12/2026  Giorni:     5")));
    QCOMPARE(scope.fake.opened.size(), 1);
    QVERIFY(scope.fake.opened[0].startsWith(QStringLiteral("mailto:?bcc=lia@club.it&subject=")));
    QVERIFY(scope.fake.verifyConsumed());
}

QTEST_MAIN(tst_Application)
#include "tst_Application.moc"
