// The files beside a member's record, driven through the real member editor and its attachments
// window: which photo files a save leaves byte for byte, which it writes and how, what the user is
// told when a picture cannot be shown or taken, a photo changed by another workstation between show
// and save, and where a copy of a document goes when its name is taken or leads through a link.
#include "members/Attachments.h"
#include "members/PhotoStore.h"
#include "members/TfrmAllegaCartella.h"
#include "members/TfrmTiratori.h"
#include "shell/PictureButton.h"
#include "storage/Archives.h"
#include "storage/Messages.h"
#include "storage/RecordLayout.h"
#include "storage/TSchedaIscritto.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace tavorel;
using tavorel::test::child;
using tavorel::test::FakePlatform;
using tavorel::test::FakePlatformScope;

namespace {

const QString kModificata =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");

QByteArray jpegOf(const QImage& image, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", quality);
    return bytes;
}

QImage solid(int w, int h, QColor colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A camera JPEG of `w` x `h` as its header tells it: a small real JPEG whose frame header says
// the large size. Decoding it whole needs w * h * 4 bytes; its data runs out early and the rest
// decodes grey, as a truncated camera file does.
QByteArray bigHeaderJpeg(int w, int h)
{
    QByteArray bytes = jpegOf(solid(64, 48, Qt::darkCyan));
    const qsizetype sof = bytes.indexOf("\xFF\xC0");
    if (sof < 0)
        return QByteArray();
    bytes[sof + 5] = char(h >> 8);
    bytes[sof + 6] = char(h & 0xFF);
    bytes[sof + 7] = char(w >> 8);
    bytes[sof + 8] = char(w & 0xFF);
    return bytes;
}

// A HEIC picture's opening, as a phone writes it, under a name ending in .jpg.
const QByteArray kHeic = QByteArray("\x00\x00\x00\x18"
                                    "ftypheic\x00\x00\x00\x00mif1heic",
                                    24) +
                         QByteArray(2000, 'h');

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool makeFifo(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

TSchedaIscritto iscritto(int n)
{
    TSchedaIscritto m;
    m.Tiratore = QStringLiteral("Iscritto %1").arg(n);
    m.Studio = QStringLiteral("30/06/2027");
    m.Ente = QStringLiteral("Tiro a segno");
    m.Tessera = QStringLiteral("T-%1").arg(n);
    m.Quota = QStringLiteral("35,00");
    m.InizioTes = QStringLiteral("01/09/2026");
    m.FineTes = QStringLiteral("31/08/2027");
    return m;
}

struct Editor {
    FakePlatformScope scope;
    FakePlatform& fake = scope.fake;
    TfrmTiratori w;
    QString photo1 = photoPath(fake.folder, 1);

    explicit Editor(const QList<TSchedaIscritto>& records)
    {
        QByteArray bytes;
        for (const TSchedaIscritto& r : records)
            bytes += encodeRecord(r);
        writeFile(memberArchivePath(fake.folder), bytes);
        w.show();
        w.FormShow();
    }
    void click(const char* name) { child<PictureButton>(&w, name)->click(); }
    QLineEdit* edit(const char* name) { return child<QLineEdit>(&w, name); }
    bool notice() { return child<QLabel>(&w, "lblFotoNonVisualizzabile")->isVisible(); }
    TSchedaIscritto record(int k)
    {
        return decodeRecord<TSchedaIscritto>(
            readFile(memberArchivePath(fake.folder))
                .mid((k - 1) * TSchedaIscritto::RecordSize, TSchedaIscritto::RecordSize));
    }
};

} // namespace

class tst_MemberFiles : public QObject {
    Q_OBJECT
private slots:
    void photoFileOnSave_data();
    void photoFileOnSave();
    void photoChangedElsewhere_data();
    void photoChangedElsewhere();
    void photoNeverWrittenThroughALink();
    void programFolderReachedThroughALink();
    void attachmentCopy_data();
    void attachmentCopy();
};

// What the photo file of record 1 holds after the record is shown, a picture perhaps chosen with
// "Carica", a field changed and "Salva" pressed.
void tst_MemberFiles::photoFileOnSave_data()
{
    QTest::addColumn<QByteArray>("stored"); // the photo file before; empty: none; "fifo": a named pipe
    QTest::addColumn<bool>("notice");       // the box says the file cannot be shown
    QTest::addColumn<QByteArray>("chosen"); // the file chosen with "Carica"; empty: none; "fifo", "bmp"
    QTest::addColumn<bool>("refused");      // "Carica" tells it cannot take the picture
    QTest::addColumn<QString>("after");     // "stored", "chosen" (both byte for byte), "jpeg" (encoded once)

    const QByteArray photo = jpegOf(solid(90, 120, Qt::red), 95);
    const QByteArray big = bigHeaderJpeg(12000, 9000); // 108 megapixels, 432 MB decoded whole
    const QByteArray none;
    QTest::newRow("a photo shown is not encoded again") << photo << false << none << false << "stored";
    QTest::newRow("oversized camera photo shows, left as it is") << big << false << none << false << "stored";
    QTest::newRow("HEIC named .jpg: told in the box, left as it is") << kHeic << true << none << false << "stored";
    QTest::newRow("truncated file: told in the box, left as it is")
        << photo.left(40) << true << none << false << "stored";
    QTest::newRow("named pipe as photo file: no hang, left as it is")
        << QByteArray("fifo") << true << none << false << "fifo";
    QTest::newRow("chosen JPEG stored byte for byte")
        << photo << false << jpegOf(solid(60, 80, Qt::blue), 60) << false << "chosen";
    QTest::newRow("chosen over an undecodable file replaces it")
        << kHeic << true << jpegOf(solid(60, 80, Qt::blue)) << false << "chosen";
    QTest::newRow("chosen oversized JPEG shows and is copied") << photo << false << big << false << "chosen";
    QTest::newRow("chosen bitmap encoded once") << none << false << QByteArray("bmp") << false << "jpeg";
    QTest::newRow("chosen HEIC refused, old photo stays") << photo << false << kHeic << true << "stored";
    QTest::newRow("chosen named pipe refused, no hang") << photo << false << QByteArray("fifo") << true << "stored";
}

void tst_MemberFiles::photoFileOnSave()
{
    QFETCH(QByteArray, stored);
    QFETCH(bool, notice);
    QFETCH(QByteArray, chosen);
    QFETCH(bool, refused);
    QFETCH(QString, after);

    Editor e({iscritto(1)});
    if (stored == "fifo")
        QVERIFY(makeFifo(e.photo1));
    else if (!stored.isEmpty())
        QVERIFY(writeFile(e.photo1, stored));

    e.click("cmdPrimo");
    QCOMPARE(e.edit("txtTiratore")->text(), QStringLiteral("Iscritto 1"));
    QCOMPARE(e.notice(), notice);
    QCOMPARE(child<QLabel>(&e.w, "lblFotoNonVisualizzabile")->text(), kMsgFotoNonVisualizzabile);
    if (!notice && !stored.isEmpty())
        QVERIFY(e.w.foto() != placeholderPhoto());
    const QImage shown = e.w.foto();

    QTemporaryDir elsewhere;
    QString source = elsewhere.filePath(QStringLiteral("scelta.jpg"));
    if (chosen == "fifo") {
        QVERIFY(makeFifo(source));
    } else if (chosen == "bmp") {
        source = elsewhere.filePath(QStringLiteral("scelta.bmp"));
        QVERIFY(solid(70, 50, Qt::green).save(source, "BMP"));
    } else if (!chosen.isEmpty()) {
        QVERIFY(writeFile(source, chosen));
    }
    if (!chosen.isEmpty()) {
        e.fake.openFileAnswers << source;
        e.click("btnCaricaFoto");
        QCOMPARE(e.fake.lastMessage(), refused ? kMsgFotoNonCaricata : QString());
        if (refused) {
            QCOMPARE(e.w.foto(), shown);
            QCOMPARE(e.notice(), notice);
            QVERIFY(!e.w.modificata());
        } else {
            QVERIFY(e.w.foto() != shown);
            QVERIFY(!e.notice());
            QVERIFY(e.w.modificata()); // a new photo is a change the user would not want to lose
        }
    }

    e.fake.messages.clear();
    e.edit("txtTel")->setText(QStringLiteral("0123 456789"));
    e.click("cmdSalva");
    QCOMPARE(e.fake.lastMessage(), kModificata);
    QCOMPARE(e.fake.messages.size(), 1);
    QCOMPARE(e.record(1).Tel, QStringLiteral("0123 456789"));
    if (after == "fifo") {
        struct stat st;
        QCOMPARE(::stat(QFile::encodeName(e.photo1).constData(), &st), 0);
        QVERIFY(S_ISFIFO(st.st_mode));
    } else if (after == "stored") {
        QCOMPARE(readFile(e.photo1), stored);
    } else if (after == "chosen") {
        QCOMPARE(readFile(e.photo1), chosen);
    } else {
        const QByteArray written = readFile(e.photo1);
        QVERIFY(written.startsWith("\xFF\xD8"));
        QCOMPARE(readPicture(e.photo1).size(), QSize(70, 50));
        // Written once: saving again leaves that file as it is.
        e.edit("txtTel")->setText(QStringLiteral("0123 000000"));
        e.click("cmdSalva");
        QCOMPARE(readFile(e.photo1), written);
    }
    QVERIFY(!e.w.modificata());
    QVERIFY(e.fake.verifyConsumed());
}

// Another workstation replaces the photo of the member shown here; this one then saves a new phone
// number. The question is the one for a record changed elsewhere.
void tst_MemberFiles::photoChangedElsewhere_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("photoAfter"); // "mine" (as shown here), "theirs"
    QTest::addColumn<bool>("saved");
    QTest::newRow("Sì: the photo shown here is put back") << int(Answer::Yes) << "mine" << true;
    QTest::newRow("No: the record and the photo are reloaded") << int(Answer::No) << "theirs" << false;
    QTest::newRow("Annulla: nothing is written") << int(Answer::Cancel) << "theirs" << false;
}

void tst_MemberFiles::photoChangedElsewhere()
{
    QFETCH(int, answer);
    QFETCH(QString, photoAfter);
    QFETCH(bool, saved);
    Editor e({iscritto(1), iscritto(2)});
    const QByteArray mine = jpegOf(solid(90, 120, Qt::red));
    const QByteArray theirs = jpegOf(solid(90, 120, Qt::blue));
    QVERIFY(writeFile(e.photo1, mine));
    e.click("cmdPrimo");
    QVERIFY(e.w.foto().pixelColor(10, 10).red() > 200);

    // The other workstation's save: a new file put in place by a rename, like every photo save.
    QVERIFY(writeFile(e.photo1 + QStringLiteral(".new"), theirs));
    QVERIFY(QFile::remove(e.photo1));
    QVERIFY(QFile::rename(e.photo1 + QStringLiteral(".new"), e.photo1));
    const QByteArray archive = readFile(memberArchivePath(e.fake.folder));

    e.edit("txtTel")->setText(QStringLiteral("0123 456789"));
    e.fake.answers << Answer(answer);
    e.click("cmdSalva");
    QCOMPARE(e.fake.messages.first().text, kMsgSchedaCambiataAltrove);
    QCOMPARE(e.fake.messages.first().kind, MessageKind::Question);
    QCOMPARE(readFile(e.photo1), photoAfter == "mine" ? mine : theirs);
    if (saved) {
        QCOMPARE(e.fake.lastMessage(), kModificata);
        QCOMPARE(e.record(1).Tel, QStringLiteral("0123 456789"));
    } else {
        QCOMPARE(e.fake.messages.size(), 1);
        QCOMPARE(readFile(memberArchivePath(e.fake.folder)), archive);
    }
    if (answer == int(Answer::No)) {
        QVERIFY(e.w.foto().pixelColor(10, 10).blue() > 200);
        QCOMPARE(e.edit("txtTel")->text(), QString());
        QVERIFY(!e.w.modificata());
    }
    if (answer == int(Answer::Cancel))
        return; // the next save asks again
    // Once settled, the next save asks nothing.
    e.fake.messages.clear();
    e.edit("txtCel")->setText(QStringLiteral("333 1234567"));
    e.click("cmdSalva");
    QCOMPARE(e.fake.messages.size(), 1);
    QCOMPARE(e.fake.lastMessage(), kModificata);
    QVERIFY(e.fake.verifyConsumed());
}

// The photo folder a link to somewhere outside the program folder: the new photo is refused with
// the photo's write message, and nothing appears outside; an export into it is refused likewise.
void tst_MemberFiles::photoNeverWrittenThroughALink()
{
    Editor e({iscritto(1)});
    QTemporaryDir outside;
    QVERIFY(QFile::link(outside.path(), photoFolder(e.fake.folder)));
    e.click("cmdPrimo");
    QTemporaryDir elsewhere;
    const QString source = elsewhere.filePath(QStringLiteral("nuova.jpg"));
    QVERIFY(writeFile(source, jpegOf(solid(40, 40, Qt::yellow))));
    e.fake.openFileAnswers << source;
    e.click("btnCaricaFoto");
    e.click("cmdSalva");
    QCOMPARE(e.fake.lastMessage(), kMsgFotoNonSalvata);
    QVERIFY(QDir(outside.path()).entryList(QDir::Files).isEmpty());
    QVERIFY(e.w.modificata()); // the photo stays on screen, waiting for a save that can write it

    e.fake.saveFileAnswers << QDir(photoFolder(e.fake.folder)).filePath(QStringLiteral("copia.jpg"));
    e.click("btnSalvaFoto");
    QCOMPARE(e.fake.lastMessage(), kMsgFotoNonEsportata);
    QVERIFY(QDir(outside.path()).entryList(QDir::Files).isEmpty());
    QVERIFY(e.fake.verifyConsumed());
}

// A program folder that is itself reached through a link (a drive mounted elsewhere) is no link
// inside the folder: photos and attachments are written there as usual.
void tst_MemberFiles::programFolderReachedThroughALink()
{
    FakePlatformScope scope;
    QTemporaryDir links;
    const QString real = scope.fake.folder;
    scope.fake.folder = links.filePath(QStringLiteral("Tavorel"));
    QVERIFY(QFile::link(real, scope.fake.folder));
    QVERIFY(writeFile(memberArchivePath(scope.fake.folder), encodeRecord(iscritto(1))));
    TfrmTiratori w;
    w.show();
    child<PictureButton>(&w, "cmdPrimo")->click();
    QTemporaryDir elsewhere;
    const QString source = elsewhere.filePath(QStringLiteral("nuova.jpg"));
    const QByteArray jpeg = jpegOf(solid(40, 40, Qt::yellow));
    QVERIFY(writeFile(source, jpeg));
    scope.fake.openFileAnswers << source;
    child<PictureButton>(&w, "btnCaricaFoto")->click();
    child<PictureButton>(&w, "cmdSalva")->click();
    QCOMPARE(scope.fake.lastMessage(), kModificata);
    QCOMPARE(readFile(photoPath(real, 1)), jpeg);
    QVERIFY(scope.fake.verifyConsumed());
}

// "Sfoglia..." for the member of record 1, choosing a "certificato.png" of her own.
void tst_MemberFiles::attachmentCopy_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("slotName"); // the name the slot gets; empty: unchanged
    QTest::addColumn<QString>("message");  // the message shown
    QTest::addColumn<QString>("copiedTo"); // where her bytes are; empty: nowhere in the folder
    QTest::addColumn<bool>("othersKept");  // the files already there are as they were

    const QString renamed = kMsgAllegatoRinominato;
    QTest::newRow("another member's file: a name of her own")
        << "other"
        << "certificato (2).png" << renamed.arg(QStringLiteral("certificato (2).png")) << "certificato (2).png" << true;
    QTest::newRow("(2) taken too: (3)") << "other+2"
                                        << "certificato (3).png" << renamed.arg(QStringLiteral("certificato (3).png"))
                                        << "certificato (3).png" << true;
    QTest::newRow("a file no record names: a name of her own")
        << "orphan"
        << "certificato (2).png" << renamed.arg(QStringLiteral("certificato (2).png")) << "certificato (2).png" << true;
    QTest::newRow("her own file, Sì: replaced")
        << "own"
        << "certificato.png" << kMsgAllegatoSovrascrivi << "certificato.png" << false;
    QTest::newRow("her own file also named by another: a name of her own")
        << "own+other"
        << "certificato (2).png" << renamed.arg(QStringLiteral("certificato (2).png")) << "certificato (2).png" << true;
    QTest::newRow("attachments folder a link: refused")
        << "folderLink" << QString() << kMsgAllegatoNonCopiato << QString() << true;
    QTest::newRow("the name a link in the folder: refused")
        << "fileLink" << QString() << kMsgAllegatoNonCopiato << QString() << true;
    QTest::newRow("name longer than the record holds: refused")
        << "long" << QString() << kMsgAllegatoNomeLungo.arg(attachmentNameCapacity()) << QString() << true;
    QTest::newRow("a named pipe: refused, no hang")
        << "fifo" << QString() << kMsgAllegatoNonCopiato << QString() << true;
}

void tst_MemberFiles::attachmentCopy()
{
    QFETCH(QString, setup);
    QFETCH(QString, slotName);
    QFETCH(QString, message);
    QFETCH(QString, copiedTo);
    QFETCH(bool, othersKept);

    FakePlatformScope scope;
    const QString folder = attachmentFolder(scope.fake.folder);
    QTemporaryDir elsewhere;
    QTemporaryDir outside;
    QString name = QStringLiteral("certificato.png");
    if (setup == "long")
        name = QString(attachmentNameCapacity() - 3, QLatin1Char('c')) + QStringLiteral(".png");
    const QString source = elsewhere.filePath(name);
    if (setup == "fifo")
        QVERIFY(makeFifo(source));
    else
        QVERIFY(writeFile(source, "her certificate"));

    TSchedaIscritto lei = iscritto(1);
    TSchedaIscritto altra = iscritto(2);
    if (setup.startsWith("own"))
        lei.File01 = QStringLiteral("certificato.png");
    if (setup.startsWith("other") || setup.endsWith("+other"))
        altra.File02 = QStringLiteral("certificato.png");
    QVERIFY(writeFile(memberArchivePath(scope.fake.folder), encodeRecord(lei) + encodeRecord(altra)));
    QVERIFY(QDir().mkpath(folder));
    QMap<QString, QByteArray> already;
    if (setup != "long" && setup != "fifo" && setup != "folderLink" && setup != "fileLink")
        already[QStringLiteral("certificato.png")] = "the certificate already there";
    if (setup == "other+2")
        already[QStringLiteral("certificato (2).png")] = "a second one already there";
    for (auto it = already.cbegin(); it != already.cend(); ++it)
        QVERIFY(writeFile(QDir(folder).filePath(it.key()), it.value()));
    if (setup == "folderLink") {
        QVERIFY(QDir(folder).removeRecursively());
        QVERIFY(QFile::link(outside.path(), folder));
    }
    if (setup == "fileLink")
        QVERIFY(QFile::link(QDir(outside.path()).filePath(QStringLiteral("certificato.png")),
                            QDir(folder).filePath(QStringLiteral("certificato.png"))));

    TfrmAllegaCartella w(nullptr);
    w.setMode(TfrmAllegaCartella::kModeScheda);
    w.setRecordNumber(1);
    w.setValues(AttachmentSlots::of(lei));
    w.show();
    const QString before = child<QLineEdit>(&w, "txtFile01")->text();
    scope.fake.openFileAnswers << source;
    if (message == kMsgAllegatoSovrascrivi)
        scope.fake.answers << Answer::Yes;
    QTest::mouseClick(child<QPushButton>(&w, "btnSfoglia01"), Qt::LeftButton);

    QCOMPARE(scope.fake.messages.size(), 1);
    QCOMPARE(scope.fake.lastMessage(), message);
    QCOMPARE(child<QLineEdit>(&w, "txtFile01")->text(), slotName.isEmpty() ? before : slotName);
    if (!copiedTo.isEmpty())
        QCOMPARE(readFile(QDir(folder).filePath(copiedTo)), QByteArray("her certificate"));
    if (othersKept)
        for (auto it = already.cbegin(); it != already.cend(); ++it)
            QCOMPARE(readFile(QDir(folder).filePath(it.key())), it.value());
    // Nothing ever lands outside the program folder.
    QVERIFY(QDir(outside.path()).entryList(QDir::Files | QDir::System).isEmpty());
    QVERIFY(scope.fake.verifyConsumed());
}

QTEST_MAIN(tst_MemberFiles)
#include "tst_MemberFiles.moc"
