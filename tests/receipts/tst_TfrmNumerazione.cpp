// The numbering start dialog: what it shows, how it tidies the number when the field is left,
// and what "Applica e chiudi" and "Annulla" leave in the settings file.
#include "receipts/ReceiptSettings.h"
#include "receipts/TfrmNumerazione.h"
#include "storage/IniFile.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
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

void writeStart(const QString& folder, const QString& value)
{
    QVERIFY(
        IniFile::writeValue(iniPath(folder), QStringLiteral("Numerazione Ricevute"), QStringLiteral("Inizio"), value));
}

// Opens the dialog the way the receipt editor does and runs `script` while it is shown.
int runDialog(const QString& tag, const std::function<void(TfrmNumerazione*)>& script,
              tavorel::test::FakePlatform& fake)
{
    auto* owner = new QWidget;
    auto* dialog = new TfrmNumerazione(owner);
    dialog->setMode(tag);
    fake.dialogScripts.append([script](QDialog* d) {
        auto* dlg = static_cast<TfrmNumerazione*>(d);
        if (!QTest::qWaitForWindowActive(dlg))
            return -1;
        script(dlg);
        return d->result();
    });
    const int result = platform().runModal(dialog);
    delete dialog;
    delete owner;
    return result;
}

} // namespace

class tst_TfrmNumerazione : public QObject {
    Q_OBJECT
private slots:
    void showsTheStoredStart_data();
    void showsTheStoredStart();
    void leavingTheFieldNormalises_data();
    void leavingTheFieldNormalises();
    void applyAndCancel_data();
    void applyAndCancel();
    void failedWriteIsReported();
};

void tst_TfrmNumerazione::showsTheStoredStart_data()
{
    // clang-format off
    QTest::addColumn<QString>("stored"); // "-" for no settings file
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no file") << "-" << "ricevute" << "1";
    QTest::newRow("empty value") << "" << "ricevute" << "1";
    QTest::newRow("stored start") << "250" << "ricevute" << "250";
    QTest::newRow("other tag does not read") << "250" << "" << "1";
    // clang-format on
}

void tst_TfrmNumerazione::showsTheStoredStart()
{
    QFETCH(QString, stored);
    QFETCH(QString, tag);
    QFETCH(QString, shown);
    FakePlatformScope scope;
    auto& fake = scope.fake;
    if (stored != QStringLiteral("-"))
        writeStart(fake.folder, stored);
    QString seen;
    bool focused = false;
    runDialog(
        tag,
        [&](TfrmNumerazione* d) {
            auto* txtInizio = child<QLineEdit>(d, "txtInizio");
            QCOMPARE(d->objectName(), QStringLiteral("frmNumerazione"));
            seen = txtInizio->text();
            QTRY_VERIFY(txtInizio->hasFocus());
            focused = true;
            QVERIFY(child<QFrame>(d, "effInizio")->isVisible());
            child<QPushButton>(d, "btnAnnulla")->click();
        },
        fake);
    QCOMPARE(seen, shown);
    QVERIFY(focused);
    QCOMPARE(fake.dialogsRun, QStringList{QStringLiteral("frmNumerazione")});
    QVERIFY(fake.verifyConsumed());
}

void tst_TfrmNumerazione::leavingTheFieldNormalises_data()
{
    // clang-format off
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("leading zeros") << "00050" << "50";
    QTest::newRow("emptied") << "" << "1";
    QTest::newRow("007") << "007" << "7";
    QTest::newRow("zero") << "0" << "0";
    QTest::newRow("letters filtered") << "1a2" << "12";
    // clang-format on
}

void tst_TfrmNumerazione::leavingTheFieldNormalises()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    FakePlatformScope scope;
    auto& fake = scope.fake;
    QString left;
    runDialog(
        QStringLiteral("ricevute"),
        [&](TfrmNumerazione* d) {
            auto* txtInizio = child<QLineEdit>(d, "txtInizio");
            QTRY_VERIFY(txtInizio->hasFocus());
            txtInizio->selectAll();
            QTest::keyClick(txtInizio, Qt::Key_Backspace);
            QTest::keyClicks(txtInizio, typed);
            QTest::keyClick(txtInizio, Qt::Key_Tab);
            QTRY_VERIFY(!txtInizio->hasFocus());
            QVERIFY(!child<QFrame>(d, "effInizio")->isVisible());
            left = txtInizio->text();
            child<QPushButton>(d, "btnAnnulla")->click();
        },
        fake);
    QCOMPARE(left, shown);
    QVERIFY(!QFile::exists(iniPath(fake.folder)));
    QVERIFY(fake.verifyConsumed());
}

void tst_TfrmNumerazione::applyAndCancel_data()
{
    // clang-format off
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("apply");
    QTest::addColumn<QString>("stored");
    QTest::newRow("apply writes the normalised start") << "ricevute" << "00050" << true << "50";
    QTest::newRow("apply an emptied field") << "ricevute" << "" << true << "1";
    QTest::newRow("annulla leaves it") << "ricevute" << "7" << false << "100";
    QTest::newRow("apply without the tag writes nothing") << "" << "7" << true << "100";
    // clang-format on
}

void tst_TfrmNumerazione::applyAndCancel()
{
    QFETCH(QString, tag);
    QFETCH(QString, typed);
    QFETCH(bool, apply);
    FakePlatformScope scope;
    auto& fake = scope.fake;
    writeStart(fake.folder, QStringLiteral("100"));
    QVERIFY(IniFile::writeValue(iniPath(fake.folder), QStringLiteral("Ricevente"), QStringLiteral("Rigo 1"),
                                QStringLiteral("A.S.D. Perù")));
    const QByteArray before = readAll(iniPath(fake.folder));

    const int result = runDialog(
        tag,
        [&](TfrmNumerazione* d) {
            auto* btnApplica = child<QPushButton>(d, "btnApplica");
            auto* txtInizio = child<QLineEdit>(d, "txtInizio");
            QTRY_VERIFY(txtInizio->hasFocus());
            txtInizio->selectAll();
            QTest::keyClick(txtInizio, Qt::Key_Delete);
            QTest::keyClicks(txtInizio, typed);
            // Enter only moves to the button; the mouse presses it.
            QTest::keyClick(txtInizio, Qt::Key_Return);
            QTRY_VERIFY(btnApplica->hasFocus());
            QVERIFY(d->isVisible());
            QTest::mouseClick(apply ? btnApplica : child<QPushButton>(d, "btnAnnulla"), Qt::LeftButton);
        },
        fake);

    QCOMPARE(result, apply ? int(QDialog::Accepted) : int(QDialog::Rejected));
    QTEST(ReceiptSettings::leggiInizio(fake.folder), "stored");
    if (!apply || tag.isEmpty())
        QCOMPARE(readAll(iniPath(fake.folder)), before);
    QCOMPARE(ReceiptSettings::leggiRiceventi(fake.folder).value(0), QStringLiteral("A.S.D. Perù"));
    QVERIFY(fake.messages.isEmpty());
    QVERIFY(fake.verifyConsumed());
}

void tst_TfrmNumerazione::failedWriteIsReported()
{
    FakePlatformScope scope;
    auto& fake = scope.fake;
    // The settings file cannot be replaced where a folder of its name stands.
    QVERIFY(QDir(fake.folder).mkdir(QStringLiteral("Ricevute_Generiche.ini")));
    bool stillOpen = false;
    runDialog(
        QStringLiteral("ricevute"),
        [&](TfrmNumerazione* d) {
            QTest::keyClicks(child<QLineEdit>(d, "txtInizio"), QStringLiteral("5"));
            child<QPushButton>(d, "btnApplica")->click();
            stillOpen = d->isVisible();
            child<QPushButton>(d, "btnAnnulla")->click();
        },
        fake);
    QVERIFY(stillOpen);
    QCOMPARE(fake.messages.size(), 1);
    QCOMPARE(fake.messages[0].kind, MessageKind::Error);
    QVERIFY(fake.verifyConsumed());
}

QTEST_MAIN(tst_TfrmNumerazione)
#include "tst_TfrmNumerazione.moc"
