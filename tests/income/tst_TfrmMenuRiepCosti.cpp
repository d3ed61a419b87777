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
using tavorel::test::child;
using tavorel::test::FakePlatformScope;
using tavorel::test::pickFromList;
using tavorel::test::showActive;

Q_DECLARE_METATYPE(MessageKind)

namespace {

// The interval's drop-down lists: start day, start month, end day, end month.
QList<QComboBox*> intervalLists(TfrmMenuRiepCosti& q)
{
    return {child<QComboBox>(&q, "txtGiornoInizio"), child<QComboBox>(&q, "txtMeseInizio"),
            child<QComboBox>(&q, "txtGiornoFine"), child<QComboBox>(&q, "txtMeseFine")};
}

void pickInterval(TfrmMenuRiepCosti& q, const QString& d1, const QString& m1, const QString& d2, const QString& m2)
{
    const QList<QComboBox*> lists = intervalLists(q);
    pickFromList(lists[0], d1);
    pickFromList(lists[1], m1);
    pickFromList(lists[2], d2);
    pickFromList(lists[3], m2);
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
    auto* txtAnno = child<QLineEdit>(&q, "txtAnno");
    auto* txtCCP = child<QLineEdit>(&q, "txtCCP");
    auto* txtEsecutore = child<QLineEdit>(&q, "txtEsecutore");
    showActive(q);
    QCOMPARE(txtAnno->text(), QStringLiteral("2026"));
    QCOMPARE(child<QLabel>(&q, "lblAnnoInizio")->text(), QStringLiteral("2026"));
    QCOMPARE(child<QLabel>(&q, "lblAnnoFine")->text(), QStringLiteral("2026"));
    QCOMPARE(QApplication::focusWidget(), txtEsecutore);
    QVERIFY(!child<QLabel>(&q, "lblAttendere")->isVisible());

    QTest::keyClicks(txtEsecutore, "Rossi");
    QTest::keyClicks(txtCCP, "Nuoto");
    pickInterval(q, "05", "Marzo", "20", "Aprile");
    txtAnno->setText("2024");
    q.hide();
    showActive(q);
    QCOMPARE(txtAnno->text(), QStringLiteral("2026"));
    QCOMPARE(txtEsecutore->text(), QString());
    QCOMPARE(txtCCP->text(), QString());
    for (QComboBox* c : intervalLists(q)) {
        QCOMPARE(c->currentText(), QString());
        QCOMPARE(c->currentIndex(), -1);
    }
}

void tst_TfrmMenuRiepCosti::keysOfTheFields()
{
    FakePlatformScope scope;
    TfrmMenuRiepCosti q;
    auto* txtAnno = child<QLineEdit>(&q, "txtAnno");
    auto* txtGiornoFine = child<QComboBox>(&q, "txtGiornoFine");
    auto* txtGiornoInizio = child<QComboBox>(&q, "txtGiornoInizio");
    auto* txtMeseFine = child<QComboBox>(&q, "txtMeseFine");
    auto* txtMeseInizio = child<QComboBox>(&q, "txtMeseInizio");
    showActive(q);

    // The year takes digits only, four at most, and both year labels follow it.
    txtAnno->setFocus();
    txtAnno->selectAll();
    QTest::keyClicks(txtAnno, "2a0-2 5,9");
    QCOMPARE(txtAnno->text(), QStringLiteral("2025"));
    QCOMPARE(child<QLabel>(&q, "lblAnnoInizio")->text(), QStringLiteral("2025"));
    QTest::keyClick(txtAnno, Qt::Key_Backspace);
    QCOMPARE(child<QLabel>(&q, "lblAnnoFine")->text(), QStringLiteral("202"));

    // The day and month lists hold only their entries (picked with the mouse or the keys, see
    // tst_KeyboardEverywhere), or nothing.
    pickFromList(txtGiornoInizio, "05");
    pickFromList(txtMeseInizio, "Marzo");
    txtGiornoInizio->setFocus();
    QTest::keyClicks(txtGiornoInizio, "x");
    QCOMPARE(txtGiornoInizio->currentText(), QStringLiteral("05"));
    txtMeseInizio->setFocus();
    QTest::keyClick(txtMeseInizio, Qt::Key_Delete);
    QCOMPARE(txtMeseInizio->currentText(), QString());
    txtGiornoInizio->setFocus();
    QTest::keyClick(txtGiornoInizio, Qt::Key_Backspace);
    QCOMPARE(txtGiornoInizio->currentText(), QString());

    // A text that did not come from the list does not survive leaving the field.
    txtGiornoFine->setEditText("32");
    txtMeseFine->setEditText(" APRILE ");
    txtGiornoFine->setFocus();
    txtMeseFine->setFocus();
    child<QLineEdit>(&q, "txtCCP")->setFocus();
    QCOMPARE(txtGiornoFine->currentText(), QString());
    QCOMPARE(txtMeseFine->currentText(), QStringLiteral(" APRILE "));
}

void tst_TfrmMenuRiepCosti::enterMovesAlongTheQuery()
{
    FakePlatformScope scope;
    TfrmMenuRiepCosti q;
    showActive(q);
    child<QLineEdit>(&q, "txtAnno")->setFocus();
    const QList<QWidget*> chain{child<QLineEdit>(&q, "txtEsecutore"),    child<QLineEdit>(&q, "txtCCP"),
                                child<QComboBox>(&q, "txtGiornoInizio"), child<QComboBox>(&q, "txtMeseInizio"),
                                child<QComboBox>(&q, "txtGiornoFine"),   child<QComboBox>(&q, "txtMeseFine"),
                                child<QPushButton>(&q, "btnVisualizza")};
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
    auto* txtAnno = child<QLineEdit>(&q, "txtAnno");
    showActive(q);
    txtAnno->setFocus();
    txtAnno->selectAll();
    QTest::keyClicks(txtAnno, anno);
    const QList<QComboBox*> lists = intervalLists(q);
    for (int i = 0; i < 4; ++i) {
        if (!interval[i].isEmpty())
            pickFromList(lists[i], interval[i]);
    }
    QTest::mouseClick(child<QPushButton>(&q, "btnVisualizza"), Qt::LeftButton);

    QCOMPARE(scope.fake.messages.size(), 1);
    QCOMPARE(scope.fake.messages[0].kind, kind);
    QCOMPARE(scope.fake.messages[0].text, message);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QCOMPARE(child<QLabel>(&q, "lblDataInizio")->text(), dataInizio);
    QVERIFY(!child<QLabel>(&q, "lblAttendere")->isVisible());
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
    auto* lblAttendere = child<QLabel>(&q, "lblAttendere");
    auto* txtAnno = child<QLineEdit>(&q, "txtAnno");
    auto* txtEsecutore = child<QLineEdit>(&q, "txtEsecutore");
    showActive(q);
    txtAnno->setFocus();
    txtAnno->selectAll();
    QTest::keyClicks(txtAnno, "2025");
    QTest::keyClicks(txtEsecutore, "ROSSI");
    QTest::keyClicks(child<QLineEdit>(&q, "txtCCP"), "nuoto");
    pickInterval(q, "01", "Marzo", "31", "Marzo");

    QStringList rows;
    QString total;
    QString interval;
    bool waiting = false;
    scope.fake.dialogScripts << [&](QDialog* d) {
        auto* list = qobject_cast<TfrmRiepCosti*>(d);
        rows = child<ListPanel>(list, "panElenco")->rows();
        total = child<QLabel>(list, "lblTotCosti")->text();
        interval = child<QLabel>(list, "lblIntervallo")->text();
        waiting = lblAttendere->isVisible();
        return int(QDialog::Rejected);
    };
    QTest::mouseClick(child<QPushButton>(&q, "btnVisualizza"), Qt::LeftButton);

    QCOMPARE(scope.fake.dialogsRun, QStringList{"frmRiepCosti"});
    QVERIFY(scope.fake.messages.isEmpty());
    QCOMPARE(rows.size(), 2);
    QVERIFY(rows[0].startsWith("Ric. n. 2 "));
    QVERIFY(rows[1].startsWith("Ric. n. 4 "));
    QCOMPARE(total, QStringLiteral("0,30"));
    QCOMPARE(interval, QStringLiteral("Dal   01/03/2025   al   31/03/2025"));
    QCOMPARE(child<QLabel>(&q, "lblFile")->text(), QDir(scope.fake.folder).filePath("2025.ric"));
    QVERIFY(waiting);
    QVERIFY(!lblAttendere->isVisible());
    // The query keeps its values after the summary closes.
    QCOMPARE(txtEsecutore->text(), QStringLiteral("ROSSI"));
    QCOMPARE(child<QComboBox>(&q, "txtMeseFine")->currentText(), QStringLiteral("Marzo"));
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
        rows = child<ListPanel>(list, "panElenco")->count();
        total = child<QLabel>(list, "lblTotCosti")->text();
        return int(QDialog::Rejected);
    };
    QTest::mouseClick(child<QPushButton>(&q, "btnVisualizza"), Qt::LeftButton);
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
    QTest::mouseClick(child<QPushButton>(&q, "btnVisualizza"), Qt::LeftButton);
    QVERIFY(scope.fake.dialogsRun.isEmpty());
    QCOMPARE(scope.fake.messages.size(), 1);
    QCOMPARE(scope.fake.messages[0].kind, MessageKind::Plain);
    QCOMPARE(scope.fake.messages[0].text, QStringLiteral("Attenzione: il file di archivio non risulta accessibile."));
    QVERIFY(!child<QLabel>(&q, "lblAttendere")->isVisible());
}

void tst_TfrmMenuRiepCosti::closingReturnsToTheMenu()
{
    FakePlatformScope scope;
    TfrmMenuRiepCosti q;
    QSignalSpy menu(&q, &TfrmMenuRiepCosti::mostraMenu);
    showActive(q);
    QTest::mouseClick(child<QPushButton>(&q, "btnEsci"), Qt::LeftButton);
    QCOMPARE(menu.count(), 1);
    QVERIFY(!q.isVisible());
}

QTEST_MAIN(tst_TfrmMenuRiepCosti)
#include "tst_TfrmMenuRiepCosti.moc"
