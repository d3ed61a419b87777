// A club secretary's first week, through the whole program: log in, open this year, write three
// receipts (one copied with "Duplica"), browse them, set the numbering start and the logo, leave and
// come back to find everything as it was.
#include "app/Application.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include "access/PasswordStore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QDialog>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tavorel;
using tavorel::test::FakePlatformScope;
using tavorel::test::topLevelScreen;

namespace {

struct Screen {
    QWidget* w;
    explicit Screen(const char* name) : w(topLevelScreen(QString::fromLatin1(name))) {}
    QLineEdit* edit(const char* name) const { return w->findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QLabel* label(const char* name) const { return w->findChild<QLabel*>(QString::fromLatin1(name)); }
    void click(const char* name) const { w->findChild<QAbstractButton*>(QString::fromLatin1(name))->click(); }
    void type(const char* name, const QString& text) const
    {
        QLineEdit* e = edit(name);
        e->setFocus();
        e->clear();
        QTest::keyClicks(e, text);
    }
};

// The date picker, answered by choosing `date` and "Importa".
test::FakePlatform::DialogScript pick(QDate date)
{
    return [date](QDialog* d) {
        d->findChild<QCalendarWidget*>(QStringLiteral("calAppuntamenti"))->setSelectedDate(date);
        d->findChild<QPushButton*>(QStringLiteral("btnImportaData"))->click();
        return d->result();
    };
}

} // namespace

class tst_ReceiptsJourney : public QObject {
    Q_OBJECT
private slots:
    void firstWeek();
};

void tst_ReceiptsJourney::firstWeek()
{
    FakePlatformScope scope;
    auto& fake = scope.fake;
    QVERIFY(InstallaArchivioPassword(fake.folder, QString::fromLatin1(kPasswordPrimoAccesso)));
    Application app;
    app.start();

    Screen login("frmPassword");
    login.type("txtPassword", QStringLiteral("lampadariovero"));
    QTest::keyClick(login.edit("txtPassword"), Qt::Key_Return);
    Screen menu("frmAvvio");
    QVERIFY(menu.w->isVisible());

    menu.click("btnApp02");
    Screen year("frmMenuRicevute");
    QCOMPARE(year.edit("txtAnnoPreventivi")->text(), QStringLiteral("2026"));
    year.click("btnApriPreventivi");
    Screen ed("frmRicevuta");
    QVERIFY(ed.w->isVisible());

    ed.type("txtRicevente01", QStringLiteral("A.S.D. Polisportiva"));
    ed.type("txtRicevente02", QStringLiteral("Via Garibaldi 12, Torino"));

    // Two receipts written from scratch.
    const QStringList payers{QStringLiteral("Rossi Mario"), QStringLiteral("Bianchi Anna")};
    for (int i = 0; i < payers.size(); ++i) {
        ed.click("cmdNuovo");
        QCOMPARE(ed.edit("txtNumRic")->text(), QString::number(i + 1));
        ed.type("txtPagatore", payers[i]);
        ed.type("txtCodFisc", QStringLiteral("rssmra80a01h501u"));
        ed.type("txtSport", QStringLiteral("Nuoto"));
        fake.dialogScripts << pick(QDate(2026, 9, 1)) << pick(QDate(2027, 6, 30));
        QTest::keyClick(ed.edit("txtDal"), Qt::Key_Space);
        QTest::keyClick(ed.edit("txtAl"), Qt::Key_Space);
        ed.type("txtImporto", QStringLiteral("150"));
        ed.type("txtCents", QStringLiteral("5"));
        ed.click("cmdSalva");
        QCOMPARE(fake.lastMessage(), QStringLiteral("La scheda corrente è stata inserita in archivio."));
        QCOMPARE(ed.label("lblPosizione")->text(), QString::number(i + 1));
    }
    QCOMPARE(ed.edit("txtCodFisc")->text(), QStringLiteral("RSSMRA80A01H501U"));
    QCOMPARE(ed.label("txtImpLettere")->text(), QStringLiteral("CENTOCINQUANTA"));
    QCOMPARE(ed.edit("txtAl")->text(), QStringLiteral("30/06/2027"));

    // A third one copied from the second.
    ed.click("cmdDuplica");
    QCOMPARE(ed.label("lblPosizione")->text(), QString());
    ed.type("txtNumRic", QStringLiteral("3"));
    ed.click("cmdSalva");
    QCOMPARE(ed.label("lblPosizione")->text(), QStringLiteral("3"));
    QCOMPARE(QFileInfo(fake.folder + QStringLiteral("/2026.ric")).size(), 3 * 1099);

    // Browsing finds them again.
    ed.click("cmdPrimo");
    QCOMPARE(ed.edit("txtPagatore")->text(), QStringLiteral("Rossi Mario"));
    ed.click("cmdAvanti");
    QCOMPARE(ed.label("lblPosizione")->text(), QStringLiteral("2"));
    ed.click("cmdUltimo");
    QCOMPARE(ed.edit("txtNumRic")->text(), QStringLiteral("3"));
    QCOMPARE(ed.edit("txtPagatore")->text(), QStringLiteral("Bianchi Anna"));

    // Numbering from 100, and no logo.
    fake.dialogScripts << [](QDialog* d) {
        auto* start = d->findChild<QLineEdit*>(QStringLiteral("txtInizio"));
        start->setText(QStringLiteral("100"));
        d->findChild<QPushButton*>(QStringLiteral("btnApplica"))->click();
        return d->result();
    };
    ed.click("cmdNumerazione");
    fake.dialogScripts << [](QDialog* d) {
        d->findChild<QAbstractButton*>(QStringLiteral("btnCancLogo"))->click();
        d->findChild<QPushButton*>(QStringLiteral("btnApplica"))->click();
        return d->result();
    };
    ed.click("cmdLogo");
    QCOMPARE(fake.dialogsRun.mid(fake.dialogsRun.size() - 2),
             (QStringList{QStringLiteral("frmNumerazione"), QStringLiteral("frmLogo")}));
    const QImage logo(fake.folder + QStringLiteral("/Logo.bmp"));
    QCOMPARE(logo.size(), QSize(297, 184));
    QCOMPARE(logo.pixelColor(150, 90), QColor(Qt::white));

    // Leave and come back.
    ed.click("cmdEsci");
    QVERIFY(menu.w->isVisible());
    menu.click("imgApp02");
    year.click("btnApriPreventivi");
    QCOMPARE(ed.edit("txtRicevente01")->text(), QStringLiteral("A.S.D. Polisportiva"));
    QCOMPARE(ed.edit("txtRicevente02")->text(), QStringLiteral("Via Garibaldi 12, Torino"));
    QCOMPARE(ed.edit("txtPagatore")->text(), QString());
    ed.click("cmdNuovo");
    QCOMPARE(ed.edit("txtNumRic")->text(), QStringLiteral("103"));
    ed.click("cmdUltimo");
    QCOMPARE(ed.edit("txtCents")->text(), QStringLiteral("50"));
    QCOMPARE(ed.label("txtIntero")->text(), QStringLiteral("150,50"));
    QCOMPARE(ed.edit("txtRicevente01")->text(), QStringLiteral("A.S.D. Polisportiva"));
    QCOMPARE(fake.terminations, 0);
    QVERIFY(fake.verifyConsumed());
}

QTEST_MAIN(tst_ReceiptsJourney)
#include "tst_ReceiptsJourney.moc"
