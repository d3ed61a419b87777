// "Dati fiscali": what it shows from the settings file, what "Salva" writes (and only there), the
// club's code refused when wrong, and a write that fails.
#include "receipts/AssociationSettings.h"
#include "receipts/TfrmAssociazione.h"
#include "receipts/TfrmMenuRicevute.h"
#include "storage/IniFile.h"
#include "storage/Messages.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tavorel;
using tavorel::test::child;
using tavorel::test::FakePlatformScope;

namespace {

QString iniPath(const QString& folder)
{
    return folder + QStringLiteral("/Ricevute_Generiche.ini");
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The settings as another copy of the program left them: other sections, a comment, LF line ends.
const QByteArray kAltreSezioni = "; scritto a mano\n[Ricevente]\nRigo 1=A.S.D. Perù\nRigo 2=Via Roma 1\n"
                                 "[Numerazione Ricevute]\nInizio=100\n";

// Opens the dialog from the year screen's button and runs `script` while it is shown.
void fromYearScreen(test::FakePlatform& fake, const std::function<void(QDialog*)>& script)
{
    TfrmMenuRicevute menu;
    test::showActive(menu);
    fake.dialogScripts.append([script](QDialog* d) {
        if (!QTest::qWaitForWindowActive(d))
            return -1;
        script(d);
        return d->result();
    });
    QTest::mouseClick(child<QPushButton>(&menu, "btnAssociazione"), Qt::LeftButton);
}

} // namespace

class tst_TfrmAssociazione : public QObject {
    Q_OBJECT
private slots:
    void defaultsAndCaption();
    void saveKeepsTheRestOfTheFile();
    void wrongClubCodeIsRefused();
    void failedWriteKeepsTheDialogOpen();
};

void tst_TfrmAssociazione::defaultsAndCaption()
{
    FakePlatformScope scope;
    auto& fake = scope.fake;
    fromYearScreen(fake, [](QDialog* d) {
        QCOMPARE(d->windowTitle(), QStringLiteral(" Tavorel - Dati fiscali dell'associazione"));
        auto* regime = child<QComboBox>(d, "cboRegime");
        QCOMPARE(regime->count(), 3);
        QCOMPARE(regime->currentText(), QStringLiteral("Non indicato"));
        QCOMPARE(regime->itemText(2), QStringLiteral("Altro ente"));
        QCOMPARE(child<QLineEdit>(d, "txtCodFiscAss")->text(), QString());
        QCOMPARE(child<QLineEdit>(d, "txtDicituraIva")->text(), kDicituraIvaPredefinita);
        QCOMPARE(child<QLineEdit>(d, "txtEsenteQuota")->text(), kEsenteQuotaPredefinita);
        QCOMPARE(child<QLineEdit>(d, "txtEsenteCorso")->text(), kEsenteCorsoPredefinita);
        child<QPushButton>(d, "btnAnnulla")->click();
    });
    QCOMPARE(fake.dialogsRun, QStringList{QStringLiteral("frmAssociazione")});
    QVERIFY(!QFile::exists(iniPath(fake.folder)));
    QVERIFY(fake.verifyConsumed());
}

void tst_TfrmAssociazione::saveKeepsTheRestOfTheFile()
{
    FakePlatformScope scope;
    auto& fake = scope.fake;
    QFile f(iniPath(fake.folder));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(kAltreSezioni);
    f.close();
    fromYearScreen(fake, [](QDialog* d) {
        child<QComboBox>(d, "cboRegime")->setCurrentIndex(1);
        QTest::keyClicks(child<QLineEdit>(d, "txtCodFiscAss"), QStringLiteral("80012345676"));
        child<QLineEdit>(d, "txtEsenteQuota")->clear(); // the club's accountant wants no wording there
        child<QPushButton>(d, "btnSalva")->click();
    });
    QVERIFY(readAll(iniPath(fake.folder)).startsWith(kAltreSezioni));
    const DatiFiscali dati = AssociationSettings::leggi(fake.folder);
    QCOMPARE(dati.regime, Regime::Asd);
    QCOMPARE(dati.codFisc, QStringLiteral("80012345676"));
    QCOMPARE(dati.dicituraIva, kDicituraIvaPredefinita);
    QCOMPARE(dati.esenteQuota, QString());
    QCOMPARE(dati.esenteCorso, kEsenteCorsoPredefinita);
    QVERIFY(fake.messages.isEmpty());

    // Shown again as saved.
    fromYearScreen(fake, [](QDialog* d) {
        QCOMPARE(child<QComboBox>(d, "cboRegime")->currentIndex(), 1);
        QCOMPARE(child<QLineEdit>(d, "txtEsenteQuota")->text(), QString());
        child<QPushButton>(d, "btnAnnulla")->click();
    });
    QVERIFY(fake.verifyConsumed());
}

void tst_TfrmAssociazione::wrongClubCodeIsRefused()
{
    FakePlatformScope scope;
    auto& fake = scope.fake;
    bool stillOpen = false;
    bool focusOnCode = false;
    fromYearScreen(fake, [&](QDialog* d) {
        QTest::keyClicks(child<QLineEdit>(d, "txtCodFiscAss"), QStringLiteral("80012345677"));
        child<QPushButton>(d, "btnSalva")->click();
        stillOpen = d->isVisible();
        focusOnCode = child<QLineEdit>(d, "txtCodFiscAss")->hasFocus();
        child<QPushButton>(d, "btnAnnulla")->click();
    });
    QVERIFY(stillOpen);
    QVERIFY(focusOnCode);
    QCOMPARE(fake.lastMessage(), kMsgCodFiscAssociazione);
    QVERIFY(!QFile::exists(iniPath(fake.folder)));
    QVERIFY(fake.verifyConsumed());
}

void tst_TfrmAssociazione::failedWriteKeepsTheDialogOpen()
{
    FakePlatformScope scope;
    auto& fake = scope.fake;
    // The settings file cannot be replaced where a folder of its name stands.
    QVERIFY(QDir(fake.folder).mkdir(QStringLiteral("Ricevute_Generiche.ini")));
    bool stillOpen = false;
    fromYearScreen(fake, [&](QDialog* d) {
        child<QComboBox>(d, "cboRegime")->setCurrentIndex(2);
        child<QPushButton>(d, "btnSalva")->click();
        stillOpen = d->isVisible();
        child<QPushButton>(d, "btnAnnulla")->click();
    });
    QVERIFY(stillOpen);
    QCOMPARE(fake.messages.size(), 1);
    QCOMPARE(fake.messages[0].text, kMsgAccessoArchivio);
    QVERIFY(fake.verifyConsumed());
}

QTEST_MAIN(tst_TfrmAssociazione)
#include "tst_TfrmAssociazione.moc"
