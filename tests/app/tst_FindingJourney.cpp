// The secretary finds a receipt by payer and month, and fills a receipt from a member.
#include "app/Application.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include "access/PasswordStore.h"
#include "storage/Archives.h"
#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

using namespace tavorel;
using tavorel::test::FakePlatformScope;
using tavorel::test::topLevelScreen;

namespace {

template <typename T>
void scrivi(RecordFile& f, const QList<T>& records)
{
    for (const T& r : records)
        QVERIFY(appendRecord(f, r) > 0);
}

TSchedaRicevuta ricevuta(const QString& num, const QString& data, const QString& pagatore)
{
    TSchedaRicevuta r;
    r.NumRic = num;
    r.Data = data;
    r.Pagatore = pagatore;
    r.Importo = QStringLiteral("35");
    r.Cents = QStringLiteral("00");
    r.Intero = QStringLiteral("35,00");
    r.ImpLettere = QStringLiteral("TRENTACINQUE");
    r.Sport = QStringLiteral("Nuoto");
    r.Dal = QStringLiteral("01/03/2026");
    r.Al = QStringLiteral("31/03/2026");
    return r;
}

// A search screen's answer: type the criteria, search, double-click the first row found.
test::FakePlatform::DialogScript scegli(QList<QPair<QString, QString>> criteri)
{
    return [criteri](QDialog* d) {
        for (const auto& [name, text] : criteri)
            QTest::keyClicks(d->findChild<QLineEdit*>(name), text);
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnCerca")), Qt::LeftButton);
        auto* list = d->findChild<QListView*>(QStringLiteral("lstRecords"));
        const QRect r = list->visualRect(list->model()->index(0, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
        return d->result();
    };
}

} // namespace

class tst_FindingJourney : public QObject {
    Q_OBJECT
private slots:
    void findReceiptThenFillFromMember();
};

void tst_FindingJourney::findReceiptThenFillFromMember()
{
    FakePlatformScope scope;
    auto& fake = scope.fake;
    QVERIFY(InstallaArchivioPassword(fake.folder, QString::fromLatin1(kPasswordPrimoAccesso)));
    {
        RecordFile f;
        QVERIFY(OpenReceiptArchive(receiptArchivePath(fake.folder, QStringLiteral("2026")), f));
        scrivi(f, QList<TSchedaRicevuta>{ricevuta("1", "10/02/2026", "Rossi Mario"),
                                         ricevuta("2", "05/03/2026", "Rossi Mario"),
                                         ricevuta("3", "06/03/2026", "Bianchi Anna")});
        RecordFile m;
        QVERIFY(OpenMemberArchive(fake.folder, m));
        TSchedaIscritto verdi;
        verdi.Tiratore = QStringLiteral("Verdi Gino");
        verdi.CodFisc = QStringLiteral("VRDGNI80A01L219X");
        verdi.Ente = QStringLiteral("Calcio");
        verdi.Armi = QStringLiteral("Verdi Luca");
        verdi.Porto = QStringLiteral("Torino");
        verdi.InizioPor = QStringLiteral("02/02/2015");
        verdi.FinePor = QStringLiteral("Via Po 3");
        verdi.Quota = QStringLiteral("99,00");
        scrivi(m, QList<TSchedaIscritto>{verdi});
    }
    Application app;
    app.start();
    auto* login = topLevelScreen(QStringLiteral("frmPassword"));
    auto* password = login->findChild<QLineEdit*>(QStringLiteral("txtPassword"));
    QTest::keyClicks(password, QStringLiteral("lampadariovero"));
    QTest::keyClick(password, Qt::Key_Return);
    topLevelScreen(QStringLiteral("frmAvvio"))->findChild<QAbstractButton*>(QStringLiteral("btnApp02"))->click();
    topLevelScreen(QStringLiteral("frmMenuRicevute"))
        ->findChild<QAbstractButton*>(QStringLiteral("btnApriPreventivi"))
        ->click();
    QWidget* ed = topLevelScreen(QStringLiteral("frmRicevuta"));
    auto edit = [ed](const char* name) { return ed->findChild<QLineEdit*>(QString::fromLatin1(name))->text(); };
    auto label = [ed](const char* name) { return ed->findChild<QLabel*>(QString::fromLatin1(name))->text(); };

    // Rossi's March receipt, by payer and month.
    fake.dialogScripts << scegli({{QStringLiteral("txtPagatore"), QStringLiteral("rossi")},
                                  {QStringLiteral("txtData"), QStringLiteral("/03/")}});
    ed->findChild<QAbstractButton*>(QStringLiteral("cmdTrova"))->click();
    QCOMPARE(fake.dialogsRun.last(), QStringLiteral("frmTrovaRic"));
    QCOMPARE(edit("txtNumRic"), QStringLiteral("2"));
    QCOMPARE(edit("txtData"), QStringLiteral("05/03/2026"));
    QCOMPARE(label("lblPosizione"), QStringLiteral("2"));

    // Payer and practitioner from a member; nothing else of the receipt changes.
    fake.dialogScripts << scegli({{QStringLiteral("txtTiratore"), QStringLiteral("VERDI")}});
    ed->findChild<QAbstractButton*>(QStringLiteral("impPagatore"))->click();
    QCOMPARE(fake.dialogsRun.last(), QStringLiteral("frmTrovaTiratori"));
    QCOMPARE(edit("txtPagatore"), QStringLiteral("Verdi Gino"));
    QCOMPARE(edit("txtCodFisc"), QStringLiteral("VRDGNI80A01L219X"));
    QCOMPARE(edit("txtSport"), QStringLiteral("Calcio"));
    QCOMPARE(edit("txtPraticante"), QStringLiteral("Verdi Luca"));
    QCOMPARE(edit("txtLuogoNasc"), QStringLiteral("Torino"));
    QCOMPARE(edit("txtDataNasc"), QStringLiteral("02/02/2015"));
    QCOMPARE(edit("txtIndirizzo"), QStringLiteral("Via Po 3"));
    QCOMPARE(edit("txtNumRic"), QStringLiteral("2"));
    QCOMPARE(edit("txtData"), QStringLiteral("05/03/2026"));
    QCOMPARE(edit("txtImporto"), QStringLiteral("35"));
    QCOMPARE(edit("txtCents"), QStringLiteral("00"));
    QCOMPARE(edit("txtDal"), QStringLiteral("01/03/2026"));
    QCOMPARE(edit("txtAl"), QStringLiteral("31/03/2026"));
    QCOMPARE(label("txtIntero"), QStringLiteral("35,00"));
    QCOMPARE(label("lblPosizione"), QStringLiteral("2"));

    // A receipt not saved yet keeps its empty record number.
    ed->findChild<QAbstractButton*>(QStringLiteral("cmdDuplica"))->click();
    QCOMPARE(label("lblPosizione"), QString());
    fake.dialogScripts << scegli({{QStringLiteral("txtTiratore"), QStringLiteral("verdi")}});
    ed->findChild<QAbstractButton*>(QStringLiteral("impPagatore"))->click();
    QCOMPARE(label("lblPosizione"), QString());
    QVERIFY(fake.verifyConsumed());
}

QTEST_MAIN(tst_FindingJourney)
#include "tst_FindingJourney.moc"
