// A club secretary files the members, through the whole program: log in, open the member archive,
// add two members with photos from files and an attached certificate, open it, browse, add a
// family member by duplicating, print a member sheet, leave and come back to an empty screen.
#include "app/Application.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include "access/PasswordStore.h"
#include "printing/Report.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QDialog>
#include <QDir>
#include <QFile>
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
    // Typed over whatever the field holds.
    void type(const char* name, const QString& text) const
    {
        QLineEdit* e = edit(name);
        e->setFocus();
        e->selectAll();
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

QString makeFile(const QString& dir, const QString& name, const QByteArray& bytes)
{
    QDir().mkpath(dir);
    const QString path = QDir(dir).filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

QString makePhoto(const QString& dir, const QString& name, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(0x7A, 0x9C, 0xB8));
    QDir().mkpath(dir);
    const QString path = QDir(dir).filePath(name);
    image.save(path);
    return path;
}

} // namespace

class tst_MembersJourney : public QObject {
    Q_OBJECT
private slots:
    void filingTheMembers();
};

void tst_MembersJourney::filingTheMembers()
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

    menu.click("btnApp01");
    Screen ed("frmTiratori");
    QVERIFY(ed.w->isVisible());
    QVERIFY(!menu.w->isVisible());
    ed.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(ed.w));
    QCOMPARE(QApplication::focusWidget(), ed.edit("txtTiratore"));

    const QString elsewhere = QDir(fake.folder).filePath(QStringLiteral("scansioni"));
    const QString certificate = makeFile(elsewhere, QStringLiteral("certificato.pdf"), "%PDF-1.4 certificato");
    const QStringList names{QStringLiteral("Rossi Mario"), QStringLiteral("Bianchi Anna")};
    const QList<QSize> photos{QSize(600, 800), QSize(200, 150)};
    for (int i = 0; i < names.size(); ++i) {
        ed.click("cmdNuovo");
        ed.type("txtTiratore", names[i]);
        ed.type("txtSesso", i == 0 ? QStringLiteral("m") : QStringLiteral("f"));
        ed.type("txtEmail", QStringLiteral("socio%1@example.it").arg(i + 1));
        ed.type("txtEnte", QStringLiteral("Nuoto"));
        ed.type("txtTessera", QStringLiteral("2026/00%1").arg(i + 1));
        ed.type("txtQuota", QStringLiteral("35"));
        fake.dialogScripts << pick(QDate(2027, 5, 31)) << pick(QDate(2026, 9, 1)) << pick(QDate(2027, 8, 31));
        QTest::keyClick(ed.edit("txtStudio"), Qt::Key_Space);
        QTest::keyClick(ed.edit("txtInizioTes"), Qt::Key_Space);
        QTest::keyClick(ed.edit("txtFineTes"), Qt::Key_Space);
        fake.openFileAnswers << makePhoto(elsewhere, QStringLiteral("foto%1.jpg").arg(i), photos[i]);
        ed.click("btnCaricaFoto");
        if (i == 0) {
            // The medical certificate, attached and opened from the attachments folder.
            fake.openFileAnswers << certificate;
            fake.dialogScripts << [](QDialog* d) {
                d->findChild<QPushButton*>(QStringLiteral("btnSfoglia01"))->click();
                d->findChild<QLineEdit*>(QStringLiteral("txtDesc01"))->setText(QStringLiteral("Certificato medico"));
                d->findChild<QPushButton*>(QStringLiteral("btnApri01"))->click();
                d->findChild<QPushButton*>(QStringLiteral("btnApplica"))->click();
                return d->result();
            };
            ed.click("cmdFile");
            const QString copy = QDir(fake.folder).filePath(QStringLiteral("Documenti_Allegati/certificato.pdf"));
            QVERIFY(QFile::exists(copy));
            QCOMPARE(fake.opened.size(), 1);
            QCOMPARE(QDir::fromNativeSeparators(fake.opened[0]).remove(QLatin1Char('"')), copy);
            QCOMPARE(ed.label("lblFile01")->text(), QStringLiteral("certificato.pdf"));
        }
        ed.click("cmdSalva");
        QCOMPARE(fake.lastMessage(), QStringLiteral("La scheda corrente è stata inserita in archivio."));
        QCOMPARE(ed.label("lblPosizione")->text(), QString::number(i + 1));
    }
    QCOMPARE(QFileInfo(fake.folder + QStringLiteral("/Archivio_Iscritti.pro")).size(), 2 * 3189);
    QCOMPARE(QImage(fake.folder + QStringLiteral("/Anagrafica/Scheda_Iscritto_1.jpg")).size(), QSize(600, 800));

    // Browsing finds them again, with their photos and attachments.
    ed.click("cmdPrimo");
    QCOMPARE(ed.edit("txtTiratore")->text(), QStringLiteral("Rossi Mario"));
    QCOMPARE(ed.edit("txtSesso")->text(), QStringLiteral("M"));
    QCOMPARE(ed.edit("txtQuota")->text(), QStringLiteral("35,00"));
    QCOMPARE(ed.edit("txtStudio")->text(), QStringLiteral("31/05/2027"));
    QCOMPARE(ed.label("lblDesc01")->text(), QStringLiteral("Certificato medico"));
    ed.click("cmdAvanti");
    QCOMPARE(ed.edit("txtTiratore")->text(), QStringLiteral("Bianchi Anna"));
    ed.click("cmdAvanti");
    QCOMPARE(ed.label("lblPosizione")->text(), QStringLiteral("2"));

    // A son of the first member: his data copied, his own name and no photo or documents yet.
    ed.click("cmdIndietro");
    ed.click("cmdDuplica");
    ed.type("txtTiratore", QStringLiteral("Rossi Luca"));
    ed.type("txtTessera", QStringLiteral("2026/003"));
    ed.click("cmdSalva");
    QCOMPARE(ed.label("lblPosizione")->text(), QStringLiteral("3"));
    QCOMPARE(ed.label("lblFile01")->text(), QString());
    QCOMPARE(QImage(fake.folder + QStringLiteral("/Anagrafica/Scheda_Iscritto_3.jpg")).size(), QSize(307, 394));
    ed.click("cmdPrimo");
    QCOMPARE(ed.edit("txtTiratore")->text(), QStringLiteral("Rossi Mario"));
    QCOMPARE(ed.label("lblFile01")->text(), QStringLiteral("certificato.pdf"));

    // His member sheet, printed.
    ed.click("cmdUltimo");
    fake.dialogScripts << [](QDialog* d) {
        d->findChild<QPushButton*>(QStringLiteral("btnStampa"))->click();
        return d->result();
    };
    ed.click("cmdStampa");
    QCOMPARE(fake.dialogsRun.last(), QStringLiteral("frmStampaTiratori"));
    QCOMPARE(fake.printed.size(), 1);
    const Report& sheet = fake.printed[0];
    QCOMPARE(sheet.findMemo(QStringLiteral("txtTiratore"))->text(), QStringLiteral("Rossi Luca"));
    QCOMPARE(sheet.findMemo(QStringLiteral("txtTessera"))->text(), QStringLiteral("2026/003"));
    QCOMPARE(sheet.findMemo(QStringLiteral("txtQuota"))->text(), QStringLiteral("35,00"));
    QCOMPARE(sheet.findPicture(QStringLiteral("imgLogo"))->picture.size(), QSize(307, 394));

    // Leave and come back: an empty new member.
    ed.click("cmdEsci");
    QVERIFY(menu.w->isVisible());
    QVERIFY(!ed.w->isVisible());
    menu.click("imgApp01");
    QVERIFY(ed.w->isVisible());
    QCOMPARE(ed.edit("txtTiratore")->text(), QString());
    QCOMPARE(ed.edit("txtQuota")->text(), QStringLiteral("0,00"));
    QCOMPARE(ed.label("lblPosizione")->text(), QString());
    QCOMPARE(fake.terminations, 0);
    QVERIFY(fake.verifyConsumed());
}

QTEST_MAIN(tst_MembersJourney)
#include "tst_MembersJourney.moc"
