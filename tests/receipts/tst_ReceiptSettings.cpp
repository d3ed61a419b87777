// The receipt settings on disk: payee lines and numbering start in Ricevute_Generiche.ini, the
// logo in Logo.bmp.
#include "receipts/ReceiptArtwork.h"
#include "receipts/ReceiptSettings.h"
#include "storage/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace tavorel;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace

class tst_ReceiptSettings : public QObject {
    Q_OBJECT
private slots:
    void missingFileReadsEmpty();
    void payeeLinesRoundTripKeepingTheRest();
    void startRoundTrip();
    void normalisedStart_data();
    void normalisedStart();
    void logoMissingOrUnreadableIsTheDefault_data();
    void logoMissingOrUnreadableIsTheDefault();
    void logoIsStoredAsBmp();
    void failedLogoSaveKeepsWhatWasThere();
};

void tst_ReceiptSettings::missingFileReadsEmpty()
{
    QTemporaryDir dir;
    QCOMPARE(ReceiptSettings::leggiRiceventi(dir.path()), QStringList(4, QString()));
    QCOMPARE(ReceiptSettings::leggiInizio(dir.path()), QString());
    QVERIFY(!QFile::exists(dir.filePath(ReceiptSettings::fileName())));
}

void tst_ReceiptSettings::payeeLinesRoundTripKeepingTheRest()
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Ricevute_Generiche.ini"));
    writeAll(ini, "[Numerazione Ricevute]\r\nInizio=100\r\n[Ricevente]\r\nRigo 2=vecchio\r\n");

    const QStringList lines{QStringLiteral("  A.S.D. Città di Forlì  "), QString(),
                            QStringLiteral("Via dell'Università, 3"), QStringLiteral("P. IVA 01234567890")};
    QVERIFY(ReceiptSettings::scriviRiceventi(dir.path(), lines));

    QCOMPARE(ReceiptSettings::leggiRiceventi(dir.path()),
             (QStringList{QStringLiteral("A.S.D. Città di Forlì"), QString(), QStringLiteral("Via dell'Università, 3"),
                          QStringLiteral("P. IVA 01234567890")}));
    QCOMPARE(ReceiptSettings::leggiInizio(dir.path()), QStringLiteral("100"));

    const QByteArray bytes = readAll(ini);
    // One key per line, the empty one included, in Windows-1252.
    QVERIFY(bytes.contains(toCp1252(QStringLiteral("Rigo 1=A.S.D. Città di Forlì\r\n"))));
    QVERIFY(bytes.contains(QByteArray("\xe0", 1)));
    QVERIFY(bytes.contains("Rigo 2=\r\n"));
    QVERIFY(bytes.contains("Rigo 4=P. IVA 01234567890"));
    QVERIFY(bytes.startsWith("[Numerazione Ricevute]\r\nInizio=100\r\n[Ricevente]\r\n"));
    QCOMPARE(bytes.count("Rigo 2="), 1);
}

void tst_ReceiptSettings::startRoundTrip()
{
    QTemporaryDir dir;
    QVERIFY(ReceiptSettings::scriviInizio(dir.path(), QStringLiteral("50")));
    QCOMPARE(ReceiptSettings::leggiInizio(dir.path()), QStringLiteral("50"));
    QCOMPARE(readAll(dir.filePath(ReceiptSettings::fileName())), QByteArray("[Numerazione Ricevute]\r\nInizio=50\r\n"));
    // The payee lines are written beside it without disturbing it.
    QVERIFY(ReceiptSettings::scriviRiceventi(dir.path(), {QStringLiteral("Uno")}));
    QCOMPARE(ReceiptSettings::leggiInizio(dir.path()), QStringLiteral("50"));
    QCOMPARE(ReceiptSettings::leggiRiceventi(dir.path()), (QStringList{QStringLiteral("Uno"), {}, {}, {}}));
}

void tst_ReceiptSettings::normalisedStart_data()
{
    // clang-format off
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("leading zeros") << "00050" << "50";
    QTest::newRow("empty") << "" << "1";
    QTest::newRow("blank") << "   " << "1";
    QTest::newRow("007") << "007" << "7";
    QTest::newRow("zero stays zero") << "0" << "0";
    QTest::newRow("all zeros") << "00000" << "0";
    QTest::newRow("largest") << "99999" << "99999";
    QTest::newRow("decimal rounds half up") << "12,5" << "13";
    QTest::newRow("not a number") << "1,2,3" << "1";
    // clang-format on
}

void tst_ReceiptSettings::normalisedStart()
{
    QFETCH(QString, typed);
    QTEST(ReceiptSettings::normalizzaInizio(typed), "expected");
}

void tst_ReceiptSettings::logoMissingOrUnreadableIsTheDefault_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("present");
    QTest::newRow("no file") << QByteArray() << false;
    QTest::newRow("not a picture") << QByteArray("BM this is not a bitmap") << true;
    QTest::newRow("empty file") << QByteArray() << true;
}

void tst_ReceiptSettings::logoMissingOrUnreadableIsTheDefault()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, present);
    QTemporaryDir dir;
    if (present)
        writeAll(ReceiptSettings::percorsoLogo(dir.path()), content);
    const QImage logo = ReceiptSettings::caricaLogo(dir.path());
    QCOMPARE(logo.size(), QSize(297, 184));
    QCOMPARE(logo.convertToFormat(QImage::Format_RGB32), defaultLogo().convertToFormat(QImage::Format_RGB32));
}

void tst_ReceiptSettings::logoIsStoredAsBmp()
{
    QTemporaryDir dir;
    // A see-through corner must land as the white of the paper, not as black.
    QImage picture(40, 30, QImage::Format_ARGB32);
    picture.fill(QColor(200, 30, 30));
    picture.setPixelColor(0, 0, Qt::transparent);
    QVERIFY(ReceiptSettings::salvaLogo(dir.path(), picture));

    const QString path = ReceiptSettings::percorsoLogo(dir.path());
    QCOMPARE(path, dir.path() + QStringLiteral("/Logo.bmp"));
    QVERIFY(readAll(path).startsWith("BM"));
    QImage back(path, "BMP");
    QCOMPARE(back.size(), QSize(40, 30));
    QVERIFY(!back.hasAlphaChannel());
    QCOMPARE(back.pixelColor(10, 10), QColor(200, 30, 30));
    QCOMPARE(back.pixelColor(0, 0), QColor(Qt::white));
    QCOMPARE(ReceiptSettings::caricaLogo(dir.path()).pixelColor(10, 10), QColor(200, 30, 30));
}

void tst_ReceiptSettings::failedLogoSaveKeepsWhatWasThere()
{
    QTemporaryDir dir;
    // Logo.bmp cannot be written where a folder of that name stands.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Logo.bmp")));
    writeAll(dir.filePath(QStringLiteral("Logo.bmp/dentro.txt")), "x");
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(!ReceiptSettings::salvaLogo(dir.path(), picture));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("Logo.bmp"))).isDir());
    QCOMPARE(readAll(dir.filePath(QStringLiteral("Logo.bmp/dentro.txt"))), QByteArray("x"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList());
}

QTEST_MAIN(tst_ReceiptSettings)
#include "tst_ReceiptSettings.moc"
