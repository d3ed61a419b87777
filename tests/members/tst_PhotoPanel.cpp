// The member's photo: where it is drawn, which file it comes from and goes to, what the user sees
// when a file cannot be read or written, and the zoom and webcam windows it opens.
#include "members/PhotoPanel.h"
#include "members/PhotoStore.h"
#include "members/PhotoView.h"
#include "members/TfrmWebCam.h"
#include "members/TfrmZoom.h"
#include "shell/PictureButton.h"
#include "storage/Messages.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace tavorel;
using tavorel::test::child;
using tavorel::test::FakePlatformScope;

namespace {

QImage solid(int w, int h, const QColor& colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// JPEG blurs colours a little.
bool near(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) < 12 && std::abs(a.green() - b.green()) < 12 &&
           std::abs(a.blue() - b.blue()) < 12;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A panel in a bare host window, as the editor will hold it.
struct Host {
    QWidget window;
    PhotoPanel* panel = new PhotoPanel(&window);
    Host() { window.show(); }
};

} // namespace

class tst_PhotoPanel : public QObject {
    Q_OBJECT
private slots:
    void displayRule_data();
    void displayRule();
    void loadShowsPhotoOrPlaceholder_data();
    void loadShowsPhotoOrPlaceholder();
    void saveWritesTheBoxUnderTheRecordNumber();
    void saveFailureIsToldOnceAndKeepsThePicture();
    void loadFromFile_data();
    void loadFromFile();
    void exportToFile_data();
    void exportToFile();
    void removeShowsPlaceholderAndKeepsTheFile();
    void zoomShowsThePhotoAndClosesOnClick();
    void webcamImportReachesThePhotoBox();
};

void tst_PhotoPanel::displayRule_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QRect>("drawn");
    QTest::newRow("tall camera photo reduced by its height")
        << QSize(2000, 3000) << QSize(307, 394) << QRect(22, 0, 263, 394);
    QTest::newRow("small picture at its own size, centred")
        << QSize(100, 100) << QSize(307, 394) << QRect(104, 147, 100, 100);
    QTest::newRow("exact fit") << QSize(307, 394) << QSize(307, 394) << QRect(0, 0, 307, 394);
    QTest::newRow("wide picture reduced by its width")
        << QSize(3070, 1000) << QSize(307, 394) << QRect(0, 147, 307, 100);
    QTest::newRow("only one side too big") << QSize(400, 100) << QSize(307, 394) << QRect(0, 159, 307, 76);
    QTest::newRow("zoom: taller than the screen area")
        << QSize(600, 2000) << QSize(1306, 678) << QRect(551, 0, 204, 678);
    QTest::newRow("nothing to draw") << QSize(0, 0) << QSize(307, 394) << QRect();
}

void tst_PhotoPanel::displayRule()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, area);
    QFETCH(QRect, drawn);
    QCOMPARE(displayRect(picture, area), drawn);
}

void tst_PhotoPanel::loadShowsPhotoOrPlaceholder_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file
    QTest::addColumn<bool>("placeholder");   // and, when a file is there, the notice that it is kept
    QByteArray jpeg;
    {
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        solid(40, 60, Qt::red).save(&buffer, "JPG");
    }
    QTest::newRow("a photo") << jpeg << false;
    QTest::newRow("no photo file") << QByteArray() << true;
    QTest::newRow("corrupt file") << QByteArray("\xFF\xD8\xFF\xE0 not really a jpeg") << true;
    QTest::newRow("truncated jpeg") << jpeg.left(40) << true;
}

void tst_PhotoPanel::loadShowsPhotoOrPlaceholder()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, placeholder);
    FakePlatformScope scope;
    Host host;
    host.panel->setPicture(solid(10, 10, Qt::green)); // the previous member's photo
    if (!content.isEmpty())
        writeFile(scope.fake.folder + QStringLiteral("/Anagrafica/Scheda_Iscritto_7.jpg"), content);
    host.panel->load(7);
    QCOMPARE(host.panel->showsPlaceholder(), placeholder);
    QCOMPARE(host.panel->showsNotice(), placeholder && !content.isEmpty());
    QCOMPARE(child<QLabel>(host.panel, "lblFotoNonVisualizzabile")->isVisible(), host.panel->showsNotice());
    if (placeholder)
        QCOMPARE(host.panel->picture().size(), QSize(307, 394));
    else
        QVERIFY(near(host.panel->picture().pixelColor(20, 30), Qt::red));
    QVERIFY(scope.fake.messages.isEmpty());
    QVERIFY(QFileInfo(scope.fake.folder + QStringLiteral("/Anagrafica")).isDir());
}

void tst_PhotoPanel::saveWritesTheBoxUnderTheRecordNumber()
{
    FakePlatformScope scope;
    Host host;
    const QString dir = scope.fake.folder + QStringLiteral("/Anagrafica/");
    // The placeholder is a picture like any other: a member saved without a photo gets it as his file.
    QVERIFY(host.panel->save(13));
    QImage written = readPicture(dir + QStringLiteral("Scheda_Iscritto_13.jpg"));
    QCOMPARE(written.size(), QSize(307, 394));

    host.panel->setPicture(solid(120, 80, Qt::blue));
    QVERIFY(host.panel->save(13)); // the same record again: the file is replaced
    QVERIFY(host.panel->save(2));
    for (const char* name : {"Scheda_Iscritto_13.jpg", "Scheda_Iscritto_2.jpg"}) {
        written = readPicture(dir + QLatin1String(name));
        QCOMPARE(written.size(), QSize(120, 80));
        QVERIFY(near(written.pixelColor(60, 40), Qt::blue));
    }
    QCOMPARE(QDir(dir).entryList(QDir::Files).size(), 2);
    QVERIFY(scope.fake.messages.isEmpty());
}

void tst_PhotoPanel::saveFailureIsToldOnceAndKeepsThePicture()
{
    FakePlatformScope scope;
    Host host;
    // A file where the photo folder should be: no photo can be written.
    writeFile(scope.fake.folder + QStringLiteral("/Anagrafica"), "x");
    const QImage photo = solid(50, 50, Qt::yellow);
    host.panel->setPicture(photo);
    QVERIFY(!host.panel->save(4));
    QCOMPARE(scope.fake.messages.size(), 1);
    QCOMPARE(scope.fake.messages[0].kind, MessageKind::Warning);
    QCOMPARE(scope.fake.messages[0].text, kMsgFotoNonSalvata);
    // The photo stays on screen, so that saving again once the folder is writable keeps it.
    QCOMPARE(host.panel->picture(), photo);
    QFile::remove(scope.fake.folder + QStringLiteral("/Anagrafica"));
    QVERIFY(host.panel->save(4));
    QVERIFY(near(readPicture(photoPath(scope.fake.folder, 4)).pixelColor(5, 5), Qt::yellow));
    QCOMPARE(scope.fake.messages.size(), 1);
}

void tst_PhotoPanel::loadFromFile_data()
{
    QTest::addColumn<QString>("file");     // "": dialog cancelled
    QTest::addColumn<QString>("expected"); // "red", "told" (the old photo stays), "unchanged"
    QTest::newRow("a bitmap") << QStringLiteral("foto.bmp") << QStringLiteral("red");
    QTest::newRow("a jpeg named .bmp") << QStringLiteral("finta.bmp") << QStringLiteral("red");
    QTest::newRow("not a picture") << QStringLiteral("rotta.jpg") << QStringLiteral("told");
    QTest::newRow("cancelled") << QString() << QStringLiteral("unchanged");
}

void tst_PhotoPanel::loadFromFile()
{
    QFETCH(QString, file);
    QFETCH(QString, expected);
    FakePlatformScope scope;
    QTemporaryDir elsewhere;
    QVERIFY(solid(30, 30, Qt::red).save(elsewhere.filePath(QStringLiteral("foto.bmp")), "BMP"));
    QVERIFY(solid(30, 30, Qt::red).save(elsewhere.filePath(QStringLiteral("finta.bmp")), "JPG"));
    writeFile(elsewhere.filePath(QStringLiteral("rotta.jpg")), "garbage");
    Host host;
    const QImage before = solid(10, 10, Qt::green);
    host.panel->setPicture(before);
    scope.fake.openFileAnswers << (file.isEmpty() ? QString() : elsewhere.filePath(file));
    QTest::mouseClick(child<PictureButton>(host.panel, "btnCaricaFoto"), Qt::LeftButton);
    QCOMPARE(scope.fake.fileDialogTitles,
             QStringList{QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap.")});
    if (expected == QLatin1String("red"))
        QVERIFY(near(host.panel->picture().pixelColor(15, 15), Qt::red));
    else
        QCOMPARE(host.panel->picture(), before);
    QCOMPARE(scope.fake.lastMessage(), expected == QLatin1String("told") ? kMsgFotoNonCaricata : QString());
    // Nothing reaches the photo folder before the record is saved.
    QVERIFY(QDir(scope.fake.folder + QStringLiteral("/Anagrafica")).entryList(QDir::Files).isEmpty());
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_PhotoPanel::exportToFile_data()
{
    QTest::addColumn<QString>("answer"); // relative to a scratch folder; "": cancelled
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("failure");
    QTest::newRow("name with extension") << QStringLiteral("mario.jpg") << QStringLiteral("mario.jpg") << false;
    QTest::newRow("bare name gets .jpg") << QStringLiteral("mario") << QStringLiteral("mario.jpg") << false;
    QTest::newRow("folder that does not exist") << QStringLiteral("manca/mario.jpg") << QString() << true;
    QTest::newRow("cancelled") << QString() << QString() << false;
}

void tst_PhotoPanel::exportToFile()
{
    QFETCH(QString, answer);
    QFETCH(QString, written);
    QFETCH(bool, failure);
    FakePlatformScope scope;
    QTemporaryDir target;
    Host host;
    const QImage photo = solid(64, 48, Qt::magenta);
    host.panel->setPicture(photo);
    scope.fake.saveFileAnswers << (answer.isEmpty() ? QString() : target.filePath(answer));
    QTest::mouseClick(child<PictureButton>(host.panel, "btnSalvaFoto"), Qt::LeftButton);
    QCOMPARE(scope.fake.fileDialogTitles,
             QStringList{QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg.")});
    QCOMPARE(scope.fake.fileDialogFilters, QStringList{QStringLiteral("File Jpeg (*.jpg)")});
    if (!written.isEmpty())
        QCOMPARE(readPicture(target.filePath(written)).size(), QSize(64, 48));
    QCOMPARE(QDir(target.path()).entryList(QDir::Files).size(), written.isEmpty() ? 0 : 1);
    QCOMPARE(scope.fake.messages.size(), failure ? 1 : 0);
    if (failure)
        QCOMPARE(scope.fake.lastMessage(), kMsgFotoNonEsportata);
    QCOMPARE(host.panel->picture(), photo); // a failed export keeps the photo on screen
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_PhotoPanel::removeShowsPlaceholderAndKeepsTheFile()
{
    FakePlatformScope scope;
    Host host;
    host.panel->setPicture(solid(20, 20, Qt::red));
    QVERIFY(host.panel->save(3));
    QTest::mouseClick(child<PictureButton>(host.panel, "btnCancFoto"), Qt::LeftButton);
    QVERIFY(host.panel->showsPlaceholder());
    // Leaving the record unsaved keeps the old photo.
    host.panel->load(3);
    QVERIFY(near(host.panel->picture().pixelColor(10, 10), Qt::red));
}

void tst_PhotoPanel::zoomShowsThePhotoAndClosesOnClick()
{
    FakePlatformScope scope;
    Host host;
    host.panel->setPicture(solid(307, 394, Qt::cyan));
    QRect drawn;
    QSize area;
    scope.fake.dialogScripts << [&](QDialog* d) {
        auto* zoom = qobject_cast<TfrmZoom*>(d);
        auto* imgFoto = child<PhotoView>(zoom, "imgFoto");
        area = imgFoto->size();
        drawn = imgFoto->pictureRect();
        QTest::mouseClick(imgFoto, Qt::LeftButton, {}, QPoint(2, 2));
        return d->result();
    };
    QTest::mouseClick(child<PictureButton>(host.panel, "btnZoomFoto"), Qt::LeftButton);
    QCOMPARE(scope.fake.dialogsRun, QStringList{QStringLiteral("frmZoom")});
    const QSize screen = host.window.screen()->size();
    QCOMPARE(area, QSize(screen.width() - 60, screen.height() - 90));
    // At its own size, in the middle of the area.
    QVERIFY(area.width() >= 307 && area.height() >= 394);
    QCOMPARE(drawn.size(), QSize(307, 394));
    // (within the half pixel that rounding to whole pixels takes)
    QVERIFY((drawn.center() - QRect(QPoint(0, 0), area).center()).manhattanLength() <= 1);
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_PhotoPanel::webcamImportReachesThePhotoBox()
{
    FakePlatformScope scope;
    Host host;
    scope.fake.dialogScripts << [&](QDialog* d) {
        auto* webcam = qobject_cast<TfrmWebCam*>(d);
        child<QPushButton>(webcam, "btnAccendi")->click();
        scope.fake.lastCamera->deliver(solid(640, 480, Qt::darkGreen));
        child<QPushButton>(webcam, "btnCattura")->click();
        child<QPushButton>(webcam, "btnImportaFoto")->click();
        return d->result();
    };
    QTest::mouseClick(child<PictureButton>(host.panel, "btnWebcam"), Qt::LeftButton);
    QCOMPARE(scope.fake.dialogsRun, QStringList{QStringLiteral("frmWebCam")});
    QCOMPARE(host.panel->picture().size(), QSize(640, 480));
    QCOMPARE(host.panel->picture().pixelColor(1, 1), QColor(Qt::darkGreen));
    QVERIFY(scope.fake.verifyConsumed());
}

QTEST_MAIN(tst_PhotoPanel)
#include "tst_PhotoPanel.moc"
