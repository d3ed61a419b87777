// Every write the program makes, with the disk failing at each step it takes: the Nth open for
// writing, write, flush, rename or copy fails (N = 1, 2, ... until the action needs fewer steps
// than N and succeeds untouched). After every failure:
//   - each file of the program folder is either exactly as it was or exactly as a fault-free save
//     leaves it: never a mix, never a temporary file left behind;
//   - the user got exactly one message, the one that says the save failed;
//   - the screen still holds what the user typed, so doing the same action again, once the disk
//     works, saves all of it.
//
// Adding a write path (a member save, a photo, an attachment, an export) is one class and one line:
//   1. derive from WriteAction: lay() puts the files as a previous save left them, open() brings up
//      the screen and types the new values through its controls, act() presses the control that
//      saves, kept() says whether the typed values are still on the screen, checkSaved() reads the
//      saved files back, success()/failure() give the messages (failureFor() when the message
//      depends on which file the fault stopped), question() a question asked before every write;
//   2. add it to kWritePaths below. The loop over the steps and errors does the rest.
#include "access/Crypt.h"
#include "access/PasswordStore.h"
#include "backup/ArchiveCheck.h"
#include "backup/Backup.h"
#include "backup/BackupSettings.h"
#include "backup/Restore.h"
#include "login/TfrmCambiaPassword.h"
#include "maintenance/TfrmBackup.h"
#include "members/Attachments.h"
#include "members/PhotoStore.h"
#include "members/PhotoView.h"
#include "members/TfrmAllegaCartella.h"
#include "members/TfrmExpTiratori.h"
#include "members/TfrmTiratori.h"
#include "members/TfrmWebCam.h"
#include "receipts/AssociationSettings.h"
#include "receipts/ReceiptSettings.h"
#include "receipts/TfrmAssociazione.h"
#include "receipts/TfrmExpRic.h"
#include "receipts/TfrmLogo.h"
#include "receipts/TfrmNumerazione.h"
#include "receipts/TfrmRicevuta.h"
#include "storage/Archives.h"
#include "storage/Cp1252.h"
#include "storage/IniFile.h"
#include "storage/Messages.h"
#include "storage/PaymentArchive.h"
#include "storage/RecordLayout.h"
#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"
#include "support/FakePlatform.h"
#include "support/FaultInjector.h"
#include "support/Folders.h"
#include "support/Screens.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTableView>
#include <QTest>

#include <sys/time.h>

#include <functional>
#include <memory>
#include <optional>

using namespace tavorel;
using tavorel::test::child;
using tavorel::test::FakePlatform;
using tavorel::test::FakePlatformScope;
using tavorel::test::FaultInjector;
using tavorel::test::showActive;

namespace {

using Message = FakePlatform::Message;
using Files = QMap<QString, QByteArray>;

const QString kInserita = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kModificata =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kCompletata = QStringLiteral("Modifica della password completata con successo.");
const QString kErroreModifica =
    QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica della password. "
                   "Si consiglia di reinstallare il software.");

// --- driving screens by their controls' names -------------------------------------------------

QLineEdit* edit(QWidget* screen, const char* name)
{
    return screen->findChild<QLineEdit*>(QLatin1StringView(name));
}

void type(QWidget* screen, const char* name, const QString& text)
{
    QLineEdit* e = edit(screen, name);
    QVERIFY2(e, name);
    e->clear();
    QTest::keyClicks(e, text);
}

// Read-only fields filled by a picker (dates) are set as the picker sets them.
void pick(QWidget* screen, const char* name, const QString& text)
{
    QLineEdit* e = edit(screen, name);
    QVERIFY2(e, name);
    e->setText(text);
}

void click(QWidget* screen, const char* name)
{
    auto* button = screen->findChild<QAbstractButton*>(QLatin1StringView(name));
    QVERIFY2(button && button->isVisible() && button->isEnabled(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

bool holds(QWidget* screen, const QList<std::pair<const char*, QString>>& typed)
{
    for (const auto& [name, text] : typed) {
        QLineEdit* e = edit(screen, name);
        if (!e || e->text() != text) {
            qWarning("%s holds \"%s\" instead of \"%s\"", name, e ? qPrintable(e->text()) : "<missing>",
                     qPrintable(text));
            return false;
        }
    }
    return true;
}

// --- the write paths ----------------------------------------------------------------------------

class WriteAction {
public:
    virtual ~WriteAction() = default;
    virtual void lay(const QString& folder) = 0;
    virtual void open(FakePlatform& fake) = 0;
    virtual void act() = 0;
    virtual bool kept() = 0;
    virtual void checkSaved(const QString& folder) = 0;
    virtual std::optional<Message> success() const = 0;
    virtual Message failure() const = 0;
    // Where the action writes several files, the message can depend on where the fault stopped it.
    virtual Message failureFor(const Files& after) const
    {
        Q_UNUSED(after);
        return failure();
    }
    // A question the action asks (and the fake answers Yes) before it writes, every time.
    virtual std::optional<Message> question() const { return std::nullopt; }
    // A write of the record that fails because the disk is full says so instead of the access
    // message (the archives' saves).
    virtual bool tellsDiskFull() const { return false; }
};

TSchedaRicevuta ricevuta(int n)
{
    TSchedaRicevuta r;
    for (const auto& f : TSchedaRicevuta::fields())
        r.*f.member = QStringLiteral("%1 %2").arg(QLatin1StringView(f.name)).arg(n).left(f.capacity).trimmed();
    r.Data = r.Dal = r.Al = QStringLiteral("0%1/03/2026").arg(n);
    r.DataNasc = QStringLiteral("0%1/05/2010").arg(n);
    return r;
}

QByteArray archivio(int records)
{
    QByteArray bytes;
    for (int i = 1; i <= records; ++i)
        bytes += encodeRecord(ricevuta(i));
    return bytes;
}

// The receipt editor on 2026.ric; append (a new receipt) or overwrite (receipt 2 changed).
class ReceiptSave : public WriteAction {
public:
    explicit ReceiptSave(bool overwrite) : overwrite_(overwrite) {}

    void lay(const QString& folder) override
    {
        path_ = QDir(folder).filePath(QStringLiteral("2026.ric"));
        QVERIFY(test::writeFile(path_, archivio(3)));
        QVERIFY(test::writeFile(QDir(folder).filePath(ReceiptSettings::fileName()),
                                "[Ricevente]\r\nRigo 1=A.S.D. Prova\r\n"));
    }
    void open(FakePlatform& fake) override
    {
        w_ = std::make_unique<TfrmRicevuta>();
        w_->apriArchivio(path_, QStringLiteral(" Tavorel - Archivio ricevute anno 2026"));
        showActive(*w_);
        if (overwrite_) {
            click(w_.get(), "cmdPrimo");
            click(w_.get(), "cmdAvanti");
            typed_ = {{"txtPagatore", QStringLiteral("Verdi Anna")}, {"txtSport", QStringLiteral("Scherma")}};
        } else {
            typed_ = {{"txtNumRic", QStringLiteral("4")},
                      {"txtPagatore", QStringLiteral("Rossi Mario")},
                      {"txtCodFisc", QStringLiteral("RSSMRA80A01H501U")},
                      {"txtSport", QStringLiteral("Nuoto")},
                      {"txtImporto", QStringLiteral("150")},
                      {"txtCents", QStringLiteral("50")}};
        }
        for (const auto& [name, text] : typed_)
            type(w_.get(), name, text);
        if (!overwrite_) {
            pick(w_.get(), "txtData", QStringLiteral("05/03/2026"));
            pick(w_.get(), "txtDal", QStringLiteral("01/03/2026"));
            pick(w_.get(), "txtAl", QStringLiteral("31/03/2026"));
        }
        fake.messages.clear();
    }
    void act() override { click(w_.get(), "cmdSalva"); }
    bool kept() override
    {
        // An unsaved receipt stays unsaved, a saved one keeps its number: a second "Salva" appends
        // once, or overwrites the same record.
        const auto* posizione = w_->findChild<QLabel*>(QStringLiteral("lblPosizione"));
        return holds(w_.get(), typed_) && posizione->text() == (overwrite_ ? QStringLiteral("2") : QString());
    }
    void checkSaved(const QString& folder) override
    {
        const QByteArray bytes = test::readFile(QDir(folder).filePath(QStringLiteral("2026.ric")));
        const int records = overwrite_ ? 3 : 4;
        QCOMPARE(bytes.size(), records * TSchedaRicevuta::RecordSize);
        const int k = overwrite_ ? 2 : 4;
        const auto saved = decodeRecord<TSchedaRicevuta>(bytes.mid((k - 1) * TSchedaRicevuta::RecordSize));
        for (const auto& [name, text] : typed_) {
            const auto* f = findField<TSchedaRicevuta>(QString::fromLatin1(name).mid(3));
            QVERIFY(f);
            QCOMPARE(saved.*(f->member), text);
        }
        // The other receipts are untouched.
        for (int i = 1; i <= 3; ++i) {
            if (i != k)
                QCOMPARE(bytes.mid((i - 1) * TSchedaRicevuta::RecordSize, TSchedaRicevuta::RecordSize),
                         encodeRecord(ricevuta(i)));
        }
    }
    std::optional<Message> success() const override
    {
        return Message{MessageKind::Information, overwrite_ ? kModificata : kInserita};
    }
    Message failure() const override { return {MessageKind::Warning, kMsgAccessoArchivio}; }
    bool tellsDiskFull() const override { return true; }

protected:
    TfrmRicevuta* screen() const { return w_.get(); }

private:
    bool overwrite_;
    QString path_;
    std::unique_ptr<TfrmRicevuta> w_;
    QList<std::pair<const char*, QString>> typed_;
};

// Closing the receipt editor stores its payee lines in the settings, keeping the rest of the file.
class PayeeLines : public WriteAction {
public:
    void lay(const QString& folder) override
    {
        QVERIFY(test::writeFile(QDir(folder).filePath(ReceiptSettings::fileName()),
                                "[Ricevente]\r\nRigo 1=Vecchia\r\nRigo 2=Via Vecchia\r\n"
                                "[Numerazione Ricevute]\r\nInizio=100\r\n"));
        folder_ = folder;
    }
    void open(FakePlatform& fake) override
    {
        w_ = std::make_unique<TfrmRicevuta>();
        w_->apriArchivio(QDir(folder_).filePath(QStringLiteral("2026.ric")), QStringLiteral(" Tavorel"));
        showActive(*w_);
        for (const auto& [name, text] : typed_)
            type(w_.get(), name, text);
        fake.messages.clear();
    }
    void act() override
    {
        // Closing again after a failure is showing the editor again first: it has been left.
        if (!w_->isVisible())
            showActive(*w_);
        click(w_.get(), "cmdEsci");
    }
    bool kept() override
    {
        showActive(*w_);
        return holds(w_.get(), typed_);
    }
    void checkSaved(const QString& folder) override
    {
        const QStringList lines = ReceiptSettings::leggiRiceventi(folder);
        QCOMPARE(lines, (QStringList{QStringLiteral("A.S.D. Nuova"), QStringLiteral("Via Roma 1"),
                                     QStringLiteral("00100 Roma"), QString()}));
        QCOMPARE(ReceiptSettings::leggiInizio(folder), QStringLiteral("100"));
    }
    std::optional<Message> success() const override { return std::nullopt; }
    // The editor stays open with the lines typed, so that closing again saves them.
    Message failure() const override { return {MessageKind::Error, kMsgAccessoArchivio}; }

private:
    QString folder_;
    std::unique_ptr<TfrmRicevuta> w_;
    const QList<std::pair<const char*, QString>> typed_{{"txtRicevente01", QStringLiteral("A.S.D. Nuova")},
                                                        {"txtRicevente02", QStringLiteral("Via Roma 1")},
                                                        {"txtRicevente03", QStringLiteral("00100 Roma")},
                                                        {"txtRicevente04", QString()}};
};

// Receipt 2 changed with how it was paid: the receipt, then its record beside the archive (2026.pag,
// receipt 1 padded blank). A failure after the receipt was written is the side file's: the payment
// stays on screen as a change, and "Salva" again writes it.
class ReceiptPaymentSave : public ReceiptSave {
public:
    ReceiptPaymentSave() : ReceiptSave(true) {}
    void lay(const QString& folder) override
    {
        ReceiptSave::lay(folder);
        // The side file is there, still empty (a first save that failed leaves it so: an empty file
        // reads as no payments, and removing it could lose another workstation's write).
        QVERIFY(test::writeFile(QDir(folder).filePath(QStringLiteral("2026.pag")), QByteArray()));
    }
    void open(FakePlatform& fake) override
    {
        ReceiptSave::open(fake);
        screen()->findChild<QComboBox*>(QStringLiteral("cboCausale"))->setCurrentText(kCausaleCorso);
        screen()->findChild<QComboBox*>(QStringLiteral("cboPagamento"))->setCurrentText(kPagamentoBonifico);
        type(screen(), "txtRifPag", QStringLiteral("TRN 77"));
    }
    bool kept() override
    {
        return ReceiptSave::kept() &&
               screen()->findChild<QComboBox*>(QStringLiteral("cboPagamento"))->currentText() == kPagamentoBonifico &&
               holds(screen(), {{"txtRifPag", QStringLiteral("TRN 77")}});
    }
    void checkSaved(const QString& folder) override
    {
        ReceiptSave::checkSaved(folder);
        const QString ric = QDir(folder).filePath(QStringLiteral("2026.ric"));
        TSchedaPagamento p;
        QCOMPARE(PaymentArchive::leggi(ric, 1, p), PaymentArchive::Esito::Letto);
        QVERIFY(p.vuoto());
        QCOMPARE(PaymentArchive::leggi(ric, 2, p), PaymentArchive::Esito::Letto);
        QCOMPARE(p, (TSchedaPagamento{kCausaleCorso, kPagamentoBonifico, {}, QStringLiteral("TRN 77")}));
    }
    Message failureFor(const Files& after) const override
    {
        // The receipt went in as saved: what failed is its payment, told as an error.
        for (auto it = after.cbegin(); it != after.cend(); ++it)
            if (it.key().endsWith(QLatin1String("2026.ric")) && it.value() != archivio(3))
                return {MessageKind::Error, kMsgAccessoArchivio};
        return failure();
    }
};

// The club's fiscal data, saved into their own section of the settings file.
class FiscalData : public WriteAction {
public:
    void lay(const QString& folder) override
    {
        QVERIFY(test::writeFile(QDir(folder).filePath(ReceiptSettings::fileName()),
                                "[Ricevente]\r\nRigo 1=A.S.D. Prova\r\n[Numerazione Ricevute]\r\nInizio=7\r\n"));
    }
    void open(FakePlatform& fake) override
    {
        w_ = std::make_unique<TfrmAssociazione>(nullptr);
        showActive(*w_);
        w_->findChild<QComboBox*>(QStringLiteral("cboRegime"))->setCurrentIndex(1);
        type(w_.get(), "txtCodFiscAss", QStringLiteral("80012345676"));
        fake.messages.clear();
    }
    void act() override { click(w_.get(), "btnSalva"); }
    bool kept() override
    {
        return w_->isVisible() && w_->findChild<QComboBox*>(QStringLiteral("cboRegime"))->currentIndex() == 1 &&
               holds(w_.get(), {{"txtCodFiscAss", QStringLiteral("80012345676")}});
    }
    void checkSaved(const QString& folder) override
    {
        const DatiFiscali dati = AssociationSettings::leggi(folder);
        QCOMPARE(dati.regime, Regime::Asd);
        QCOMPARE(dati.codFisc, QStringLiteral("80012345676"));
        QCOMPARE(ReceiptSettings::leggiInizio(folder), QStringLiteral("7"));
        QCOMPARE(ReceiptSettings::leggiRiceventi(folder).value(0), QStringLiteral("A.S.D. Prova"));
    }
    std::optional<Message> success() const override { return std::nullopt; }
    Message failure() const override { return {MessageKind::Error, kMsgAccessoArchivio}; }

private:
    std::unique_ptr<TfrmAssociazione> w_;
};

// The numbering start dialog, opened as the receipt editor opens it.
class NumberingStart : public WriteAction {
public:
    void lay(const QString& folder) override
    {
        QVERIFY(test::writeFile(QDir(folder).filePath(ReceiptSettings::fileName()),
                                "[Ricevente]\r\nRigo 1=A.S.D. Prova\r\n[Numerazione Ricevute]\r\nInizio=7\r\n"));
    }
    void open(FakePlatform& fake) override
    {
        w_ = std::make_unique<TfrmNumerazione>(nullptr);
        w_->findChild<QLabel*>(QStringLiteral("lblMemory"))->setText(QStringLiteral("ricevute"));
        showActive(*w_);
        type(w_.get(), "txtInizio", QStringLiteral("00250"));
        fake.messages.clear();
    }
    void act() override { click(w_.get(), "btnApplica"); }
    bool kept() override { return w_->isVisible() && holds(w_.get(), {{"txtInizio", QStringLiteral("250")}}); }
    void checkSaved(const QString& folder) override
    {
        QCOMPARE(ReceiptSettings::leggiInizio(folder), QStringLiteral("250"));
        QCOMPARE(ReceiptSettings::leggiRiceventi(folder).value(0), QStringLiteral("A.S.D. Prova"));
    }
    std::optional<Message> success() const override { return std::nullopt; }
    Message failure() const override { return {MessageKind::Error, kMsgAccessoArchivio}; }

private:
    std::unique_ptr<TfrmNumerazione> w_;
};

// The logo dialog storing a picture chosen with "Sfoglia...".
class Logo : public WriteAction {
public:
    void lay(const QString& folder) override
    {
        QImage old(297, 184, QImage::Format_RGB32);
        old.fill(Qt::red);
        QVERIFY(old.save(ReceiptSettings::percorsoLogo(folder), "BMP"));
    }
    void open(FakePlatform& fake) override
    {
        QImage chosen(297, 184, QImage::Format_RGB32);
        chosen.fill(QColor(0, 128, 255));
        chosenPath_ = QDir(pictures_.path()).filePath(QStringLiteral("nuovo.png"));
        QVERIFY(chosen.save(chosenPath_, "PNG"));
        w_ = std::make_unique<TfrmLogo>(nullptr);
        showActive(*w_);
        fake.openFileAnswers.append(chosenPath_);
        click(w_.get(), "btnSfoglia");
        fake.messages.clear();
    }
    void act() override { click(w_.get(), "btnApplica"); }
    bool kept() override { return w_->isVisible() && w_->logo().pixelColor(10, 10) == QColor(0, 128, 255); }
    void checkSaved(const QString& folder) override
    {
        const QImage stored(ReceiptSettings::percorsoLogo(folder), "BMP");
        QCOMPARE(stored.size(), QSize(297, 184));
        QCOMPARE(stored.pixelColor(10, 10), QColor(0, 128, 255));
    }
    std::optional<Message> success() const override { return std::nullopt; }
    Message failure() const override { return {MessageKind::Error, kMsgAccessoArchivio}; }

private:
    QTemporaryDir pictures_;
    QString chosenPath_;
    std::unique_ptr<TfrmLogo> w_;
};

// A password change, which rewrites the store's key and keeps the rest of the file.
class PasswordChange : public WriteAction {
public:
    void lay(const QString& folder) override
    {
        QVERIFY(test::writeFile(PasswordStore::filePath(folder),
                                "; Tavorel\r\n[Accesso]\r\nValore=" + CifraTesto(QStringLiteral("VECCHIA")).toLatin1() +
                                    "\r\n[Altro]\r\nChiave=1\r\n"));
    }
    void open(FakePlatform& fake) override
    {
        w_ = std::make_unique<TfrmCambiaPassword>();
        showActive(*w_);
        for (const auto& [name, text] : typed_)
            type(w_.get(), name, text);
        fake.messages.clear();
    }
    void act() override { click(w_.get(), "cmdOK"); }
    bool kept() override { return w_->isVisible() && holds(w_.get(), typed_); }
    void checkSaved(const QString& folder) override
    {
        const auto reading = PasswordStore::read(folder);
        QCOMPARE(reading.status, PasswordStore::Status::Ok);
        QCOMPARE(reading.password, QStringLiteral("NUOVA"));
        QVERIFY(test::readFile(PasswordStore::filePath(folder)).endsWith("\r\n[Altro]\r\nChiave=1\r\n"));
    }
    std::optional<Message> success() const override { return Message{MessageKind::Plain, kCompletata}; }
    Message failure() const override { return {MessageKind::Plain, kErroreModifica}; }

private:
    std::unique_ptr<TfrmCambiaPassword> w_;
    const QList<std::pair<const char*, QString>> typed_{{"txtPasswordOld", QStringLiteral("vecchia")},
                                                        {"txtPasswordNew", QStringLiteral("nuova")},
                                                        {"txtConferma", QStringLiteral("nuova")}};
};

// --- the member archive -------------------------------------------------------------------------

TSchedaIscritto iscritto(int n)
{
    TSchedaIscritto m;
    for (const auto& f : TSchedaIscritto::fields())
        m.*f.member = QStringLiteral("%1 %2").arg(QLatin1StringView(f.name)).arg(n).left(f.capacity).trimmed();
    m.Sesso = QStringLiteral("F");
    m.DataNasc = QStringLiteral("0%1/04/1990").arg(n);
    m.Quota = QStringLiteral("%1,00").arg(n);
    m.File01 = QStringLiteral("doc%1.pdf").arg(n);
    return m;
}

QImage tinta(QColor colour, QSize size = QSize(120, 160))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A flat JPEG comes back within a few levels of the colour it was written with.
bool near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) <= 8 && std::abs(a.green() - b.green()) <= 8 &&
           std::abs(a.blue() - b.blue()) <= 8;
}

const QColor kFotoVecchia{200, 40, 40};
const QColor kFotoNuova{30, 140, 60};

// The member editor's "Salva" on Archivio_Iscritti.pro with a photo loaded with "Carica": append
// (a new member, record 4) or overwrite (member 2 changed). The record is written first, then the
// photo: a fault in the photo leaves the record saved and the photo as it was.
class MemberSave : public WriteAction {
public:
    explicit MemberSave(bool overwrite) : overwrite_(overwrite) {}

    void lay(const QString& folder) override
    {
        archive_ = memberArchivePath(folder);
        for (int i = 1; i <= 3; ++i)
            archiveBytes_ += encodeRecord(iscritto(i));
        QVERIFY(test::writeFile(archive_, archiveBytes_));
        QVERIFY(QDir(folder).mkpath(kPhotoFolderName));
        for (int i = 1; i <= 3; ++i)
            QVERIFY(tinta(kFotoVecchia).save(photoPath(folder, i), "JPG"));
    }
    void open(FakePlatform& fake) override
    {
        w_ = std::make_unique<TfrmTiratori>();
        showActive(*w_);
        if (overwrite_) {
            click(w_.get(), "cmdPrimo");
            click(w_.get(), "cmdAvanti");
            typed_ = {{"txtTiratore", QStringLiteral("Verdi Anna")}, {"txtEnte", QStringLiteral("Scherma")}};
        } else {
            typed_ = {{"txtTiratore", QStringLiteral("Rossi Mario")},
                      {"txtCodFisc", QStringLiteral("RSSMRA80A01H501U")},
                      {"txtEnte", QStringLiteral("Tiro a volo")},
                      {"txtTessera", QStringLiteral("T-2026-7")},
                      {"txtQuota", QStringLiteral("35,50")}};
        }
        for (const auto& [name, text] : typed_)
            type(w_.get(), name, text);
        if (!overwrite_) {
            dates_ = {{"txtStudio", QStringLiteral("30/06/2027")},
                      {"txtInizioTes", QStringLiteral("01/09/2026")},
                      {"txtFineTes", QStringLiteral("31/08/2027")}};
            for (const auto& [name, text] : dates_)
                pick(w_.get(), name, text);
        }
        const QString chosen = QDir(pictures_.path()).filePath(QStringLiteral("nuova.jpg"));
        QVERIFY(tinta(kFotoNuova).save(chosen, "JPG"));
        fake.openFileAnswers.append(chosen);
        click(w_.get(), "btnCaricaFoto");
        fake.messages.clear();
    }
    void act() override { click(w_.get(), "cmdSalva"); }
    bool kept() override
    {
        // A member whose record was appended before its photo failed keeps its new number, so that
        // "Salva" again writes over that record instead of appending a second one.
        const QString posizione = w_->findChild<QLabel*>(QStringLiteral("lblPosizione"))->text();
        const bool numero =
            overwrite_ ? posizione == QStringLiteral("2") : (posizione.isEmpty() || posizione == QStringLiteral("4"));
        return holds(w_.get(), typed_ + dates_) && numero && near(w_->foto().pixelColor(5, 5), kFotoNuova);
    }
    void checkSaved(const QString& folder) override
    {
        const QByteArray bytes = test::readFile(archive_);
        const int k = overwrite_ ? 2 : 4;
        QCOMPARE(bytes.size(), (overwrite_ ? 3 : 4) * TSchedaIscritto::RecordSize);
        const auto saved = decodeRecord<TSchedaIscritto>(bytes.mid((k - 1) * TSchedaIscritto::RecordSize));
        for (const auto& [name, text] : typed_ + dates_) {
            const auto* f = findField<TSchedaIscritto>(QString::fromLatin1(name).mid(3));
            QVERIFY(f);
            QCOMPARE(saved.*(f->member), text);
        }
        if (overwrite_)
            QCOMPARE(saved.File01, QStringLiteral("doc2.pdf")); // the attachments stay with the member
        for (int i = 1; i <= 3; ++i) {
            if (i != k)
                QCOMPARE(bytes.mid((i - 1) * TSchedaIscritto::RecordSize, TSchedaIscritto::RecordSize),
                         encodeRecord(iscritto(i)));
        }
        const QImage photo = readPicture(photoPath(folder, k));
        QCOMPARE(photo.size(), QSize(120, 160));
        QVERIFY(near(photo.pixelColor(60, 80), kFotoNuova));
    }
    std::optional<Message> success() const override
    {
        return Message{MessageKind::Information, overwrite_ ? kModificata : kInserita};
    }
    bool tellsDiskFull() const override { return true; }
    Message failure() const override { return {MessageKind::Error, kMsgAccessoArchivio}; }
    Message failureFor(const Files& after) const override
    {
        const QString archive = QFileInfo(archive_).fileName();
        if (after.value(archive) == archiveBytes_)
            return failure();
        return {MessageKind::Warning, kMsgFotoNonSalvata};
    }

private:
    bool overwrite_;
    QString archive_;
    QByteArray archiveBytes_;
    QTemporaryDir pictures_;
    std::unique_ptr<TfrmTiratori> w_;
    QList<std::pair<const char*, QString>> typed_;
    QList<std::pair<const char*, QString>> dates_;
};

// The photo box's own "Salva la foto su disco": the picture exported over a JPEG of the user's.
class PhotoExport : public WriteAction {
public:
    void lay(const QString& folder) override
    {
        target_ = QDir(folder).filePath(QStringLiteral("Foto.jpg"));
        QVERIFY(tinta(kFotoVecchia).save(target_, "JPG"));
    }
    void open(FakePlatform& fake) override
    {
        w_ = std::make_unique<TfrmTiratori>();
        showActive(*w_);
        const QString chosen = QDir(pictures_.path()).filePath(QStringLiteral("nuova.bmp"));
        QVERIFY(tinta(kFotoNuova, QSize(307, 394)).save(chosen, "BMP"));
        fake.openFileAnswers.append(chosen);
        click(w_.get(), "btnCaricaFoto");
        fake.messages.clear();
        fake_ = &fake;
    }
    void act() override
    {
        fake_->saveFileAnswers.append(target_);
        click(w_.get(), "btnSalvaFoto");
    }
    bool kept() override { return w_->foto().pixelColor(5, 5) == kFotoNuova; }
    void checkSaved(const QString&) override
    {
        const QImage exported = readPicture(target_);
        QCOMPARE(exported.size(), QSize(307, 394));
        QVERIFY(near(exported.pixelColor(100, 100), kFotoNuova));
    }
    std::optional<Message> success() const override { return std::nullopt; }
    Message failure() const override { return {MessageKind::Warning, kMsgFotoNonEsportata}; }

private:
    QString target_;
    QTemporaryDir pictures_;
    FakePlatform* fake_ = nullptr;
    std::unique_ptr<TfrmTiratori> w_;
};

// The webcam window's "Salva foto su disco": the captured frame exported over a JPEG of the user's.
class WebcamExport : public WriteAction {
public:
    void lay(const QString& folder) override
    {
        target_ = QDir(folder).filePath(QStringLiteral("Foto.jpg"));
        QVERIFY(tinta(kFotoVecchia).save(target_, "JPG"));
    }
    void open(FakePlatform& fake) override
    {
        w_ = std::make_unique<TfrmWebCam>(nullptr);
        w_->setMode(TfrmWebCam::kModeScheda);
        showActive(*w_);
        click(w_.get(), "btnAccendi");
        QVERIFY(fake.lastCamera);
        fake.lastCamera->deliver(tinta(kFotoNuova, QSize(640, 480)));
        click(w_.get(), "btnCattura");
        fake.lastCamera->deliver(tinta(Qt::black, QSize(640, 480))); // the live box moves on
        fake.messages.clear();
        fake_ = &fake;
    }
    void act() override
    {
        fake_->saveFileAnswers.append(target_);
        click(w_.get(), "btnSalvaFotogramma");
    }
    bool kept() override
    {
        const QImage captured = child<PhotoView>(w_.get(), "imgTarget")->picture();
        return w_->isVisible() && captured.size() == QSize(640, 480) && captured.pixelColor(5, 5) == kFotoNuova;
    }
    void checkSaved(const QString&) override
    {
        const QImage exported = readPicture(target_);
        QCOMPARE(exported.size(), QSize(640, 480));
        QVERIFY(near(exported.pixelColor(100, 100), kFotoNuova));
    }
    std::optional<Message> success() const override { return std::nullopt; }
    Message failure() const override { return {MessageKind::Warning, kMsgFotoNonEsportata}; }

private:
    QString target_;
    FakePlatform* fake_ = nullptr;
    std::unique_ptr<TfrmWebCam> w_;
};

// "Sfoglia..." in the attachments window copies the chosen document into Documenti_Allegati at
// once: a new document, or one replacing a document of the same name (after the question).
class AttachmentCopy : public WriteAction {
public:
    explicit AttachmentCopy(bool replacing) : replacing_(replacing) {}

    void lay(const QString& folder) override
    {
        const QString allegati = attachmentFolder(folder);
        QVERIFY(QDir().mkpath(allegati));
        QVERIFY(test::writeFile(QDir(allegati).filePath(QStringLiteral("vecchio.pdf")), "%PDF vecchio"));
        if (replacing_)
            QVERIFY(test::writeFile(QDir(allegati).filePath(QStringLiteral("tessera.pdf")), "%PDF tessera 2025"));
    }
    void open(FakePlatform& fake) override
    {
        // Larger than the copy's buffer, so that the copy takes several writes.
        source_ = QDir(documents_.path()).filePath(QStringLiteral("tessera.pdf"));
        QByteArray content("%PDF tessera 2026\n");
        for (int i = 0; content.size() < 150 * 1024; ++i)
            content += QByteArray::number(i) + ' ';
        QVERIFY(test::writeFile(source_, content));
        content_ = content;

        w_ = std::make_unique<TfrmAllegaCartella>(nullptr);
        w_->setMode(TfrmAllegaCartella::kModeScheda);
        AttachmentSlots valori;
        valori.files[0] = QStringLiteral("vecchio.pdf");
        if (replacing_)
            valori.files[1] = QStringLiteral("tessera.pdf"); // the member's own: asked before it is replaced
        w_->setValues(valori);
        showActive(*w_);
        type(w_.get(), "txtDesc01", kDescrizione);
        fake_ = &fake;
        fake.messages.clear();
    }
    void act() override
    {
        fake_->openFileAnswers.append(source_);
        click(w_.get(), "btnSfoglia01");
    }
    bool kept() override
    {
        // The slot names only a document that is in the folder: the old one until the copy succeeds.
        return w_->isVisible() &&
               holds(w_.get(), {{"txtDesc01", kDescrizione}, {"txtFile01", QStringLiteral("vecchio.pdf")}});
    }
    void checkSaved(const QString& folder) override
    {
        QCOMPARE(test::readFile(QDir(attachmentFolder(folder)).filePath(QStringLiteral("tessera.pdf"))), content_);
        QVERIFY(holds(w_.get(), {{"txtDesc01", kDescrizione}, {"txtFile01", QStringLiteral("tessera.pdf")}}));
    }
    std::optional<Message> success() const override { return std::nullopt; }
    Message failure() const override { return {MessageKind::Warning, kMsgAllegatoNonCopiato}; }
    std::optional<Message> question() const override
    {
        if (!replacing_)
            return std::nullopt;
        return Message{MessageKind::Confirmation, kMsgAllegatoSovrascrivi};
    }

private:
    const QString kDescrizione = QStringLiteral("Tessera federale 2026");
    bool replacing_;
    QTemporaryDir documents_;
    QString source_;
    QByteArray content_;
    FakePlatform* fake_ = nullptr;
    std::unique_ptr<TfrmAllegaCartella> w_;
};

// The two export screens: the archive in the grid, one cell typed over, "Esporta" writes the
// spreadsheet over the previous export in the program folder.
class Export : public WriteAction {
public:
    explicit Export(bool members) : members_(members) {}

    void lay(const QString& folder) override
    {
        QByteArray bytes;
        for (int i = 1; i <= 3; ++i)
            bytes += members_ ? encodeRecord(iscritto(i)) : encodeRecord(ricevuta(i));
        archive_ = members_ ? memberArchivePath(folder) : QDir(folder).filePath(QStringLiteral("2026.ric"));
        QVERIFY(test::writeFile(archive_, bytes));
        file_ =
            QDir(folder).filePath(members_ ? QStringLiteral("Archivio_Iscritti.xls") : QStringLiteral("Ricevute.xls"));
        QVERIFY(test::writeFile(file_, "<html>esportazione precedente</html>"));
    }
    void open(FakePlatform& fake) override
    {
        if (members_)
            w_ = std::make_unique<TfrmExpTiratori>(nullptr);
        else
            w_ = std::make_unique<TfrmExpRic>(nullptr, archive_);
        showActive(*w_);
        QCOMPARE(w_->righe(), 3);
        typeInto(1, kTyped);
        fake.messages.clear();
    }
    void act() override { click(w_.get(), "cmdEsporta"); }
    bool kept() override { return w_->isVisible() && w_->cella(1, column()) == kTyped; }
    void checkSaved(const QString&) override
    {
        const QString text = fromCp1252(test::readFile(file_));
        QVERIFY(text.contains(kTyped));
        for (int i = 1; i <= 3; ++i)
            QVERIFY(text.contains(members_ ? iscritto(i).Tiratore : ricevuta(i).Pagatore));
    }
    std::optional<Message> success() const override { return Message{MessageKind::Confirmation, kMsgEsportaRiuscita}; }
    Message failure() const override { return {MessageKind::Error, kMsgEsportaNegata}; }
    std::optional<Message> question() const override { return Message{MessageKind::Confirmation, kMsgEsportaDomanda}; }

private:
    // An editable column: the members' place of birth, the receipts' sport.
    int column() const { return members_ ? 4 : 5; }

    void typeInto(int row, const QString& text)
    {
        auto* grid = child<QTableView>(w_.get(), "grdRecords");
        const QModelIndex index = grid->model()->index(row, column());
        grid->scrollTo(index);
        QApplication::processEvents();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
        QCOMPARE(grid->currentIndex(), index);
        QTest::keyClicks(grid, text.left(1)); // the first key opens the cell's editor
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(editor);
        QTest::keyClicks(editor, text.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        QCOMPARE(w_->cella(row, column()), text);
    }

    const QString kTyped = QStringLiteral("Digitato a mano");
    bool members_;
    QString archive_;
    QString file_;
    std::unique_ptr<ExportScreen> w_;
};

// --- the copies of the data -----------------------------------------------------------------

// The data of a small club, with a photo in its folder.
void layClub(const QString& folder, int receipts, int members, const QByteArray& photo)
{
    QVERIFY(test::writeFile(QDir(folder).filePath(QStringLiteral("2026.ric")), archivio(receipts)));
    QByteArray iscritti;
    for (int i = 1; i <= members; ++i)
        iscritti += encodeRecord(iscritto(i));
    QVERIFY(test::writeFile(QDir(folder).filePath(QStringLiteral("Archivio_Iscritti.pro")), iscritti));
    QVERIFY(test::writeFile(QDir(folder).filePath(QStringLiteral("unins000.dll")),
                            "[Accesso]\r\nValore=" + CifraTesto(QStringLiteral("LAMPADARIOVERO")).toLatin1() + "\r\n"));
    if (!photo.isEmpty()) {
        QVERIFY(QDir(folder).mkpath(QStringLiteral("Anagrafica")));
        QVERIFY(test::writeFile(QDir(folder).filePath(QStringLiteral("Anagrafica/Scheda_Iscritto_1.jpg")), photo));
    }
}

// Every file and folder dated the same, so that two copies of the same data are the same bytes.
void fixTimes(const QString& folder)
{
    const struct timeval when[2] = {{1767261600, 0}, {1767261600, 0}};
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        QVERIFY(::utimes(QFile::encodeName(it.next()).constData(), when) == 0);
}

// "Crea copia" into the program's own copies folder, made by the copy.
class BackupCopy : public WriteAction {
public:
    void lay(const QString& folder) override
    {
        folder_ = folder;
        layClub(folder, 3, 2, QByteArray("\xff\xd8\xff photo"));
        fixTimes(folder);
    }
    void open(FakePlatform& fake) override
    {
        w_ = std::make_unique<TfrmBackup>(nullptr);
        showActive(*w_);
        fake.messages.clear();
    }
    void act() override { click(w_.get(), "btnCopia"); }
    bool kept() override
    {
        return w_->isVisible() && w_->findChild<QAbstractButton*>(QStringLiteral("btnCopia"))->isEnabled();
    }
    void checkSaved(const QString& folder) override
    {
        // The copy gives back the data when restored into an empty folder.
        QTemporaryDir elsewhere;
        QCOMPARE(restoreCopy(copyPath(), elsewhere.path()).status, RestoreOutcome::Done);
        QMap<QString, QByteArray> data = test::snapshot(folder);
        data.remove(QStringLiteral("Copie di sicurezza/"));
        data.remove(QStringLiteral("Copie di sicurezza/Tavorel_2026-12-10_0930.zip"));
        QCOMPARE(test::snapshot(elsewhere.path()), data);
    }
    std::optional<Message> success() const override
    {
        return Message{MessageKind::Information, msgCopiaCreata(QDir::toNativeSeparators(copyPath()),
                                                                backupSizeText(QFileInfo(copyPath()).size()), 4)};
    }
    Message failure() const override { return {MessageKind::Error, kMsgAccessoArchivio}; }

private:
    QString copyPath() const
    {
        return QDir(folder_).filePath(QStringLiteral("Copie di sicurezza/Tavorel_2026-12-10_0930.zip"));
    }
    QString folder_;
    std::unique_ptr<TfrmBackup> w_;
};

// "Ripristina": a copy made elsewhere puts back another state of the data; first the present
// state goes into a copy in the folder chosen for the copies (outside the program folder).
class RestoreCopy : public WriteAction {
public:
    ~RestoreCopy() override { QDir(chosenFolder()).removeRecursively(); }
    void lay(const QString& folder) override
    {
        // Now: more receipts, a year the copy does not hold, no photo yet.
        layClub(folder, 5, 3, QByteArray());
        QVERIFY(test::writeFile(QDir(folder).filePath(QStringLiteral("2027.ric")), archivio(1)));
        QDir(chosenFolder()).removeRecursively();
        QVERIFY(QDir().mkpath(chosenFolder()));
        QVERIFY(BackupSettings::setFolder(folder, chosenFolder()));
        // The copy: fewer receipts, other members, a photo.
        const QString source = elsewhere_.filePath(QStringLiteral("prima"));
        QVERIFY(QDir().mkpath(source));
        layClub(source, 2, 4, QByteArray("\xff\xd8\xff copy"));
        saved_ = test::snapshot(source);
        const BackupOutcome b = makeBackup(source, elsewhere_.path(), QDateTime(QDate(2026, 11, 30), QTime(18, 5)),
                                           CopyKind::ByHand, false);
        QCOMPARE(b.status, BackupOutcome::Done);
        zip_ = b.path;
    }
    void open(FakePlatform& fake) override
    {
        fake_ = &fake;
        w_ = std::make_unique<TfrmBackup>(nullptr);
        showActive(*w_);
        fake.messages.clear();
    }
    void act() override
    {
        fake_->openFileAnswers.append(zip_);
        click(w_.get(), "btnRipristina");
    }
    bool kept() override
    {
        return w_->isVisible() && w_->findChild<QAbstractButton*>(QStringLiteral("btnRipristina"))->isEnabled();
    }
    void checkSaved(const QString& folder) override
    {
        QMap<QString, QByteArray> now = test::snapshot(folder);
        // This computer's copy settings are not data: the restore leaves them be.
        QVERIFY(now.remove(BackupSettings::fileName()) == 1);
        QCOMPARE(now, saved_);
        QVERIFY(QFileInfo::exists(safetyCopy()));
    }
    std::optional<Message> success() const override
    {
        return Message{MessageKind::Information, msgRipristinoCompletato(QDir::toNativeSeparators(safetyCopy()))};
    }
    Message failure() const override { return {MessageKind::Error, kMsgAccessoArchivio}; }
    std::optional<Message> question() const override
    {
        return Message{MessageKind::Confirmation,
                       msgConfermaRipristino(QStringLiteral("30/11/2026"), QStringLiteral("18:05"),
                                             copyContentsText(inspectCopy(zip_, elsewhere_.path())))};
    }

private:
    // The folder chosen for the copies: the same in every run, as the settings that name it must be.
    static QString chosenFolder()
    {
        return QDir::temp().filePath(
            QStringLiteral("tst_WritePaths_chiavetta_%1").arg(QCoreApplication::applicationPid()));
    }
    QString safetyCopy() const { return QDir(chosenFolder()).filePath(QStringLiteral("Tavorel_2026-12-10_0930.zip")); }
    QTemporaryDir elsewhere_;
    QString zip_;
    QMap<QString, QByteArray> saved_;
    FakePlatform* fake_ = nullptr;
    std::unique_ptr<TfrmBackup> w_;
};

// "Ripara" on a receipt archive with a damaged record: the damaged file kept beside, the archive
// replaced by its whole records with a blank one in place of the damaged.
class ArchiveRepair : public WriteAction {
public:
    void lay(const QString& folder) override
    {
        damaged_ = archivio(4);
        damaged_[TSchedaRicevuta::RecordSize * 2] = char(0xFF); // record 3's first length byte
        QVERIFY(test::writeFile(QDir(folder).filePath(QStringLiteral("2026.ric")), damaged_));
    }
    void open(FakePlatform& fake) override
    {
        w_ = std::make_unique<TfrmBackup>(nullptr);
        showActive(*w_);
        click(w_.get(), "btnVerifica");
        fake.messages.clear();
    }
    void act() override { click(w_.get(), "btnRipara"); }
    bool kept() override
    {
        auto* list = w_->findChild<QListWidget*>(QStringLiteral("lstArchivi"));
        return list->count() == 1 && list->item(0)->text().contains(QStringLiteral("1 danneggiata (n. 3)"));
    }
    void checkSaved(const QString& folder) override
    {
        QByteArray mended = damaged_;
        mended.replace(TSchedaRicevuta::RecordSize * 2, TSchedaRicevuta::RecordSize,
                       QByteArray(TSchedaRicevuta::RecordSize, '\0'));
        QCOMPARE(test::readFile(QDir(folder).filePath(QStringLiteral("2026.ric"))), mended);
        QCOMPARE(test::readFile(QDir(folder).filePath(kKept)), damaged_);
    }
    std::optional<Message> success() const override
    {
        return Message{MessageKind::Information, msgArchivioRiparato(QStringLiteral("2026.ric"), 1, kKept)};
    }
    Message failure() const override { return {MessageKind::Error, kMsgAccessoArchivio}; }
    std::optional<Message> question() const override
    {
        return Message{MessageKind::Confirmation, msgConfermaRiparazione(QStringLiteral("2026.ric"), kKept)};
    }

private:
    const QString kKept = QStringLiteral("2026.ric.danneggiato-2026-12-10");
    QByteArray damaged_;
    std::unique_ptr<TfrmBackup> w_;
};

// Every write path of the program.
const QList<std::pair<const char*, std::function<std::unique_ptr<WriteAction>()>>> kWritePaths{
    {"receipt append", [] { return std::make_unique<ReceiptSave>(false); }},
    {"receipt overwrite", [] { return std::make_unique<ReceiptSave>(true); }},
    {"receipt with its payment", [] { return std::make_unique<ReceiptPaymentSave>(); }},
    {"club's fiscal data", [] { return std::make_unique<FiscalData>(); }},
    {"payee lines", [] { return std::make_unique<PayeeLines>(); }},
    {"numbering start", [] { return std::make_unique<NumberingStart>(); }},
    {"logo", [] { return std::make_unique<Logo>(); }},
    {"password store", [] { return std::make_unique<PasswordChange>(); }},
    {"member append", [] { return std::make_unique<MemberSave>(false); }},
    {"member overwrite", [] { return std::make_unique<MemberSave>(true); }},
    {"photo export", [] { return std::make_unique<PhotoExport>(); }},
    {"webcam frame export", [] { return std::make_unique<WebcamExport>(); }},
    {"attachment copy", [] { return std::make_unique<AttachmentCopy>(false); }},
    {"attachment replace", [] { return std::make_unique<AttachmentCopy>(true); }},
    {"receipt export", [] { return std::make_unique<Export>(false); }},
    {"member export", [] { return std::make_unique<Export>(true); }},
    {"backup", [] { return std::make_unique<BackupCopy>(); }},
    {"restore", [] { return std::make_unique<RestoreCopy>(); }},
    {"archive repair", [] { return std::make_unique<ArchiveRepair>(); }},
};

bool sameMessage(const Message& a, const Message& b)
{
    return a.kind == b.kind && a.text == b.text;
}

QString describe(const QList<Message>& messages)
{
    QStringList texts;
    for (const auto& m : messages)
        texts.append(QString::number(int(m.kind)) + QLatin1Char(':') + m.text.left(60));
    return texts.join(QStringLiteral(" | "));
}

// The action's question, asked before it wrote anything, is taken off the front of the messages;
// false when it was not asked.
bool takeQuestion(FakePlatform& fake, const WriteAction& action)
{
    const std::optional<Message> asked = action.question();
    if (!asked)
        return true;
    if (fake.messages.isEmpty() || !sameMessage(fake.messages.first(), *asked))
        return false;
    fake.messages.removeFirst();
    return true;
}

} // namespace

class tst_WritePaths : public QObject {
    Q_OBJECT
private slots:
    void faultAtEveryStep_data();
    void faultAtEveryStep();
};

void tst_WritePaths::faultAtEveryStep_data()
{
    QTest::addColumn<int>("path");
    QTest::addColumn<int>("error");
    const QList<std::pair<const char*, int>> errors{{"disk full", ENOSPC}, {"disk error", EIO}, {"refused", EACCES}};
    for (int p = 0; p < kWritePaths.size(); ++p) {
        for (const auto& [what, error] : errors)
            QTest::addRow("%s, %s", kWritePaths[p].first, what) << p << error;
    }
}

void tst_WritePaths::faultAtEveryStep()
{
    QFETCH(int, path);
    QFETCH(int, error);
    const auto& make = kWritePaths[path].second;

    // The fault-free save: what every file must be when the action succeeds.
    QMap<QString, QByteArray> before;
    QMap<QString, QByteArray> saved;
    {
        FakePlatformScope scope;
        auto action = make();
        action->lay(scope.fake.folder);
        before = test::snapshot(scope.fake.folder);
        action->open(scope.fake);
        action->act();
        saved = test::snapshot(scope.fake.folder);
        QVERIFY2(takeQuestion(scope.fake, *action), qPrintable(describe(scope.fake.messages)));
        action->checkSaved(scope.fake.folder);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(scope.fake.messages.size(), action->success() ? 1 : 0);
        if (action->success())
            QVERIFY(sameMessage(scope.fake.messages[0], *action->success()));
        QVERIFY(saved != before);
    }

    int absorbed = 0;
    QStringList steps;
    for (int n = 1;; ++n) {
        FakePlatformScope scope;
        auto& fake = scope.fake;
        auto action = make();
        action->lay(fake.folder);
        action->open(fake);
        bool fired = false;
        QString firedAt;
        {
            FaultInjector disk(fake.folder, n, error);
            action->act();
            fired = disk.fired();
            firedAt = disk.firedAt();
        }
        const QMap<QString, QByteArray> after = test::snapshot(fake.folder);
        QVERIFY2(takeQuestion(fake, *action), qPrintable(describe(fake.messages)));
        if (fired)
            steps.append(firedAt);
        const QByteArray step = QStringLiteral("step %1 (%2, files %3)")
                                    .arg(n)
                                    .arg(firedAt, after == before  ? QStringLiteral("as before")
                                                  : after == saved ? QStringLiteral("as saved")
                                                                   : QStringLiteral("changed"))
                                    .toUtf8();

        if (!fired) {
            // The action took fewer steps than n: it ran untouched and must have saved.
            QCOMPARE(after, saved);
            qInfo("%s: %d steps, each failed: %d told and recovered, %d after the data was safe: %s",
                  kWritePaths[path].first, n - 1, n - 1 - absorbed, absorbed,
                  qPrintable(steps.join(QStringLiteral(", "))));
            QVERIFY2(n > 1, "the action wrote nothing the injector saw");
            return;
        }

        // A step whose failure changes nothing (the system's own flush when the program has already
        // made sure of the data) may pass unnoticed: the outcome must then be exactly the
        // fault-free one, new content and success message.
        const bool asSaved = after == saved && fake.messages.size() == (action->success() ? 1 : 0) &&
                             (!action->success() || sameMessage(fake.messages[0], *action->success()));
        if (asSaved) {
            ++absorbed;
            steps.last() += QStringLiteral(" (passed unnoticed)");
            continue;
        }

        // Each file is whole: as before, or as saved.
        for (auto it = after.cbegin(); it != after.cend(); ++it) {
            const bool whole = (before.contains(it.key()) && before[it.key()] == it.value()) ||
                               (saved.contains(it.key()) && saved[it.key()] == it.value());
            QVERIFY2(whole, step + " left a mix in " + it.key().toUtf8());
        }
        QVERIFY2(after.keys() == before.keys() || after.keys() == saved.keys(), step + " left a stray file");

        // One message, the failure's; the screen keeps what was typed.
        QVERIFY2(fake.messages.size() == 1, step + ": " + describe(fake.messages).toUtf8());
        Message expected = action->failureFor(after);
        if (error == ENOSPC && action->tellsDiskFull() && expected.text == kMsgAccessoArchivio &&
            firedAt.startsWith(QLatin1String("write")))
            expected.text = kMsgDiscoPieno;
        QVERIFY2(sameMessage(fake.messages[0], expected), step + ": " + describe(fake.messages).toUtf8());
        QVERIFY2(action->kept(), step + ": the typed values are gone");

        // Once the disk works, the same action saves everything.
        fake.messages.clear();
        action->act();
        QVERIFY2(test::snapshot(fake.folder) == saved, step + ": the retry did not save");
        QVERIFY2(takeQuestion(fake, *action), step + ": " + describe(fake.messages).toUtf8());
        QCOMPARE(fake.messages.size(), action->success() ? 1 : 0);
        QVERIFY(fake.verifyConsumed());
    }
}

QTEST_MAIN(tst_WritePaths)
#include "tst_WritePaths.moc"
