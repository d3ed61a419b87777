// The member editor driven as a user drives it: fields by name, keys, the toolbar's buttons; checked
// on the widgets, the recorded messages and dialogs, the bytes of the archive and the photo files.
#include "members/PhotoStore.h"
#include "members/TfrmTiratori.h"
#include "shell/PictureButton.h"
#include "storage/Archives.h"
#include "storage/RecordLayout.h"
#include "storage/TSchedaIscritto.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace tavorel;
using tavorel::test::FakePlatform;
using tavorel::test::FakePlatformScope;

namespace {

const QString kVuoto = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kInserita = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kModificata =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kDuplicata =
    QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
                   "Al termine premere Salva per inserire la scheda in archivio.");
const QString kDuplicaNegata = QStringLiteral(
    "Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa è stata inserita in archivio.");

// The required fields in the order a save checks them, with their warnings.
const QList<std::pair<QString, QString>> kObbligatori = {
    {"txtTiratore", "Attenzione: per salvare la scheda è necessario indicare cognome e nome dell'iscritto."},
    {"txtStudio",
     "Attenzione: per salvare la scheda è necessario indicare la data di scadenza del certificato medico."},
    {"txtEnte", "Attenzione: per salvare la scheda è necessario indicare l'attività sportiva praticata."},
    {"txtTessera", "Attenzione: per salvare la scheda è necessario indicare il numero di tessera dell'iscritto."},
    {"txtQuota", "Attenzione: per salvare la scheda è necessario indicare la quota versata dall'iscritto."},
    {"txtInizioTes", "Attenzione: per salvare la scheda è necessario indicare la data di rilascio della tessera."},
    {"txtFineTes", "Attenzione: per salvare la scheda è necessario indicare la data di scadenza della tessera."},
};

// A member with every field filled and told apart by `n`; attachments only when asked.
TSchedaIscritto iscritto(int n, bool allegati = false)
{
    TSchedaIscritto m;
    for (const auto& f : TSchedaIscritto::fields())
        m.*f.member = QStringLiteral("%1 %2").arg(QLatin1StringView(f.name)).arg(n).left(f.capacity).trimmed();
    m.Sesso = QStringLiteral("F");
    m.DataNasc = QStringLiteral("%1/04/1990").arg(n % 28 + 1, 2, 10, QLatin1Char('0'));
    m.Quota = QStringLiteral("%1,00").arg(n);
    m.Studio = QStringLiteral("0%1/05/2027").arg(n % 10);
    m.InizioTes = QStringLiteral("01/09/2026");
    m.FineTes = QStringLiteral("31/08/2027");
    if (!allegati)
        m.File01 = m.File02 = m.File03 = m.Desc01 = m.Desc02 = m.Desc03 = QString();
    return m;
}

QByteArray archivio(int records)
{
    QByteArray bytes;
    for (int i = 1; i <= records; ++i)
        bytes += encodeRecord(iscritto(i, true));
    return bytes;
}

QImage picture(int w, int h, QColor colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

struct Editor {
    FakePlatformScope scope;
    FakePlatform& fake = scope.fake;
    TfrmTiratori w;
    QString path = memberArchivePath(fake.folder);

    QLineEdit* edit(const QString& name) { return w.findChild<QLineEdit*>(name); }
    QLabel* label(const QString& name) { return w.findChild<QLabel*>(name); }
    void click(const QString& name) { w.findChild<PictureButton*>(name)->click(); }
    void write(const QByteArray& bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray bytes()
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    TSchedaIscritto record(int k)
    {
        return decodeRecord<TSchedaIscritto>(
            bytes().mid((k - 1) * TSchedaIscritto::RecordSize, TSchedaIscritto::RecordSize));
    }
    QImage photoFile(int k) { return QImage(photoPath(fake.folder, k)); }
    void showActive()
    {
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }
    void type(const QString& name, const QString& text)
    {
        QLineEdit* e = edit(name);
        e->setFocus();
        QTest::keyClicks(e, text);
    }
    // Typed over whatever the field holds.
    void retype(const QString& name, const QString& text)
    {
        QLineEdit* e = edit(name);
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, text);
    }
    // The first `count` required fields filled in, as the user does: typed, or taken from the
    // date picker (here written straight into the read-only field).
    void fillRequired(int count)
    {
        for (int i = 0; i < count; ++i) {
            const QString& name = kObbligatori[i].first;
            if (edit(name)->isReadOnly())
                edit(name)->setText(QStringLiteral("15/0%1/2027").arg(i + 1));
            else if (name != QLatin1String("txtQuota"))
                type(name, QStringLiteral("valore %1").arg(i));
        }
    }
};

} // namespace

Q_DECLARE_METATYPE(MessageKind)

class tst_TfrmTiratori : public QObject {
    Q_OBJECT
private slots:
    void showingClearsTheScreen();
    void saveChecksInOrder_data();
    void saveChecksInOrder();
    void appendThenOverwriteWithThePhoto();
    void saveFailureIsTheAccessError();
    void duplicate_data();
    void duplicate();
    void browse_data();
    void browse();
    void browseShowsTheWholeRecord();
    void keyboardRules_data();
    void keyboardRules();
    void mailButton_data();
    void mailButton();
    void fiscalCodeButton_data();
    void fiscalCodeButton();
    void infoBar();
};

void tst_TfrmTiratori::showingClearsTheScreen()
{
    Editor e;
    e.write(archivio(2));
    e.click("cmdUltimo");
    QCOMPARE(e.label("lblPosizione")->text(), QStringLiteral("2"));
    e.w.hide();

    e.showActive();
    for (QLineEdit* f : e.w.findChildren<QLineEdit*>())
        QCOMPARE(f->text(), f->objectName() == QLatin1String("txtQuota") ? QStringLiteral("0,00") : QString());
    for (const char* name :
         {"lblPosizione", "lblFile01", "lblFile02", "lblFile03", "lblDesc01", "lblDesc02", "lblDesc03"})
        QCOMPARE(e.label(QLatin1StringView(name))->text(), QString());
    QCOMPARE(e.w.foto(), placeholderPhoto());
    QCOMPARE(QApplication::focusWidget(), e.edit("txtTiratore"));
    QVERIFY(e.fake.messages.isEmpty());
}

void tst_TfrmTiratori::saveChecksInOrder_data()
{
    QTest::addColumn<int>("filled");
    QTest::addColumn<bool>("feeEmptied");
    QTest::addColumn<int>("stop"); // index of the required field that stops the save

    QTest::newRow("nothing") << 0 << false << 0;
    QTest::newRow("name") << 1 << false << 1;
    QTest::newRow("name, certificate") << 2 << false << 2;
    QTest::newRow("name to sport") << 3 << false << 3;
    // The fee never stops a save: leaving it puts "0,00" back before the checks.
    QTest::newRow("name to card, fee emptied") << 5 << true << 5;
    QTest::newRow("all but the card's expiry") << 6 << false << 6;
}

void tst_TfrmTiratori::saveChecksInOrder()
{
    QFETCH(int, filled);
    QFETCH(bool, feeEmptied);
    QFETCH(int, stop);

    Editor e;
    e.showActive();
    e.fillRequired(filled);
    if (feeEmptied) {
        QLineEdit* quota = e.edit("txtQuota");
        quota->setFocus();
        QTest::keyClick(quota, Qt::Key_End);
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(quota, Qt::Key_Backspace);
        QCOMPARE(quota->text(), QString());
    }

    e.click("cmdSalva");

    QCOMPARE(e.fake.messages.size(), 1);
    QCOMPARE(e.fake.messages[0].kind, MessageKind::Warning);
    QCOMPARE(e.fake.messages[0].text, kObbligatori[stop].second);
    QCOMPARE(QApplication::focusWidget(), e.edit(kObbligatori[stop].first));
    QCOMPARE(e.edit("txtQuota")->text(), QStringLiteral("0,00"));
    QCOMPARE(e.label("lblPosizione")->text(), QString());
    QVERIFY(!QFile::exists(e.path));
}

void tst_TfrmTiratori::appendThenOverwriteWithThePhoto()
{
    Editor e;
    e.write(archivio(12));
    const QString file = QDir(e.fake.folder).filePath(QStringLiteral("ritratto.png"));
    QVERIFY(picture(120, 90, Qt::darkGreen).save(file));
    e.showActive();
    e.fillRequired(7);
    e.retype("txtQuota", QStringLiteral("35"));
    e.fake.openFileAnswers = {file};
    e.click("btnCaricaFoto");
    // The photo reaches the photo folder only with the record.
    QVERIFY(!QFile::exists(photoPath(e.fake.folder, 13)));

    e.click("cmdSalva");
    QCOMPARE(e.fake.lastMessage(), kInserita);
    QCOMPARE(e.fake.messages.last().kind, MessageKind::Information);
    QCOMPARE(e.label("lblPosizione")->text(), QStringLiteral("13"));
    QCOMPARE(e.bytes().size(), 13 * TSchedaIscritto::RecordSize);
    QCOMPARE(e.bytes().left(12 * TSchedaIscritto::RecordSize), archivio(12));
    QCOMPARE(e.record(13).Tiratore, QStringLiteral("valore 0"));
    QCOMPARE(e.record(13).Quota, QStringLiteral("35,00"));
    QCOMPARE(e.photoFile(13).size(), QSize(120, 90));

    // Saved again: the same record, the same photo file, nothing added.
    e.retype("txtTiratore", QStringLiteral("Rossi Anna"));
    e.click("btnCancFoto");
    e.click("cmdSalva");
    QCOMPARE(e.fake.lastMessage(), kModificata);
    QCOMPARE(e.label("lblPosizione")->text(), QStringLiteral("13"));
    QCOMPARE(e.bytes().size(), 13 * TSchedaIscritto::RecordSize);
    QCOMPARE(e.record(13).Tiratore, QStringLiteral("Rossi Anna"));
    QCOMPARE(e.photoFile(13).size(), QSize(307, 394));
    QCOMPARE(e.fake.messages.size(), 2);
    QVERIFY(e.fake.verifyConsumed());
}

void tst_TfrmTiratori::saveFailureIsTheAccessError()
{
    Editor e;
    // A folder where the archive should be: it cannot be opened, and nothing is written.
    QVERIFY(QDir().mkpath(e.path));
    e.showActive();
    e.fillRequired(7);
    e.click("cmdSalva");
    QCOMPARE(e.fake.messages.size(), 1);
    QCOMPARE(e.fake.messages[0].kind, MessageKind::Error);
    QVERIFY(e.fake.messages[0].text.startsWith(QStringLiteral("Attenzione: il sistema non permette")));
    QCOMPARE(e.label("lblPosizione")->text(), QString());
    QVERIFY(!QFile::exists(photoPath(e.fake.folder, 1)));
}

void tst_TfrmTiratori::duplicate_data()
{
    QTest::addColumn<bool>("newPhoto");
    QTest::newRow("with the placeholder") << false;
    QTest::newRow("with a photo loaded after duplicating") << true;
}

void tst_TfrmTiratori::duplicate()
{
    QFETCH(bool, newPhoto);

    Editor e;
    e.write(archivio(5));
    QVERIFY(saveMemberPhoto(e.fake.folder, 5, picture(50, 60, Qt::red)));
    const QByteArray before = e.bytes();
    e.showActive();

    // Nothing saved on screen yet: nothing to duplicate.
    e.click("cmdDuplica");
    QCOMPARE(e.fake.lastMessage(), kDuplicaNegata);
    QCOMPARE(e.fake.messages.last().kind, MessageKind::Warning);

    e.click("cmdUltimo");
    QCOMPARE(e.label("lblFile01")->text(), QStringLiteral("File01 5"));
    e.click("cmdDuplica");
    QCOMPARE(e.fake.lastMessage(), kDuplicata);
    QCOMPARE(e.fake.messages.last().kind, MessageKind::Information);
    QCOMPARE(e.label("lblPosizione")->text(), QString());
    QCOMPARE(e.label("lblFile01")->text(), QString());
    QCOMPARE(e.w.foto(), placeholderPhoto());
    QCOMPARE(QApplication::focusWidget(), e.edit("txtTiratore"));
    if (newPhoto) {
        const QString file = QDir(e.fake.folder).filePath(QStringLiteral("figlio.png"));
        QVERIFY(picture(80, 100, Qt::blue).save(file));
        e.fake.openFileAnswers = {file};
        e.click("btnCaricaFoto");
    }

    e.click("cmdSalva");
    QCOMPARE(e.fake.lastMessage(), kInserita);
    QCOMPARE(e.label("lblPosizione")->text(), QStringLiteral("6"));
    QCOMPARE(e.bytes().left(before.size()), before);
    TSchedaIscritto expected = iscritto(5);
    QCOMPARE(e.record(6), expected);
    QCOMPARE(e.photoFile(6).size(), newPhoto ? QSize(80, 100) : QSize(307, 394));
    QCOMPARE(e.photoFile(5).size(), QSize(50, 60));
    QVERIFY(e.fake.verifyConsumed());
}

void tst_TfrmTiratori::browse_data()
{
    // clang-format off
    QTest::addColumn<int>("records");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("expectedPosition"); // "-" for "screen unchanged"
    QTest::addColumn<bool>("emptyMessage");

    QTest::newRow("empty: Primo") << 0 << "2" << "cmdPrimo" << "-" << true;
    QTest::newRow("empty: Ultimo") << 0 << "" << "cmdUltimo" << "-" << true;
    QTest::newRow("empty: Indietro unsaved") << 0 << "" << "cmdIndietro" << "-" << true;
    QTest::newRow("empty: Indietro at 2") << 0 << "2" << "cmdIndietro" << "-" << true;
    QTest::newRow("empty: Indietro at 1 does nothing") << 0 << "1" << "cmdIndietro" << "-" << false;
    QTest::newRow("empty: Avanti empties the position") << 0 << "2" << "cmdAvanti" << "" << true;

    QTest::newRow("Primo") << 4 << "3" << "cmdPrimo" << "1" << false;
    QTest::newRow("Ultimo") << 4 << "" << "cmdUltimo" << "4" << false;
    QTest::newRow("Avanti from unsaved") << 4 << "" << "cmdAvanti" << "1" << false;
    QTest::newRow("Avanti") << 4 << "2" << "cmdAvanti" << "3" << false;
    QTest::newRow("Avanti at the last") << 4 << "4" << "cmdAvanti" << "-" << false;
    QTest::newRow("Indietro from unsaved") << 4 << "" << "cmdIndietro" << "1" << false;
    QTest::newRow("Indietro at 2") << 4 << "2" << "cmdIndietro" << "1" << false;
    QTest::newRow("Indietro at 4") << 4 << "4" << "cmdIndietro" << "3" << false;
    QTest::newRow("Indietro at the first") << 4 << "1" << "cmdIndietro" << "-" << false;
    // clang-format on
}

void tst_TfrmTiratori::browse()
{
    QFETCH(int, records);
    QFETCH(QString, position);
    QFETCH(QString, button);
    QFETCH(QString, expectedPosition);
    QFETCH(bool, emptyMessage);

    Editor e;
    if (records > 0)
        e.write(archivio(records));
    e.edit("txtTiratore")->setText(QStringLiteral("sullo schermo"));
    e.w.mostraScheda(e.w.scheda(), position.toLongLong());

    e.click(button);

    if (expectedPosition == QLatin1String("-") || expectedPosition.isEmpty()) {
        QCOMPARE(e.label("lblPosizione")->text(), expectedPosition.isEmpty() ? QString() : position);
        QCOMPARE(e.edit("txtTiratore")->text(), QStringLiteral("sullo schermo"));
    } else {
        QCOMPARE(e.label("lblPosizione")->text(), expectedPosition);
        QCOMPARE(e.edit("txtTiratore")->text(), iscritto(expectedPosition.toInt()).Tiratore);
    }
    if (emptyMessage) {
        QCOMPARE(e.fake.messages.size(), 1);
        QCOMPARE(e.fake.messages[0].kind, MessageKind::Information);
        QCOMPARE(e.fake.messages[0].text, kVuoto);
        // A folder without an archive gets an empty one.
        QCOMPARE(QFileInfo(e.path).size(), 0);
    } else {
        QCOMPARE(e.fake.messages.size(), 0);
    }
    QCOMPARE(e.bytes(), archivio(records));
}

void tst_TfrmTiratori::browseShowsTheWholeRecord()
{
    Editor e;
    e.write(archivio(3));
    QVERIFY(saveMemberPhoto(e.fake.folder, 2, picture(40, 30, Qt::yellow)));
    e.click("cmdPrimo");
    e.click("cmdAvanti");
    const TSchedaIscritto r = iscritto(2, true);
    // Every record field is shown by the control named after it: the 26 fields and the six hidden
    // attachment labels.
    for (const auto& f : TSchedaIscritto::fields()) {
        const QString name = QLatin1StringView(f.name);
        const bool allegato = name.startsWith(QLatin1String("File")) || name.startsWith(QLatin1String("Desc"));
        const QString control = (allegato ? QStringLiteral("lbl") : QStringLiteral("txt")) + name;
        QObject* o = e.w.findChild<QObject*>(control);
        QVERIFY2(o, qPrintable(control));
        QCOMPARE(o->property("text").toString(), r.*f.member);
    }
    QCOMPARE(e.w.foto().size(), QSize(40, 30));
    // The next record has no photo: the placeholder.
    e.click("cmdAvanti");
    QCOMPARE(e.w.foto(), placeholderPhoto());
    QCOMPARE(e.w.scheda(), iscritto(3, true));
}

void tst_TfrmTiratori::keyboardRules_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");   // while the field has the focus
    QTest::addColumn<QString>("left");    // once the focus moved on with Enter
    QTest::addColumn<QString>("enterTo"); // where Enter went

    QTest::newRow("sex in capitals") << "txtSesso"
                                     << "m"
                                     << "M"
                                     << "M"
                                     << "txtDataNasc";
    QTest::newRow("sex: another letter is not typed") << "txtSesso"
                                                      << "a"
                                                      << ""
                                                      << ""
                                                      << "txtDataNasc";
    QTest::newRow("sex: a blank is dropped") << "txtSesso"
                                             << " "
                                             << ""
                                             << ""
                                             << "txtDataNasc";
    QTest::newRow("fiscal code") << "txtCodFisc"
                                 << "rssmra "
                                 << "RSSMRA"
                                 << "RSSMRA"
                                 << "txtGruppo";
    QTest::newRow("e-mail: blank at the end") << "txtEmail"
                                              << "a.b@c.it "
                                              << "a.b@c.it"
                                              << "a.b@c.it"
                                              << "txtTel";
    QTest::newRow("fee: letters and stops ignored") << "txtQuota"
                                                    << "1a2.5,5x"
                                                    << "0,00125,5"
                                                    << "0,00"
                                                    << "txtInizioTes";
    QTest::newRow("fee completed when left") << "txtQuota"
                                             << "\b\b\b\b12,5"
                                             << "12,5"
                                             << "12,50"
                                             << "txtInizioTes";
    QTest::newRow("notes lead back to the name") << "txtNote"
                                                 << "x"
                                                 << "x"
                                                 << "x"
                                                 << "txtTiratore";
}

void tst_TfrmTiratori::keyboardRules()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, left);
    QFETCH(QString, enterTo);

    Editor e;
    e.showActive();
    QLineEdit* f = e.edit(field);
    f->setFocus();
    QTest::keyClick(f, Qt::Key_End);
    for (QChar c : typed) {
        if (c == u'\b')
            QTest::keyClick(f, Qt::Key_Backspace);
        else
            QTest::keyClicks(f, QString(c));
    }
    QCOMPARE(f->text(), shown);
    QTest::keyClick(f, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), e.edit(enterTo));
    QCOMPARE(f->text(), left);
}

void tst_TfrmTiratori::mailButton_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("opened");
    QTest::newRow("empty") << ""
                           << "mailto:";
    QTest::newRow("plain") << "  mario.rossi@example.it "
                           << "mailto:mario.rossi@example.it";
    QTest::newRow("blank and accent") << QStringLiteral("niccolò rossi@example.it")
                                      << "mailto:niccol%C3%B2%20rossi@example.it";
    QTest::newRow("no headers of its own") << "a@b.it?bcc=x@y.it"
                                           << "mailto:a@b.it%3Fbcc%3Dx@y.it";
}

void tst_TfrmTiratori::mailButton()
{
    QFETCH(QString, address);
    QFETCH(QString, opened);
    Editor e;
    e.edit("txtEmail")->setText(address);
    e.click("btnEmail");
    QCOMPARE(e.fake.opened, QStringList{opened});
}

void tst_TfrmTiratori::fiscalCodeButton_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("field");
    QTest::newRow("empty") << ""
                           << "frmCodFisc"
                           << "txtCodFisc";
    QTest::newRow("fiscal code") << "RSSMRA80A01H501U"
                                 << "frmCodFisc"
                                 << "txtCodFisc";
    QTest::newRow("VAT number") << "01234567890"
                                << "frmPartitaIva"
                                << "txtPartitaIva";
}

void tst_TfrmTiratori::fiscalCodeButton()
{
    QFETCH(QString, code);
    QFETCH(QString, window);
    QFETCH(QString, field);
    Editor e;
    e.edit("txtCodFisc")->setText(code);
    QString seen;
    e.fake.dialogScripts = {[&](QDialog* d) {
        seen = d->findChild<QLineEdit*>(field)->text();
        return int(QDialog::Rejected);
    }};
    e.click("btnCodFisc");
    QCOMPARE(e.fake.dialogsRun, QStringList{window});
    QCOMPARE(seen, code);
    QCOMPARE(e.edit("txtCodFisc")->text(), code);
}

void tst_TfrmTiratori::infoBar()
{
    Editor e;
    auto* bar = e.label("panInfo");
    QCOMPARE(bar->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));
    const QList<std::pair<const char*, const char*>> hints = {
        {"cmdNuovo", "Prepara la schermata per l'inserimento di una nuova scheda."},
        {"cmdFile", "Allega file alla scheda."},
        {"cmdScadCert", "Visualizza il riepilogo dei certificati medici scaduti."},
        {"cmdStampa", "Stampa la scheda."},
        {"btnEmail", "Invia una e-mail all'indirizzo indicato."},
        {"btnZoomFoto", "Visualizza la foto nelle sue dimensioni reali."},
    };
    e.showActive();
    QVERIFY(QTest::qWaitForWindowExposed(&e.w));
    for (const auto& [name, hint] : hints) {
        auto* b = e.w.findChild<QWidget*>(QLatin1StringView(name));
        QTest::mouseMove(b, b->rect().center());
        QTRY_COMPARE(bar->text(), QString::fromUtf8(hint));
    }
    auto* card = e.w.findChild<QWidget*>(QStringLiteral("panScheda"));
    QTest::mouseMove(card, QPoint(2, card->height() - 3));
    QTRY_COMPARE(bar->text(), QString());
}

QTEST_MAIN(tst_TfrmTiratori)
#include "tst_TfrmTiratori.moc"
