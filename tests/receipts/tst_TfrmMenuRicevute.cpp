// The year selection of the receipts app: the proposed year, the four-digit rule, and the
// hand-over to the receipt editor or back to the main menu.
#include "receipts/TfrmMenuRicevute.h"
#include "rules/FieldRules.h"
#include "shell/PictureButton.h"
#include "storage/Messages.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

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

} // namespace

class tst_TfrmMenuRicevute : public QObject {
    Q_OBJECT
private slots:
    void showProposesTheCurrentYearEachTime();
    void apri_data();
    void apri();
    void enterGoesToApriWithoutOpening();
    void closingWithoutAYearReturnsToTheMenu_data();
    void closingWithoutAYearReturnsToTheMenu();
};

void tst_TfrmMenuRicevute::showProposesTheCurrentYearEachTime()
{
    FakePlatformScope scope;
    auto& fake = scope.fake;
    fake.todayValue = QDate(2026, 12, 31);
    TfrmMenuRicevute w;
    auto* lblMemory = child<QLabel>(&w, "lblMemory");
    auto* txtAnnoPreventivi = child<QLineEdit>(&w, "txtAnnoPreventivi");
    QCOMPARE(w.objectName(), QStringLiteral("frmMenuRicevute"));
    QCOMPARE(w.windowTitle(), QStringLiteral(" Tavorel - Stampa Ricevute"));
    showActive(w);
    QCOMPARE(txtAnnoPreventivi->text(), QStringLiteral("2026"));
    QCOMPARE(lblMemory->text(), QStringLiteral("avvio"));
    QVERIFY(lblMemory->isHidden());
    QTRY_VERIFY(txtAnnoPreventivi->hasFocus());

    txtAnnoPreventivi->selectAll();
    QTest::keyClicks(txtAnnoPreventivi, QStringLiteral("1999"));
    QCOMPARE(txtAnnoPreventivi->text(), QStringLiteral("1999"));
    child<PictureButton>(&w, "imgEsci")->click();
    QVERIFY(!w.isVisible());

    fake.todayValue = QDate(2027, 1, 1);
    showActive(w);
    QCOMPARE(txtAnnoPreventivi->text(), QStringLiteral("2027"));
    QCOMPARE(lblMemory->text(), QStringLiteral("avvio"));
    QTRY_VERIFY(txtAnnoPreventivi->hasFocus());
    QVERIFY(fake.verifyConsumed());
}

void tst_TfrmMenuRicevute::apri_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("three digits") << "202" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("year one") << "0001" << true;
    QTest::newRow("this year") << "2026" << true;
    QTest::newRow("another year") << "1998" << true;
}

void tst_TfrmMenuRicevute::apri()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    FakePlatformScope scope;
    auto& fake = scope.fake;
    TfrmMenuRicevute w;
    auto* lblMemory = child<QLabel>(&w, "lblMemory");
    auto* txtAnnoPreventivi = child<QLineEdit>(&w, "txtAnnoPreventivi");
    QSignalSpy opened(&w, &TfrmMenuRicevute::annoAperto);
    QSignalSpy toEditor(&w, &TfrmMenuRicevute::mostraEditor);
    QSignalSpy toMenu(&w, &TfrmMenuRicevute::mostraMenu);
    showActive(w);
    txtAnnoPreventivi->clear();
    QTest::keyClicks(txtAnnoPreventivi, typed);
    QTest::mouseClick(child<QPushButton>(&w, "btnApriPreventivi"), Qt::LeftButton);

    QCOMPARE(toMenu.count(), 0);
    if (!accepted) {
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.messages[0].kind, MessageKind::Warning);
        QCOMPARE(fake.messages[0].text, kMsgAnnoQuattroCifre);
        QVERIFY(w.isVisible());
        QTRY_VERIFY(txtAnnoPreventivi->hasFocus());
        QCOMPARE(lblMemory->text(), QStringLiteral("avvio"));
        QCOMPARE(opened.count(), 0);
        QCOMPARE(toEditor.count(), 0);
    } else {
        QVERIFY(fake.messages.isEmpty());
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened[0][0].toString(), fake.folder + QLatin1Char('/') + typed + QStringLiteral(".ric"));
        QCOMPARE(opened[0][1].toString(), QStringLiteral(" Tavorel - Archivio ricevute anno ") + typed);
        QCOMPARE(lblMemory->text(), QStringLiteral("ricevute"));
        QCOMPARE(toEditor.count(), 1);
        QVERIFY(!w.isVisible());
        // Opening a year does not touch the archive.
        QVERIFY(!QFile::exists(opened[0][0].toString()));
    }
    QVERIFY(fake.verifyConsumed());
}

void tst_TfrmMenuRicevute::enterGoesToApriWithoutOpening()
{
    FakePlatformScope scope;
    TfrmMenuRicevute w;
    auto* txtAnnoPreventivi = child<QLineEdit>(&w, "txtAnnoPreventivi");
    QSignalSpy opened(&w, &TfrmMenuRicevute::annoAperto);
    showActive(w);
    QTRY_VERIFY(txtAnnoPreventivi->hasFocus());
    QTest::keyClick(txtAnnoPreventivi, Qt::Key_Return);
    QTRY_VERIFY(child<QPushButton>(&w, "btnApriPreventivi")->hasFocus());
    QCOMPARE(opened.count(), 0);
    QVERIFY(w.isVisible());
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_TfrmMenuRicevute::closingWithoutAYearReturnsToTheMenu_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("imgEsci") << false;
    QTest::newRow("window close box") << true;
}

void tst_TfrmMenuRicevute::closingWithoutAYearReturnsToTheMenu()
{
    QFETCH(bool, closeBox);
    FakePlatformScope scope;
    TfrmMenuRicevute w;
    auto* imgEsci = child<PictureButton>(&w, "imgEsci");
    QSignalSpy toEditor(&w, &TfrmMenuRicevute::mostraEditor);
    QSignalSpy toMenu(&w, &TfrmMenuRicevute::mostraMenu);
    showActive(w);
    // A year typed but not opened does not count.
    child<QLineEdit>(&w, "txtAnnoPreventivi")->setText(QStringLiteral("2020"));
    if (closeBox)
        QVERIFY(w.close());
    else
        QTest::mouseClick(imgEsci, Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QCOMPARE(toMenu.count(), 1);
    QCOMPARE(toEditor.count(), 0);

    // The next visit starts over with the tag "avvio", whatever the last one ended with.
    showActive(w);
    child<QPushButton>(&w, "btnApriPreventivi")->click();
    QCOMPARE(toEditor.count(), 1);
    showActive(w);
    imgEsci->click();
    QCOMPARE(toMenu.count(), 2);
    QCOMPARE(toEditor.count(), 1);
    QVERIFY(scope.fake.verifyConsumed());
}

QTEST_MAIN(tst_TfrmMenuRicevute)
#include "tst_TfrmMenuRicevute.moc"
