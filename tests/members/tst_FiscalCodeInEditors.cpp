// The fiscal code computed in the member editor and compared with the person's data when either
// editor saves: driven through the controls, checked on the fields, the messages and the archive.
#include "members/TfrmTiratori.h"
#include "receipts/TfrmRicevuta.h"
#include "shell/PictureButton.h"
#include "storage/Archives.h"
#include "storage/Messages.h"
#include "support/FakePlatform.h"
#include "support/Folders.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>

using namespace tavorel;
using tavorel::test::FakePlatformScope;

namespace {

const QString kRossi = QStringLiteral("RSSMRA80A01H501U"); // Rossi Mario, M, 01/01/1980, Roma

void fill(QWidget& w, const QList<std::pair<const char*, QString>>& fields)
{
    for (const auto& [name, text] : fields)
        w.findChild<QLineEdit*>(QLatin1StringView(name))->setText(text);
}

void click(QWidget& w, const char* name)
{
    w.findChild<PictureButton*>(QLatin1StringView(name))->click();
}

// A member the save accepts but for the fiscal code.
void fillMember(QWidget& w)
{
    fill(w, {{"txtTiratore", QStringLiteral("Rossi Mario")},
             {"txtSesso", QStringLiteral("M")},
             {"txtDataNasc", QStringLiteral("01/01/1980")},
             {"txtLuogoNasc", QStringLiteral("Roma")},
             {"txtStudio", QStringLiteral("30/09/2027")},
             {"txtEnte", QStringLiteral("Nuoto")},
             {"txtTessera", QStringLiteral("12")},
             {"txtQuota", QStringLiteral("35,00")},
             {"txtInizioTes", QStringLiteral("01/09/2026")},
             {"txtFineTes", QStringLiteral("31/08/2027")}});
}

} // namespace

Q_DECLARE_METATYPE(Answer)

class tst_FiscalCodeInEditors : public QObject {
    Q_OBJECT
private slots:
    void computeButton_data();
    void computeButton();
    void memberSaveComparesTheCode_data();
    void memberSaveComparesTheCode();
    void payerSaveComparesTheName_data();
    void payerSaveComparesTheName();
};

void tst_FiscalCodeInEditors::computeButton_data()
{
    QTest::addColumn<QString>("emptied"); // a field left empty, or none
    QTest::addColumn<QString>("before");  // the code already in the field
    QTest::addColumn<Answer>("answer");   // to the question, when one is asked
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("message"); // what the user is told or asked, empty for nothing
    QTest::addColumn<QString>("focus");

    QTest::newRow("computed") << ""
                              << "" << Answer::Ok << kRossi << ""
                              << "";
    QTest::newRow("the same code: nothing asked") << "" << kRossi << Answer::Ok << kRossi << ""
                                                  << "";
    QTest::newRow("omocodia kept") << "" << QStringLiteral("RSSMRA80A01H50MX") << Answer::Ok
                                   << QStringLiteral("RSSMRA80A01H50MX") << ""
                                   << "";
    QTest::newRow("another code, replaced")
        << ""
        << "BNCNNA80A41H501Z" << Answer::Yes << kRossi
        << kMsgCfCalcolatoSovrascrivi.arg(kRossi, QStringLiteral("BNCNNA80A41H501Z")) << "";
    QTest::newRow("another code, kept") << ""
                                        << "BNCNNA80A41H501Z" << Answer::No << "BNCNNA80A41H501Z"
                                        << kMsgCfCalcolatoSovrascrivi.arg(kRossi, QStringLiteral("BNCNNA80A41H501Z"))
                                        << "";
    QTest::newRow("no sex") << "txtSesso"
                            << "" << Answer::Ok << "" << kMsgCfCalcolaSesso << "txtSesso";
    QTest::newRow("no date of birth") << "txtDataNasc"
                                      << "" << Answer::Ok << "" << kMsgCfCalcolaDataNasc << "txtDataNasc";
    QTest::newRow("no place of birth") << "txtLuogoNasc"
                                       << "" << Answer::Ok << "" << kMsgCfCalcolaLuogoNasc << "txtLuogoNasc";
}

void tst_FiscalCodeInEditors::computeButton()
{
    QFETCH(QString, emptied);
    QFETCH(QString, before);
    QFETCH(Answer, answer);
    QFETCH(QString, after);
    QFETCH(QString, message);
    QFETCH(QString, focus);

    FakePlatformScope scope;
    TfrmTiratori w;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    fillMember(w);
    fill(w, {{"txtCodFisc", before}});
    if (!emptied.isEmpty())
        w.findChild<QLineEdit*>(emptied)->clear();
    if (message.startsWith(QStringLiteral("Il codice fiscale calcolato")))
        scope.fake.answers << answer;

    click(w, "btnCalcolaCF");

    QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("txtCodFisc"))->text(), after);
    QCOMPARE(scope.fake.messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QCOMPARE(scope.fake.messages[0].text, message);
    if (!focus.isEmpty())
        QTRY_COMPARE(QApplication::focusWidget(), w.findChild<QLineEdit*>(focus));
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_FiscalCodeInEditors::memberSaveComparesTheCode_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("told"); // a line of the question, empty when none is asked
    QTest::addColumn<bool>("saved");

    QTest::newRow("agrees") << "txtTiratore"
                            << "Rossi Mario" << Answer::Ok << "" << true;
    QTest::newRow("no code: nothing compared") << "txtCodFisc"
                                               << "" << Answer::Ok << "" << true;
    QTest::newRow("date, saved anyway") << "txtDataNasc"
                                        << "03/12/1980" << Answer::Yes << "01/01/1980" << true;
    QTest::newRow("date, back to the code") << "txtDataNasc"
                                            << "03/12/1980" << Answer::No << "01/01/1980" << false;
    QTest::newRow("sex") << "txtSesso"
                         << "F" << Answer::No << "sesso" << false;
    QTest::newRow("surname") << "txtTiratore"
                             << "Bianchi Mario" << Answer::No << "cognome" << false;
}

void tst_FiscalCodeInEditors::memberSaveComparesTheCode()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(Answer, answer);
    QFETCH(QString, told);
    QFETCH(bool, saved);

    FakePlatformScope scope;
    TfrmTiratori w;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    fillMember(w);
    fill(w, {{"txtCodFisc", kRossi}});
    w.findChild<QLineEdit*>(field)->setText(typed);
    if (!told.isEmpty())
        scope.fake.answers << answer;

    click(w, "cmdSalva");

    if (told.isEmpty()) {
        QCOMPARE(scope.fake.messages.size(), 1);
        QCOMPARE(scope.fake.messages[0].text, kMsgSchedaInserita);
    } else {
        QCOMPARE(scope.fake.messages[0].kind, MessageKind::Confirmation);
        QVERIFY2(scope.fake.messages[0].text.contains(told), qPrintable(scope.fake.messages[0].text));
        QCOMPARE(scope.fake.messages.size(), saved ? 2 : 1);
    }
    QCOMPARE(QFileInfo(memberArchivePath(scope.fake.folder)).size(), saved ? TSchedaIscritto::RecordSize : 0);
    if (!saved)
        QTRY_COMPARE(QApplication::focusWidget(), w.findChild<QLineEdit*>(QStringLiteral("txtCodFisc")));
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_FiscalCodeInEditors::payerSaveComparesTheName_data()
{
    QTest::addColumn<QString>("payer");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("saved");

    QTest::newRow("agrees") << "Rossi Mario" << Answer::Ok << false << true;
    QTest::newRow("name first also agrees") << "Mario Rossi" << Answer::Ok << false << true;
    QTest::newRow("another person, saved anyway") << "Bianchi Anna" << Answer::Yes << true << true;
    QTest::newRow("another person, back to the code") << "Bianchi Anna" << Answer::No << true << false;
}

void tst_FiscalCodeInEditors::payerSaveComparesTheName()
{
    QFETCH(QString, payer);
    QFETCH(Answer, answer);
    QFETCH(bool, asked);
    QFETCH(bool, saved);

    FakePlatformScope scope;
    TfrmRicevuta w;
    const QString path = QDir(scope.fake.folder).filePath(QStringLiteral("2026.ric"));
    w.apriArchivio(path, QStringLiteral(" Tavorel - Archivio ricevute anno 2026"));
    fill(w, {{"txtNumRic", QStringLiteral("1")},
             {"txtData", QStringLiteral("05/03/2026")},
             {"txtPagatore", payer},
             {"txtCodFisc", kRossi},
             {"txtSport", QStringLiteral("Nuoto")},
             {"txtDal", QStringLiteral("01/03/2026")},
             {"txtAl", QStringLiteral("31/03/2026")}});
    if (asked)
        scope.fake.answers << answer;

    click(w, "cmdSalva");

    if (asked) {
        QCOMPARE(scope.fake.messages[0].kind, MessageKind::Confirmation);
        QVERIFY(scope.fake.messages[0].text.startsWith(kMsgCfNonCorrispondePagatore.left(20)));
    }
    QCOMPARE(scope.fake.messages.size(), (asked ? 1 : 0) + (saved ? 1 : 0));
    QCOMPARE(QFileInfo(path).size(), saved ? TSchedaRicevuta::RecordSize : 0);
    QVERIFY(scope.fake.verifyConsumed());
}

QTEST_MAIN(tst_FiscalCodeInEditors)
#include "tst_FiscalCodeInEditors.moc"
