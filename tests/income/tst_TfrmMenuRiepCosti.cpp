// The income summary query driven through its keys and buttons: what showing it resets, the keys
// its fields take, the checks' messages and focus, and the hand-over to the summary list.
#include "income/TfrmMenuRiepCosti.h"
#include "income/TfrmRiepCosti.h"
#include "shell/ListPanel.h"
#include "storage/RecordLayout.h"
#include "storage/TSchedaRicevuta.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace tavorel;
using tavorel::test::FakePlatformScope;
using tavorel::test::pickFromList;
using tavorel::test::showActive;

Q_DECLARE_METATYPE(MessageKind)

namespace {

void pickInterval(TfrmMenuRiepCosti& q, const QString& d1, const QString& m1, const QString& d2, const QString& m2)
{
    pickFromList(q.txtGiornoInizio, d1);
    pickFromList(q.txtMeseInizio, m1);
    pickFromList(q.txtGiornoFine, d2);
    pickFromList(q.txtMeseFine, m2);
}

void writeReceipts(const QString& path, const QList<QStringList>& receipts)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    for (const QStringList& r : receipts) {
        TSchedaRicevuta rec;
        rec.NumRic = r[0];
        rec.Data = r[1];
        rec.Intero = r[2];
        rec.Pagatore = r[3];
        rec.Sport = r[4];
        f.write(encodeRecord(rec));
    }
}

} // namespace

class tst_TfrmMenuRiepCosti : public QObject {
    Q_OBJECT
private slots:
    void showingResetsTheQuery();
    void keysOfTheFields();
    void enterMovesAlongTheQuery();
    void checksSayWhatIsMissingAndWhere_data();
    void checksSayWhatIsMissingAndWhere();
    void requestOpensTheSummaryOfTheYear();
    void yearWithoutArchiveGivesAnEmptySummaryAndAnEmptyFile();
    void archiveThatCannotBeReadIsReported();
    void closingReturnsToTheMenu();
};

void tst_TfrmMenuRiepCosti::showingResetsTheQuery()
{
    FakePlatformScope scope;
    TfrmMenuRiepCosti q;
    showActive(q);
    QCOMPARE(q.txtAnno->text(), QStringLiteral("2026"));
    QCOMPARE(q.lblAnnoInizio->text(), QStringLiteral("2026"));
    QCOMPARE(q.lblAnnoFine->text(), QStringLiteral("2026"));
    QCOMPARE(QApplication::focusWidget(), q.txtEsecutore);
    QVERIFY(!q.lblAttendere->isVisible());

    QTest::keyClicks(q.txtEsecutore, "Rossi");
    QTest::keyClicks(q.txtCCP, "Nuoto");
    pickInterval(q, "05", "Marzo", "20", "Aprile");
    q.txtAnno->setText("2024");
    q.hide();
    showActive(q);
    QCOMPARE(q.txtAnno->text(), QStringLiteral("2026"));
    QCOMPARE(q.txtEsecutore->text(), QString());
    QCOMPARE(q.txtCCP->text(), QString());
    for (QComboBox* c : {q.txtGiornoInizio, q.txtMeseInizio, q.txtGiornoFine, q.txtMeseFine}) {
        QCOMPARE(c->currentText(), QString());
        QCOMPARE(c->currentIndex(), -1);
    }
}

void tst_TfrmMenuRiepCosti::keysOfTheFields()
{
    FakePlatformScope scope;
    TfrmMenuRiepCosti q;
    showActive(q);

    // The year takes digits only, four at most, and both year labels follow it.
    q.txtAnno->setFocus();
    q.txtAnno->selectAll();
    QTest::keyClicks(q.txtAnno, "2a0-2 5,9");
    QCOMPARE(q.txtAnno->text(), QStringLiteral("2025"));
    QCOMPARE(q.lblAnnoInizio->text(), QStringLiteral("2025"));
    QTest::keyClick(q.txtAnno, Qt::Key_Backspace);
    QCOMPARE(q.lblAnnoFine->text(), QStringLiteral("202"));

    // The day and month lists cannot be typed into: only picked, or emptied.
    pickFromList(q.txtGiornoInizio, "05");
    pickFromList(q.txtMeseInizio, "Marzo");
    q.txtGiornoInizio->setFocus();
    QTest::keyClicks(q.txtGiornoInizio, "1x");
    QTest::keyClick(q.txtGiornoInizio, Qt::Key_Down);
    QTest::keyClick(q.txtGiornoInizio, Qt::Key_Up);
    QTest::keyClick(q.txtGiornoInizio, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(q.txtGiornoInizio->currentText(), QStringLiteral("05"));
    q.txtMeseInizio->setFocus();
    QTest::keyClick(q.txtMeseInizio, Qt::Key_Left);
    QTest::keyClicks(q.txtMeseInizio, "a");
    QCOMPARE(q.txtMeseInizio->currentText(), QStringLiteral("Marzo"));
    QTest::keyClick(q.txtMeseInizio, Qt::Key_Delete);
    QCOMPARE(q.txtMeseInizio->currentText(), QString());
    q.txtGiornoInizio->setFocus();
    QTest::keyClick(q.txtGiornoInizio, Qt::Key_Backspace);
    QCOMPARE(q.txtGiornoInizio->currentText(), QString());

    // A text that did not come from the list does not survive leaving the field.
    q.txtGiornoFine->setEditText("32");
    q.txtMeseFine->setEditText(" APRILE ");
    q.txtGiornoFine->setFocus();
    q.txtMeseFine->setFocus();
    q.txtCCP->setFocus();
    QCOMPARE(q.txtGiornoFine->currentText(), QString());
    QCOMPARE(q.txtMeseFine->currentText(), QStringLiteral(" APRILE "));
}

void tst_TfrmMenuRiepCosti::enterMovesAlongTheQuery()
{
    FakePlatformScope scope;
    TfrmMenuRiepCosti q;
    showActive(q);
    q.txtAnno->setFocus();
    const QList<QWidget*> chain{q.txtEsecutore,  q.txtCCP,      q.txtGiornoInizio, q.txtMeseInizio,
                                q.txtGiornoFine, q.txtMeseFine, q.btnVisualizza};
    for (QWidget* next : chain) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    // Enter reaches the button without pressing it.
    QVERIFY(scope.fake.messages.isEmpty());
}

void tst_TfrmMenuRiepCosti::checksSayWhatIsMissingAndWhere_data()
{
    QTest::addColumn<QString>("anno");
    QTest::addColumn<QStringList>("interval"); // day, month, day, month ("" = not picked)
    QTest::addColumn<MessageKind>("kind");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("dataInizio");

    QTest::newRow("year of three digits") << "202" << QStringList{"01", "Marzo", "31", "Marzo"} << MessageKind::Warning
                                          << "Attenzione: indicare l'anno solare utilizzando quattro cifre."
                                          << "txtAnno"
                                          << "";
    QTest::newRow("start month missing")
        << "2026" << QStringList{"01", "", "31", "Marzo"} << MessageKind::Warning
        << "Attenzione: indicare il mese di inizio intervallo selezionandolo dall'elenco a cascata."
        << "txtMeseInizio"
        << "";
    QTest::newRow("end day missing")
        << "2026" << QStringList{"01", "Marzo", "", "Marzo"} << MessageKind::Warning
        << "Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco a cascata."
        << "txtGiornoFine"
        << "";
    QTest::newRow("31 April") << "2024" << QStringList{"31", "Aprile", "30", "Maggio"} << MessageKind::Plain
                              << "Attenzione: la data 31/04/2024 di inizio intervallo non esiste.\n\r\n\rPer poter "
                                 "visualizzare il riepilogo è necessario indicare una data valida."
                              << "txtGiornoInizio"
                              << "31/04/2024";
    QTest::newRow("end before start")
        << "2026" << QStringList{"10", "Maggio", "09", "Maggio"} << MessageKind::Plain
        << "Attenzione: la data di fine intervallo (09/05/2026) non può essere anteriore a quella di inizio "
           "intervallo (10/05/2026).\n\r\n\rPer poter visualizzare il riepilogo è necessario indicare un "
           "intervallo di tempo valido."
        << "btnVisualizza"
        << "10/05/2026";
}

void tst_TfrmMenuRiepCosti::checksSayWhatIsMissingAndWhere()
{
    QFETCH(QString, anno);
    QFETCH(QStringList, interval);
    QFETCH(MessageKind, kind);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(QString, dataInizio);

    FakePlatformScope scope;
    TfrmMenuRiepCosti q;
    showActive(q);
    q.txtAnno->setFocus();
    q.txtAnno->selectAll();
    QTest::keyClicks(q.txtAnno, anno);
    const QList<QComboBox*> lists{q.txtGiornoInizio, q.txtMeseInizio, q.txtGiornoFine, q.txtMeseFine};
    for (int i = 0; i < 4; ++i) {
        if (!interval[i].isEmpty())
            pickFromList(lists[i], interval[i]);
    }
    QTest::mouseClick(q.btnVisualizza, Qt::LeftButton);

    QCOMPARE(scope.fake.messages.size(), 1);
    QCOMPARE(scope.fake.messages[0].kind, kind);
    QCOMPARE(scope.fake.messages[0].text, message);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QCOMPARE(q.lblDataInizio->text(), dataInizio);
    QVERIFY(!q.lblAttendere->isVisible());
    QVERIFY(scope.fake.dialogsRun.isEmpty());
}

void tst_TfrmMenuRiepCosti::requestOpensTheSummaryOfTheYear()
{
    FakePlatformScope scope;
    writeReceipts(QDir(scope.fake.folder).filePath("2025.ric"),
                  {{"1", "28/02/2025", "5,00", "Rossi Marco", "Nuoto"},
                   {"2", "01/03/2025", "0,10", "Rossi Marco", "Nuoto"},
                   {"3", "15/03/2025", "7,00", "Rossi Marco", "Judo"},
                   {"4", "31/03/2025", "0,20", "De Rossi Ugo", "Nuoto libero"},
                   {"5", "20/03/2025", "9,00", "Bianchi Anna", "Nuoto"}});
    TfrmMenuRiepCosti q;
    showActive(q);
    q.txtAnno->setFocus();
    q.txtAnno->selectAll();
    QTest::keyClicks(q.txtAnno, "2025");
    QTest::keyClicks(q.txtEsecutore, "ROSSI");
    QTest::keyClicks(q.txtCCP, "nuoto");
    pickInterval(q, "01", "Marzo", "31", "Marzo");

    QStringList rows;
    QString total;
    QString interval;
    bool waiting = false;
    scope.fake.dialogScripts << [&](QDialog* d) {
        auto* list = qobject_cast<TfrmRiepCosti*>(d);
        rows = list->elenco->rows();
        total = list->lblTotCosti->text();
        interval = list->lblIntervallo->text();
        waiting = q.lblAttendere->isVisible();
        return int(QDialog::Rejected);
    };
    QTest::mouseClick(q.btnVisualizza, Qt::LeftButton);

    QCOMPARE(scope.fake.dialogsRun, QStringList{"frmRiepCosti"});
    QVERIFY(scope.fake.messages.isEmpty());
    QCOMPARE(rows.size(), 2);
    QVERIFY(rows[0].startsWith("Ric. n. 2 "));
    QVERIFY(rows[1].startsWith("Ric. n. 4 "));
    QCOMPARE(total, QStringLiteral("0,30"));
    QCOMPARE(interval, QStringLiteral("Dal   01/03/2025   al   31/03/2025"));
    QCOMPARE(q.lblFile->text(), QDir(scope.fake.folder).filePath("2025.ric"));
    QVERIFY(waiting);
    QVERIFY(!q.lblAttendere->isVisible());
    // The query keeps its values after the summary closes.
    QCOMPARE(q.txtEsecutore->text(), QStringLiteral("ROSSI"));
    QCOMPARE(q.txtMeseFine->currentText(), QStringLiteral("Marzo"));
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_TfrmMenuRiepCosti::yearWithoutArchiveGivesAnEmptySummaryAndAnEmptyFile()
{
    FakePlatformScope scope;
    TfrmMenuRiepCosti q;
    showActive(q);
    pickInterval(q, "01", "Gennaio", "31", "Dicembre");
    int rows = -1;
    QString total;
    scope.fake.dialogScripts << [&](QDialog* d) {
        auto* list = qobject_cast<TfrmRiepCosti*>(d);
        rows = list->elenco->count();
        total = list->lblTotCosti->text();
        return int(QDialog::Rejected);
    };
    QTest::mouseClick(q.btnVisualizza, Qt::LeftButton);
    QCOMPARE(rows, 0);
    QCOMPARE(total, QStringLiteral("0,00"));
    const QFileInfo archive(QDir(scope.fake.folder).filePath("2026.ric"));
    QVERIFY(archive.exists());
    QCOMPARE(archive.size(), 0);
}

void tst_TfrmMenuRiepCosti::archiveThatCannotBeReadIsReported()
{
    FakePlatformScope scope;
    QVERIFY(QDir(scope.fake.folder).mkdir("2026.ric"));
    TfrmMenuRiepCosti q;
    showActive(q);
    pickInterval(q, "01", "Gennaio", "31", "Dicembre");
    QTest::mouseClick(q.btnVisualizza, Qt::LeftButton);
    QVERIFY(scope.fake.dialogsRun.isEmpty());
    QCOMPARE(scope.fake.messages.size(), 1);
    QCOMPARE(scope.fake.messages[0].kind, MessageKind::Plain);
    QCOMPARE(scope.fake.messages[0].text, QStringLiteral("Attenzione: il file di archivio non risulta accessibile."));
    QVERIFY(!q.lblAttendere->isVisible());
}

void tst_TfrmMenuRiepCosti::closingReturnsToTheMenu()
{
    FakePlatformScope scope;
    TfrmMenuRiepCosti q;
    QSignalSpy menu(&q, &TfrmMenuRiepCosti::mostraMenu);
    showActive(q);
    QTest::mouseClick(q.btnEsci, Qt::LeftButton);
    QCOMPARE(menu.count(), 1);
    QVERIFY(!q.isVisible());
}

QTEST_MAIN(tst_TfrmMenuRiepCosti)
#include "tst_TfrmMenuRiepCosti.moc"
