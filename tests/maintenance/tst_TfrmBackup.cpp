// The copies screen as the secretary uses it: where the copies go, a copy by hand and what it says,
// the automatic copy turned off, the restore's refusals and question, the check of the archives
// and the repair of a damaged one.
#include "backup/Backup.h"
#include "backup/BackupSettings.h"
#include "backup/Restore.h"
#include "maintenance/TfrmBackup.h"
#include "storage/Messages.h"
#include "storage/RecordLayout.h"
#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"
#include "support/FakePlatform.h"
#include "support/Folders.h"
#include "support/Screens.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace tavorel;
using tavorel::test::FakePlatformScope;
using tavorel::test::showActive;

namespace {

template <typename T = QAbstractButton>
T* control(QWidget& screen, const char* name)
{
    auto* c = screen.findChild<T*>(QLatin1StringView(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}

void click(QWidget& screen, const char* name)
{
    QAbstractButton* b = control(screen, name);
    QVERIFY2(b->isEnabled(), name);
    QTest::mouseClick(b, Qt::LeftButton);
}

QByteArray receipts(int count)
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i) {
        TSchedaRicevuta r;
        r.NumRic = QString::number(i);
        r.Pagatore = QStringLiteral("Pagatore %1").arg(i);
        bytes += encodeRecord(r);
    }
    return bytes;
}

void layClub(const QString& folder)
{
    QVERIFY(test::writeFile(QDir(folder).filePath(QStringLiteral("2026.ric")), receipts(3)));
    QVERIFY(test::writeFile(QDir(folder).filePath(QStringLiteral("unins000.dll")), "[Accesso]\r\nValore=41\r\n"));
}

} // namespace

class tst_TfrmBackup : public QObject {
    Q_OBJECT
private slots:
    void theScreen();
    void copyGoesWhereTheUserSays();
    void copyRefusals_data();
    void copyRefusals();
    void automaticCopyCanBeTurnedOff();
    void restoreRefusesBeforeAsking_data();
    void restoreRefusesBeforeAsking();
    void restoreAsksAndCanBeDeclined();
    void checkListsTheDamageAndRepairs();
};

void tst_TfrmBackup::theScreen()
{
    FakePlatformScope scope;
    TfrmBackup w(nullptr);
    showActive(w);
    QCOMPARE(w.objectName(), QStringLiteral("frmBackup"));
    QCOMPARE(w.windowTitle(), QStringLiteral(" Tavorel - Copie di sicurezza"));
    QCOMPARE(control(w, "btnCopia")->text(), QStringLiteral("Crea copia"));
    QCOMPARE(control(w, "btnRipristina")->text(), QStringLiteral("Ripristina"));
    QCOMPARE(control(w, "btnVerifica")->text(), QStringLiteral("Verifica archivi"));
    QCOMPARE(control(w, "btnRipara")->text(), QStringLiteral("Ripara"));
    QVERIFY(!control(w, "btnRipara")->isEnabled());
    QVERIFY(control<QLineEdit>(w, "txtCartella")->isReadOnly());
    QCOMPARE(control<QLineEdit>(w, "txtCartella")->text(),
             QDir::toNativeSeparators(scope.fake.folder + QStringLiteral("/Copie di sicurezza")));
    QVERIFY(control<QCheckBox>(w, "chkAutomatica")->isChecked());
    QVERIFY(w.findChild<QListWidget*>(QStringLiteral("lstArchivi")));
    QVERIFY(w.findChild<QAbstractButton*>(QStringLiteral("btnSfoglia")));
    click(w, "btnChiudi");
    QVERIFY(!w.isVisible());
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_TfrmBackup::copyGoesWhereTheUserSays()
{
    FakePlatformScope scope;
    layClub(scope.fake.folder);
    QTemporaryDir usb;
    {
        TfrmBackup w(nullptr);
        showActive(w);
        // The photo folder is refused: the copies would be copied into the next copies.
        QVERIFY(QDir(scope.fake.folder).mkpath(QStringLiteral("Anagrafica")));
        scope.fake.folderAnswers = {scope.fake.folder + QStringLiteral("/Anagrafica"), QString(), usb.path()};
        click(w, "btnSfoglia");
        QCOMPARE(scope.fake.lastMessage(), kMsgCartellaCopieNonAmmessa);
        click(w, "btnSfoglia"); // cancelled: nothing changes
        click(w, "btnSfoglia");
        QCOMPARE(control<QLineEdit>(w, "txtCartella")->text(), QDir::toNativeSeparators(usb.path()));
        QCOMPARE(scope.fake.folderDialogStarts.first(), scope.fake.folder + QStringLiteral("/Copie di sicurezza"));

        scope.fake.messages.clear();
        click(w, "btnCopia");
        const QString copy = usb.filePath(QStringLiteral("Tavorel_2026-12-10_0930.zip"));
        QVERIFY(QFileInfo::exists(copy));
        QCOMPARE(scope.fake.messages.size(), 1);
        QCOMPARE(scope.fake.messages[0].kind, MessageKind::Information);
        QCOMPARE(scope.fake.messages[0].text,
                 msgCopiaCreata(QDir::toNativeSeparators(copy), backupSizeText(QFileInfo(copy).size()), 2));
        QVERIFY(!QFileInfo::exists(scope.fake.folder + QStringLiteral("/Copie di sicurezza")));
    }
    // The folder chosen is the one proposed next time.
    TfrmBackup again(nullptr);
    showActive(again);
    QCOMPARE(control<QLineEdit>(again, "txtCartella")->text(), QDir::toNativeSeparators(usb.path()));
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_TfrmBackup::copyRefusals_data()
{
    QTest::addColumn<bool>("archives");
    QTest::addColumn<bool>("folderThere");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing to copy") << false << true << kMsgNienteDaCopiare;
    QTest::newRow("the chosen drive is not plugged in") << true << false << QString();
}

void tst_TfrmBackup::copyRefusals()
{
    QFETCH(bool, archives);
    QFETCH(bool, folderThere);
    QFETCH(QString, message);
    FakePlatformScope scope;
    if (archives)
        layClub(scope.fake.folder);
    QTemporaryDir usb;
    const QString folder = usb.filePath(QStringLiteral("E"));
    if (folderThere)
        QVERIFY(QDir().mkpath(folder));
    QVERIFY(BackupSettings::setFolder(scope.fake.folder, folder));
    const auto before = test::snapshot(scope.fake.folder);
    TfrmBackup w(nullptr);
    showActive(w);
    click(w, "btnCopia");
    QCOMPARE(scope.fake.messages.size(), 1);
    QCOMPARE(scope.fake.lastMessage(),
             message.isEmpty() ? msgCartellaCopieAssente(QDir::toNativeSeparators(folder)) : message);
    QCOMPARE(test::snapshot(scope.fake.folder), before);
    QVERIFY(!folderThere || QDir(folder).isEmpty());
    QVERIFY(!QFileInfo::exists(folder) || folderThere);
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_TfrmBackup::automaticCopyCanBeTurnedOff()
{
    FakePlatformScope scope;
    layClub(scope.fake.folder);
    {
        TfrmBackup w(nullptr);
        showActive(w);
        click(w, "chkAutomatica");
        QVERIFY(!control<QCheckBox>(w, "chkAutomatica")->isChecked());
    }
    QVERIFY(!BackupSettings::automatic(scope.fake.folder));
    QVERIFY(!automaticCopyDue(scope.fake.folder, scope.fake.todayValue));
    TfrmBackup again(nullptr);
    showActive(again);
    QVERIFY(!control<QCheckBox>(again, "chkAutomatica")->isChecked());
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_TfrmBackup::restoreRefusesBeforeAsking_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("not a ZIP") << QByteArray("[Ricevente]\r\nRigo 1=prova\r\n") << kMsgCopiaNonValida;
    QTest::newRow("empty") << QByteArray() << kMsgCopiaNonValida;
}

void tst_TfrmBackup::restoreRefusesBeforeAsking()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    FakePlatformScope scope;
    layClub(scope.fake.folder);
    QTemporaryDir usb;
    const QString zip = usb.filePath(QStringLiteral("Tavorel_2026-12-01_1000.zip"));
    QVERIFY(test::writeFile(zip, content));
    const auto before = test::snapshot(scope.fake.folder);
    TfrmBackup w(nullptr);
    showActive(w);
    QSignalSpy restored(&w, &TfrmBackup::ripristinoEseguito);
    scope.fake.openFileAnswers.append(zip);
    click(w, "btnRipristina");
    QCOMPARE(scope.fake.messages.size(), 1);
    QCOMPARE(scope.fake.messages[0].kind, MessageKind::Error);
    QCOMPARE(scope.fake.messages[0].text, message);
    QCOMPARE(test::snapshot(scope.fake.folder), before);
    QCOMPARE(restored.count(), 0);
    QVERIFY(w.isVisible());
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_TfrmBackup::restoreAsksAndCanBeDeclined()
{
    FakePlatformScope scope;
    layClub(scope.fake.folder);
    QTemporaryDir usb;
    const BackupOutcome copy =
        makeBackup(scope.fake.folder, usb.path(), QDateTime(QDate(2026, 12, 1), QTime(10, 0)), CopyKind::ByHand, false);
    QCOMPARE(copy.status, BackupOutcome::Done);
    QVERIFY(test::writeFile(scope.fake.folder + QStringLiteral("/2026.ric"), receipts(5)));
    const auto before = test::snapshot(scope.fake.folder);

    TfrmBackup w(nullptr);
    showActive(w);
    QSignalSpy restored(&w, &TfrmBackup::ripristinoEseguito);
    scope.fake.openFileAnswers.append(copy.path);
    scope.fake.answers.append(Answer::No);
    click(w, "btnRipristina");
    QCOMPARE(scope.fake.messages.size(), 1);
    QCOMPARE(scope.fake.messages[0].kind, MessageKind::Confirmation);
    const QString question = scope.fake.messages[0].text;
    QVERIFY2(question.startsWith(
                 QStringLiteral("Si vuole ripristinare la copia di sicurezza del 01/12/2026 alle ore 10:00?")),
             qPrintable(question));
    QVERIFY2(question.contains(QStringLiteral("- ricevute degli anni 2026 (3 ricevute)")), qPrintable(question));
    QVERIFY2(question.contains(QStringLiteral("- password")), qPrintable(question));
    // "No": nothing copied, nothing restored.
    QCOMPARE(test::snapshot(scope.fake.folder), before);
    QCOMPARE(restored.count(), 0);

    // "Sì": the present state is copied first, then the copy restored, and the user logs in again.
    scope.fake.messages.clear();
    scope.fake.openFileAnswers.append(copy.path);
    click(w, "btnRipristina");
    QCOMPARE(scope.fake.messages.size(), 2);
    const QString safety = scope.fake.folder + QStringLiteral("/Copie di sicurezza/Tavorel_2026-12-10_0930.zip");
    QCOMPARE(scope.fake.messages[1].text, msgRipristinoCompletato(QDir::toNativeSeparators(safety)));
    QCOMPARE(restored.count(), 1);
    QVERIFY(!w.isVisible());
    QCOMPARE(test::readFile(scope.fake.folder + QStringLiteral("/2026.ric")), receipts(3));
    QCOMPARE(inspectCopy(safety, scope.fake.folder).records(DataKind::ReceiptArchive), 5);
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_TfrmBackup::checkListsTheDamageAndRepairs()
{
    FakePlatformScope scope;
    QByteArray damaged = receipts(3);
    damaged[TSchedaRicevuta::RecordSize] = char(0xFF); // record 2
    QVERIFY(test::writeFile(scope.fake.folder + QStringLiteral("/2025.ric"), receipts(2)));
    QVERIFY(test::writeFile(scope.fake.folder + QStringLiteral("/2026.ric"), damaged));
    QVERIFY(test::writeFile(scope.fake.folder + QStringLiteral("/Archivio_Iscritti.pro"),
                            encodeRecord(TSchedaIscritto{}) + QByteArray(100, 'x')));
    TfrmBackup w(nullptr);
    showActive(w);
    click(w, "btnVerifica");
    auto* list = control<QListWidget>(w, "lstArchivi");
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows.append(list->item(i)->text());
    QCOMPARE(rows, (QStringList{QStringLiteral("2025.ric: 2 schede, tutte integre"),
                                QStringLiteral("2026.ric: 3 schede, 1 danneggiata (n. 2)"),
                                QStringLiteral("Archivio_Iscritti.pro: 1 scheda, ultima scheda incompleta")}));
    // Ripara is for the damaged files only: the first is ready.
    QCOMPARE(list->currentRow(), 1);
    QVERIFY(control(w, "btnRipara")->isEnabled());
    list->setCurrentRow(0);
    QVERIFY(!control(w, "btnRipara")->isEnabled());
    list->setCurrentRow(1);

    click(w, "btnRipara");
    QCOMPARE(scope.fake.messages.size(), 2);
    QCOMPARE(scope.fake.messages[0].text,
             msgConfermaRiparazione(QStringLiteral("2026.ric"), QStringLiteral("2026.ric.danneggiato-2026-12-10")));
    QCOMPARE(scope.fake.messages[1].text,
             msgArchivioRiparato(QStringLiteral("2026.ric"), 1, QStringLiteral("2026.ric.danneggiato-2026-12-10")));
    QCOMPARE(list->item(1)->text(), QStringLiteral("2026.ric: 3 schede, tutte integre"));
    QCOMPARE(test::readFile(scope.fake.folder + QStringLiteral("/2026.ric.danneggiato-2026-12-10")), damaged);
    QVERIFY(scope.fake.verifyConsumed());
}

QTEST_MAIN(tst_TfrmBackup)
#include "tst_TfrmBackup.moc"
