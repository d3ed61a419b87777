// The member export: the archive's columns in the grid and in "Archivio_Iscritti.xls", a fee typed
// over in the grid, the information bar, help and exit.
#include "members/TfrmExpTiratori.h"
#include "shell/InfoBar.h"
#include "shell/PictureButton.h"
#include "storage/Archives.h"
#include "storage/RecordFile.h"
#include "storage/TSchedaIscritto.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using namespace tavorel;
using tavorel::test::child;
using tavorel::test::FakePlatform;
using tavorel::test::FakePlatformScope;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

TSchedaIscritto member()
{
    TSchedaIscritto m;
    m.Tiratore = QStringLiteral("Rossi Mario");
    m.Sesso = QStringLiteral("M"); // not exported
    m.DataNasc = QStringLiteral("01/02/1980");
    m.Cittadinanza = QStringLiteral("Italiana");
    m.LuogoNasc = QStringLiteral("Forlì");
    m.Indirizzo = QStringLiteral("Via Roma 7");
    m.Citta = QStringLiteral("Roma");
    m.Cap = QStringLiteral("00100");
    m.Nazione = QStringLiteral("Italia");
    m.CodFisc = QStringLiteral("RSSMRA80B01H501U");
    m.Gruppo = QStringLiteral("0+");
    m.Professione = QStringLiteral("Impiegato");
    m.Studio = QStringLiteral("31/12/2026");
    m.Ente = QStringLiteral("Tiro con l'arco");
    m.Email = QStringLiteral("mario@example.it");
    m.Tel = QStringLiteral("06 123456");
    m.Cel = QStringLiteral("333 1234567");
    m.Tessera = QStringLiteral("007");
    m.Quota = QStringLiteral("35,00");
    m.InizioTes = QStringLiteral("01/01/2026");
    m.FineTes = QStringLiteral("31/12/2026");
    m.Armi = QStringLiteral("Rossi Luca");
    m.Porto = QStringLiteral("Roma");
    m.InizioPor = QStringLiteral("14/05/2015");
    m.FinePor = QStringLiteral("Via Roma 7");
    m.Note = QStringLiteral("<b> & \"più\" €");
    m.File01 = QStringLiteral("carta.pdf"); // not exported
    return m;
}

void runExport(FakePlatform& fake, const std::function<void(TfrmExpTiratori*)>& script)
{
    QWidget owner;
    auto* dialog = new TfrmExpTiratori(&owner);
    fake.dialogScripts.append([script](QDialog* d) {
        script(static_cast<TfrmExpTiratori*>(d));
        return d->result();
    });
    platform().runModal(dialog);
    delete dialog;
}

} // namespace

class tst_TfrmExpTiratori : public QObject {
    Q_OBJECT
private slots:
    void membersExportedWithTheFeeTypedOver();
    void informationBar();
    void helpAndExit();
};

void tst_TfrmExpTiratori::membersExportedWithTheFeeTypedOver()
{
    FakePlatformScope scope;
    FakePlatform& fake = scope.fake;
    {
        RecordFile f;
        QVERIFY(OpenMemberArchive(fake.folder, f));
        QVERIFY(appendRecord(f, member()) == 1);
        QVERIFY(appendRecord(f, TSchedaIscritto{}) == 2); // every field empty
    }
    const QByteArray archive = readAll(memberArchivePath(fake.folder));
    fake.answers = {Answer::Yes, Answer::No};

    runExport(fake, [](TfrmExpTiratori* d) {
        auto* grdRecords = child<QTableView>(d, "grdRecords");
        QVERIFY(QTest::qWaitForWindowActive(d));
        QCOMPARE(d->windowTitle(), QStringLiteral(" Esportazione archivio iscritti in Microsoft Excel"));
        QCOMPARE(d->righe(), 2);
        QCOMPARE(d->cella(0, 18), QStringLiteral("35,00"));
        // The fee is typed over in the grid.
        const QModelIndex fee = grdRecords->model()->index(0, 18);
        grdRecords->scrollTo(fee);
        QApplication::processEvents();
        QTest::mouseClick(grdRecords->viewport(), Qt::LeftButton, {}, grdRecords->visualRect(fee).center());
        QCOMPARE(grdRecords->currentIndex(), fee);
        QTest::keyClicks(grdRecords, QStringLiteral("4"));
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(editor != grdRecords);
        QTest::keyClicks(editor, QStringLiteral("0,00"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(d->cella(0, 18), QStringLiteral("40,00"));
        child<PictureButton>(d, "cmdEsporta")->click();
    });

    const QByteArray expected = readAll(QFINDTESTDATA("members/tst_TfrmExpTiratori.xls"));
    QCOMPARE(readAll(QDir(fake.folder).filePath(QStringLiteral("Archivio_Iscritti.xls"))), expected);
    QVERIFY(fake.opened.isEmpty());
    QCOMPARE(readAll(memberArchivePath(fake.folder)), archive);
    QVERIFY(fake.verifyConsumed());
}

void tst_TfrmExpTiratori::informationBar()
{
    FakePlatformScope scope;
    runExport(scope.fake, [](TfrmExpTiratori* d) {
        auto* grdRecords = child<QTableView>(d, "grdRecords");
        auto* panInfo = child<InfoBar>(d, "panInfo");
        QVERIFY(QTest::qWaitForWindowActive(d));
        QCOMPARE(panInfo->text(), QStringLiteral("Esportazione archivio in Microsoft Excel."));
        const QList<QPair<QWidget*, QString>> hints = {
            {child<PictureButton>(d, "cmdEsporta"), QStringLiteral("Esporta l'archivio in formato Microsoft Excel.")},
            {child<PictureButton>(d, "cmdGuida"),
             QStringLiteral("Visualizza la pagina della guida sensibile al contesto.")},
            {child<PictureButton>(d, "cmdEsci"), QStringLiteral("Esci da questo ambiente di lavoro.")},
        };
        for (const auto& [control, hint] : hints) {
            QTest::mouseMove(control);
            QTRY_COMPARE(panInfo->text(), hint);
            // Moving on over the grid empties the bar.
            QTest::mouseMove(grdRecords->viewport(), grdRecords->viewport()->rect().center());
            QTRY_COMPARE(panInfo->text(), QString());
        }
    });
}

void tst_TfrmExpTiratori::helpAndExit()
{
    FakePlatformScope scope;
    int result = -1;
    bool helpAsked = false;
    QWidget owner;
    auto* dialog = new TfrmExpTiratori(&owner);
    QSignalSpy help(dialog, &ExportScreen::apriGuida);
    scope.fake.dialogScripts.append([&](QDialog* d) {
        auto* e = static_cast<TfrmExpTiratori*>(d);
        QTest::mouseClick(child<PictureButton>(e, "cmdGuida"), Qt::LeftButton);
        helpAsked = help.count() == 1;
        QTest::mouseClick(child<PictureButton>(e, "cmdEsci"), Qt::LeftButton);
        return d->result();
    });
    result = platform().runModal(dialog);
    QVERIFY(helpAsked);
    QCOMPARE(result, int(QDialog::Rejected));
    QVERIFY(!dialog->isVisible());
    delete dialog;
}

QTEST_MAIN(tst_TfrmExpTiratori)
#include "tst_TfrmExpTiratori.moc"
