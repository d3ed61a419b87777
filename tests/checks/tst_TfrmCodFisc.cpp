#include "checks/TfrmCodFisc.h"
#include "checks/TfrmPartitaIva.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tavorel;
using tavorel::test::child;
using tavorel::test::FakePlatformScope;

namespace {

const QString kCfLunghezza =
    QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.");
const QString kCfValido = QStringLiteral("Il codice fiscale digitato è VALIDO.");
const QString kCfErrato = QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO.");
const QString kIvaLunghezza =
    QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.");
const QString kIvaValida = QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                                          "E' stato rilasciato dall'Ufficio IVA del Comune di ");
const QString kIvaErrata = QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                                          "Non è quindi possibile fornire informazioni relative all'Ufficio IVA "
                                          "che lo ha rilasciato.");

// What one run of a check window showed.
struct Seen {
    QString fieldText;
    bool openAfterCheck = false;
    bool focusInField = false;
};

QLineEdit* fieldOf(QDialog* d)
{
    if (qobject_cast<TfrmCodFisc*>(d))
        return child<QLineEdit>(d, "txtCodFisc");
    if (qobject_cast<TfrmPartitaIva*>(d))
        return child<QLineEdit>(d, "txtPartitaIva");
    return nullptr;
}

} // namespace

class TstTfrmCodFisc : public QObject {
    Q_OBJECT
private slots:
    void check_data();
    void check();
    void typingAndEnter_data();
    void typingAndEnter();
};

void TstTfrmCodFisc::check_data()
{
    QTest::addColumn<QString>("callerText");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("fieldText");
    QTest::addColumn<MessageKind>("kind");
    QTest::addColumn<QString>("message");

    const QString cf = QStringLiteral("frmCodFisc");
    const QString vat = QStringLiteral("frmPartitaIva");
    const auto W = MessageKind::Warning;
    const auto I = MessageKind::Information;

    QTest::newRow("fiscal code valid") << "AAAAAA00A00A000I" << cf << "AAAAAA00A00A000I" << I << kCfValido;
    QTest::newRow("fiscal code wrong") << "AAAAAA00A00A000J" << cf << "AAAAAA00A00A000J" << W << kCfErrato;
    QTest::newRow("small letters, blanks around")
        << "  aaaaaa00a00a000i " << cf << "aaaaaa00a00a000i" << I << kCfValido;
    QTest::newRow("only the check letter counts") << "000000000000000I" << cf << "000000000000000I" << I << kCfValido;
    QTest::newRow("15 characters") << "AAAAAA00A00A000" << cf << "AAAAAA00A00A000" << W << kCfLunghezza;
    QTest::newRow("ten digits and a letter") << "0123456789A" << cf << "0123456789A" << W << kCfLunghezza;
    QTest::newRow("empty caller field") << "   " << cf << "" << W << kCfLunghezza;

    QTest::newRow("VAT valid, Roma 1") << "12345670587" << vat << "12345670587" << I << kIvaValida + "Roma 1.";
    QTest::newRow("VAT valid, 120 is Bologna 2")
        << "12345671205" << vat << "12345671205" << I << kIvaValida + "Bologna 2.";
    QTest::newRow("VAT valid, office not in table")
        << "00000000000" << vat << "00000000000" << I << kIvaValida + "(ufficio non presente in tabella).";
    QTest::newRow("VAT wrong check digit") << " 12345670588" << vat << "12345670588" << W << kIvaErrata;
    QTest::newRow("VAT ten digits") << "1234567058" << vat << "1234567058" << W << kIvaLunghezza;
    // A longer number is checked whole, never cut to eleven digits that might pass.
    QTest::newRow("VAT sixteen digits") << "1234567058700000" << vat << "1234567058700000" << W << kIvaLunghezza;
}

void TstTfrmCodFisc::check()
{
    QFETCH(QString, callerText);
    QFETCH(QString, window);
    QFETCH(QString, fieldText);
    QFETCH(MessageKind, kind);
    QFETCH(QString, message);

    FakePlatformScope scope;
    auto& fake = scope.fake;
    QWidget editor; // the editor whose check button was pressed
    Seen seen;
    QPointer<QDialog> run;
    fake.dialogScripts.append([&](QDialog* d) {
        run = d;
        if (!QTest::qWaitForWindowActive(d))
            return -1;
        QLineEdit* field = fieldOf(d);
        seen.fieldText = field->text();
        d->findChild<QPushButton*>(QStringLiteral("btnControlla"))->click();
        seen.openAfterCheck = d->isVisible();
        seen.focusInField = field->hasFocus();
        if (seen.openAfterCheck)
            d->findChild<QPushButton*>(QStringLiteral("btnChiudi"))->click();
        return d->result();
    });
    TfrmCodFisc::apriControllo(&editor, callerText);

    QCOMPARE(fake.dialogsRun, QStringList{window});
    QVERIFY(run.isNull()); // deleted after use
    QCOMPARE(seen.fieldText, fieldText);
    QCOMPARE(fake.messages.size(), 1);
    QCOMPARE(fake.messages[0].kind, kind);
    QCOMPARE(fake.messages[0].text, message);
    // Only the length message keeps the window open, with the focus back in the field.
    const bool lengthMessage = message == kCfLunghezza || message == kIvaLunghezza;
    QCOMPARE(seen.openAfterCheck, lengthMessage);
    if (lengthMessage)
        QVERIFY(seen.focusInField);
    QVERIFY(fake.verifyConsumed());
}

void TstTfrmCodFisc::typingAndEnter_data()
{
    // clang-format off
    QTest::addColumn<bool>("vat");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");

    QTest::newRow("fiscal code in capitals, no blanks") << false << " rss mra80a01h501u " << "RSSMRA80A01H501U";
    QTest::newRow("fiscal code stops at 16") << false << "AAAAAA00A00A000IXY" << "AAAAAA00A00A000I";
    QTest::newRow("VAT digits only") << true << "12a-3,4 5x" << "12345";
    QTest::newRow("VAT stops at 11") << true << "123456789012345" << "12345678901";
    // clang-format on
}

void TstTfrmCodFisc::typingAndEnter()
{
    QFETCH(bool, vat);
    QFETCH(QString, typed);
    QFETCH(QString, shown);

    FakePlatformScope scope;
    auto& fake = scope.fake;
    QWidget editor;
    bool focusAtStart = false;
    QString afterTyping;
    bool focusOnControlla = false;
    bool open = false;
    fake.dialogScripts.append([&](QDialog* d) {
        QLineEdit* field = fieldOf(d);
        focusAtStart = QTest::qWaitForWindowActive(d) && field->hasFocus();
        field->clear();
        QTest::keyClicks(field, typed);
        afterTyping = field->text();
        // Enter moves to "Controlla" without pressing it.
        QTest::keyClick(field, Qt::Key_Return);
        focusOnControlla = d->findChild<QPushButton*>(QStringLiteral("btnControlla"))->hasFocus();
        open = d->isVisible();
        return d->result();
    });
    TfrmCodFisc::apriControllo(&editor, vat ? QStringLiteral("1") : QString());

    QCOMPARE(fake.dialogsRun, QStringList{vat ? QStringLiteral("frmPartitaIva") : QStringLiteral("frmCodFisc")});
    QVERIFY(focusAtStart);
    QCOMPARE(afterTyping, shown);
    QVERIFY(focusOnControlla);
    QVERIFY(open);
    QVERIFY(fake.messages.isEmpty());
    QVERIFY(fake.verifyConsumed());
}

QTEST_MAIN(TstTfrmCodFisc)
#include "tst_TfrmCodFisc.moc"
