// The logo dialog: the three pictures it can hold, the file chooser, and the Logo.bmp it writes.
#include "receipts/ReceiptArtwork.h"
#include "receipts/ReceiptSettings.h"
#include "receipts/TfrmLogo.h"
#include "shell/PictureButton.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace tavorel;
using tavorel::test::child;
using tavorel::test::FakePlatform;
using tavorel::test::FakePlatformScope;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QImage plain(QSize size, const QColor& colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QImage rgb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

// Runs the dialog as the receipt editor does; `script` acts on it while it is shown.
int runDialog(FakePlatform& fake, const std::function<void(TfrmLogo*)>& script)
{
    auto* dialog = new TfrmLogo(nullptr);
    fake.dialogScripts.append([script](QDialog* d) {
        script(static_cast<TfrmLogo*>(d));
        return d->result();
    });
    const int result = platform().runModal(dialog);
    delete dialog;
    return result;
}

// Whether two pictures agree within the loss of a JPEG round trip.
bool similar(const QColor& a, const QColor& b)
{
    return qAbs(a.red() - b.red()) < 12 && qAbs(a.green() - b.green()) < 12 && qAbs(a.blue() - b.blue()) < 12;
}

} // namespace

class tst_TfrmLogo : public QObject {
    Q_OBJECT
private slots:
    void showsTheStoredLogoOrTheDefault_data();
    void showsTheStoredLogoOrTheDefault();
    void euroAndEraser();
    void sfoglia_data();
    void sfoglia();
    void applyStoresTheBmpAnnullaDoesNot_data();
    void applyStoresTheBmpAnnullaDoesNot();
    void failedSaveIsToldAndKeepsTheChoice();
};

void tst_TfrmLogo::showsTheStoredLogoOrTheDefault_data()
{
    QTest::addColumn<QByteArray>("file"); // Logo.bmp content, empty for none
    QTest::addColumn<bool>("isDefault");
    QImage stored = plain(QSize(120, 60), QColor(0, 128, 0));
    QByteArray bmp;
    {
        QBuffer buffer(&bmp);
        buffer.open(QIODevice::WriteOnly);
        stored.save(&buffer, "BMP");
    }
    QTest::newRow("no Logo.bmp") << QByteArray() << true;
    QTest::newRow("unreadable Logo.bmp") << QByteArray("BM garbage") << true;
    QTest::newRow("stored logo") << bmp << false;
}

void tst_TfrmLogo::showsTheStoredLogoOrTheDefault()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, isDefault);
    FakePlatformScope scope;
    auto& fake = scope.fake;
    if (!file.isEmpty()) {
        QFile f(ReceiptSettings::percorsoLogo(fake.folder));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file);
    }
    QImage shown;
    QSize label;
    runDialog(fake, [&](TfrmLogo* d) {
        shown = d->logo();
        label = child<QLabel>(d, "imgLogo")->size();
        child<QPushButton>(d, "btnAnnulla")->click();
    });
    QCOMPARE(label, QSize(297, 184));
    if (isDefault)
        QCOMPARE(rgb(shown), rgb(defaultLogo()));
    else
        QCOMPARE(rgb(shown), plain(QSize(120, 60), QColor(0, 128, 0)));
    QVERIFY(fake.verifyConsumed());
}

void tst_TfrmLogo::euroAndEraser()
{
    FakePlatformScope scope;
    auto& fake = scope.fake;
    QVERIFY(ReceiptSettings::salvaLogo(fake.folder, plain(QSize(50, 50), Qt::blue)));
    QImage white;
    QImage euro;
    runDialog(fake, [&](TfrmLogo* d) {
        QTest::mouseClick(child<PictureButton>(d, "btnCancLogo"), Qt::LeftButton);
        white = d->logo();
        QTest::mouseClick(child<PictureButton>(d, "imgEuro"), Qt::LeftButton);
        euro = d->logo();
        child<QPushButton>(d, "btnAnnulla")->click();
    });
    QCOMPARE(rgb(white), plain(QSize(297, 184), Qt::white));
    QCOMPARE(rgb(euro), rgb(defaultLogo()));
    // "Annulla" leaves the stored logo as it was.
    QCOMPARE(rgb(QImage(ReceiptSettings::percorsoLogo(fake.folder))), plain(QSize(50, 50), Qt::blue));
    QVERIFY(fake.verifyConsumed());
}

void tst_TfrmLogo::sfoglia_data()
{
    QTest::addColumn<QString>("chosen");    // file name in a folder of its own; empty = chooser cancelled
    QTest::addColumn<QByteArray>("format"); // how the test writes it; empty = not a picture
    QTest::addColumn<QString>("expected");  // "chosen", "default" or "unchanged"
    QTest::newRow("jpeg") << "ditta.jpg" << QByteArray("JPG") << "chosen";
    QTest::newRow("bitmap") << "ditta.bmp" << QByteArray("BMP") << "chosen";
    QTest::newRow("unreadable file") << "rotto.jpg" << QByteArray() << "default";
    QTest::newRow("cancelled") << "" << QByteArray() << "unchanged";
}

void tst_TfrmLogo::sfoglia()
{
    QFETCH(QString, chosen);
    QFETCH(QByteArray, format);
    QFETCH(QString, expected);
    FakePlatformScope scope;
    auto& fake = scope.fake;
    QTemporaryDir pictures;
    const QImage picture = plain(QSize(300, 150), QColor(220, 120, 20));
    const QString path = pictures.filePath(chosen);
    if (!chosen.isEmpty()) {
        if (format.isEmpty()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("\xFF\xD8 not really a jpeg");
        } else {
            QVERIFY(picture.save(path, format.constData()));
        }
        fake.openFileAnswers.append(path);
    }
    QImage before;
    QImage after;
    runDialog(fake, [&](TfrmLogo* d) {
        QTest::mouseClick(child<PictureButton>(d, "btnCancLogo"), Qt::LeftButton);
        before = d->logo();
        QTest::mouseClick(child<QPushButton>(d, "btnSfoglia"), Qt::LeftButton);
        after = d->logo();
        child<QPushButton>(d, "btnAnnulla")->click();
    });

    QCOMPARE(fake.fileDialogTitles,
             QStringList{QStringLiteral("Selezionare il logo della Ditta in formato Jpeg o Bitmap.")});
    QCOMPARE(fake.fileDialogFilters,
             QStringList{QStringLiteral("Immagine JPEG (*.jpg *.jpeg);;Immagine Bitmap (*.bmp)")});
    if (expected == QStringLiteral("chosen")) {
        QCOMPARE(after.size(), picture.size());
        QVERIFY(similar(after.pixelColor(150, 75), QColor(220, 120, 20)));
    } else if (expected == QStringLiteral("default")) {
        QCOMPARE(rgb(after), rgb(defaultLogo()));
    } else {
        QCOMPARE(after, before);
    }
    QVERIFY(fake.verifyConsumed());
}

void tst_TfrmLogo::applyStoresTheBmpAnnullaDoesNot_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<bool>("apply");
    QTest::newRow("jpeg stored as bmp") << "jpeg" << true;
    QTest::newRow("no logo stored as white") << "eraser" << true;
    QTest::newRow("default stored as the euro") << "euro" << true;
    QTest::newRow("annulla") << "eraser" << false;
}

void tst_TfrmLogo::applyStoresTheBmpAnnullaDoesNot()
{
    QFETCH(QString, choice);
    QFETCH(bool, apply);
    FakePlatformScope scope;
    auto& fake = scope.fake;
    const QString logoPath = ReceiptSettings::percorsoLogo(fake.folder);
    QVERIFY(ReceiptSettings::salvaLogo(fake.folder, plain(QSize(10, 10), Qt::black)));
    const QByteArray before = readAll(logoPath);
    QTemporaryDir pictures;
    const QString jpeg = pictures.filePath(QStringLiteral("logo.jpeg"));
    QVERIFY(plain(QSize(297, 184), QColor(30, 60, 200)).save(jpeg, "JPG"));
    if (choice == QStringLiteral("jpeg"))
        fake.openFileAnswers.append(jpeg);

    const int result = runDialog(fake, [&](TfrmLogo* d) {
        if (choice == QStringLiteral("jpeg"))
            child<QPushButton>(d, "btnSfoglia")->click();
        else if (choice == QStringLiteral("eraser"))
            child<PictureButton>(d, "btnCancLogo")->click();
        else
            child<PictureButton>(d, "imgEuro")->click();
        (apply ? child<QPushButton>(d, "btnApplica") : child<QPushButton>(d, "btnAnnulla"))->click();
    });
    QCOMPARE(result, apply ? int(QDialog::Accepted) : int(QDialog::Rejected));

    const QByteArray after = readAll(logoPath);
    if (!apply) {
        QCOMPARE(after, before);
    } else {
        QVERIFY(after.startsWith("BM"));
        QImage stored;
        QVERIFY(stored.loadFromData(after, "BMP"));
        QCOMPARE(stored.size(), QSize(297, 184));
        QVERIFY(!stored.hasAlphaChannel());
        if (choice == QStringLiteral("jpeg"))
            QVERIFY(similar(stored.pixelColor(100, 100), QColor(30, 60, 200)));
        else if (choice == QStringLiteral("eraser"))
            QCOMPARE(rgb(stored), plain(QSize(297, 184), Qt::white));
        else
            QCOMPARE(rgb(stored), rgb(defaultLogo()));
    }
    QVERIFY(fake.messages.isEmpty());
    QVERIFY(fake.verifyConsumed());
}

void tst_TfrmLogo::failedSaveIsToldAndKeepsTheChoice()
{
    FakePlatformScope scope;
    auto& fake = scope.fake;
    // Logo.bmp cannot be replaced where a folder of that name stands.
    const QString logoPath = ReceiptSettings::percorsoLogo(fake.folder);
    QVERIFY(QDir(fake.folder).mkdir(QStringLiteral("Logo.bmp")));
    QFile inside(logoPath + QStringLiteral("/vecchio.txt"));
    QVERIFY(inside.open(QIODevice::WriteOnly));
    inside.write("vecchio");
    inside.close();

    QImage shown;
    bool visible = false;
    runDialog(fake, [&](TfrmLogo* d) {
        child<PictureButton>(d, "btnCancLogo")->click();
        child<QPushButton>(d, "btnApplica")->click();
        shown = d->logo();
        visible = d->isVisible();
        d->reject();
    });
    QVERIFY(visible);
    QCOMPARE(rgb(shown), plain(QSize(297, 184), Qt::white));
    QCOMPARE(fake.messages.size(), 1);
    QCOMPARE(fake.messages[0].kind, MessageKind::Error);
    QCOMPARE(fake.messages[0].text,
             QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                            "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del "
                            "programma."));
    QVERIFY(QFileInfo(logoPath).isDir());
    QCOMPARE(readAll(logoPath + QStringLiteral("/vecchio.txt")), QByteArray("vecchio"));
    QCOMPARE(QDir(fake.folder).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList());
    QVERIFY(fake.verifyConsumed());
}

QTEST_MAIN(tst_TfrmLogo)
#include "tst_TfrmLogo.moc"
