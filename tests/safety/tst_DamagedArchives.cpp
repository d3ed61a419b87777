// Archives that are not what the program wrote: lengths past their fields, a record cut short,
// random bytes, an empty file, a folder where the file should be, a file that cannot be read. The
// program never crashes on them, never writes into a file it could not read, and says which file
// (and which record) is damaged.
#include "receipts/TfrmRicevuta.h"
#include "storage/Messages.h"
#include "storage/RecordFile.h"
#include "storage/RecordLayout.h"
#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"
#include "support/FakePlatform.h"
#include "support/FaultInjector.h"
#include "support/Folders.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTest>

#include <unistd.h>

using namespace tavorel;
using tavorel::test::FakePlatform;
using tavorel::test::FakePlatformScope;

namespace {

constexpr int kRic = TSchedaRicevuta::RecordSize;

const QString kVuoto = QStringLiteral("L'archivio non contiene nessuna ricevuta.");

TSchedaRicevuta ricevuta(int n)
{
    TSchedaRicevuta r;
    for (const auto& f : TSchedaRicevuta::fields())
        r.*f.member = QStringLiteral("%1 %2").arg(QLatin1StringView(f.name)).arg(n).left(f.capacity).trimmed();
    return r;
}

QByteArray archivio(int records)
{
    QByteArray bytes;
    for (int i = 1; i <= records; ++i)
        bytes += encodeRecord(ricevuta(i));
    return bytes;
}

// Record k's length bytes all set past their fields.
QByteArray lengthsBeyondFields(QByteArray bytes, int k)
{
    int offset = (k - 1) * kRic;
    for (const auto& f : TSchedaRicevuta::fields()) {
        bytes[offset] = char(0xFF);
        offset += f.capacity + 1;
    }
    return bytes;
}

QByteArray randomBytes(int size)
{
    QRandomGenerator rng(1307);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& c : bytes)
        c = char(rng.bounded(256));
    return bytes;
}

void click(QWidget* screen, const char* name)
{
    auto* button = screen->findChild<QAbstractButton*>(QLatin1StringView(name));
    QVERIFY2(button && button->isVisible(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class tst_DamagedArchives : public QObject {
    Q_OBJECT
private slots:
    void scanSkipsWhatIsNotWhole_data();
    void scanSkipsWhatIsNotWhole();
    void receiptEditor_data();
    void receiptEditor();
};

void tst_DamagedArchives::scanSkipsWhatIsNotWhole_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<qint64>>("shown"); // record numbers visited
    QTest::addColumn<qint64>("unreadable");
    QTest::addColumn<bool>("tornTail");
    QTest::newRow("undamaged") << archivio(3) << QList<qint64>{1, 2, 3} << qint64(0) << false;
    QTest::newRow("zero-byte file") << QByteArray() << QList<qint64>{} << qint64(0) << false;
    QTest::newRow("lengths beyond their field")
        << lengthsBeyondFields(archivio(3), 2) << QList<qint64>{1, 3} << qint64(1) << false;
    QTest::newRow("a record cut short") << archivio(3).left(2 * kRic + 500) << QList<qint64>{1, 2} << qint64(0) << true;
    QTest::newRow("random bytes") << randomBytes(4 * kRic + 10) << QList<qint64>{} << qint64(4) << true;
}

// What the searches, expiry lists and the income summary will scan through: whole records are
// visited as they are, the rest is counted so that it can be told.
void tst_DamagedArchives::scanSkipsWhatIsNotWhole()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QList<qint64>, shown);
    QFETCH(qint64, unreadable);
    QFETCH(bool, tornTail);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("2026.ric"));
    QVERIFY(test::writeFile(path, bytes));

    RecordFile file;
    QVERIFY(file.open(path, kRic));
    QList<qint64> visited;
    ScanDamage damage;
    QVERIFY(forEachReadableRecord<TSchedaRicevuta>(
        file,
        [&](qint64 k, const TSchedaRicevuta& r) {
            visited.append(k);
            return r == ricevuta(int(k)) || (qWarning("record %lld is not what was saved", k), false);
        },
        damage));
    QCOMPARE(visited, shown);
    QCOMPARE(damage.unreadable, unreadable);
    QCOMPARE(damage.tornTail, tornTail);
    file.close();
    QCOMPARE(test::readFile(path), bytes);
}

void tst_DamagedArchives::receiptEditor_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QStringList>("clicks");
    // Messages, in order; "damaged N" is the damaged-record warning for record N of 2026.ric.
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("position");

    const QString accesso = QStringLiteral("access");
    QTest::newRow("lengths beyond their field")
        << "lengths" << QStringList{"cmdPrimo", "cmdAvanti", "cmdAvanti"} << QStringList{"damaged 2"} << "3";
    QTest::newRow("a record cut short: not shown")
        << "cut" << QStringList{"cmdUltimo", "cmdAvanti"} << QStringList{} << "2";
    QTest::newRow("random bytes") << "random" << QStringList{"cmdPrimo", "cmdAvanti", "cmdUltimo"}
                                  << QStringList{"damaged 1", "damaged 2", "damaged 4"} << "4";
    QTest::newRow("zero-byte file") << "empty" << QStringList{"cmdPrimo", "cmdUltimo"} << QStringList{kVuoto, kVuoto}
                                    << "";
    QTest::newRow("a folder in place of the file")
        << "folder" << QStringList{"cmdPrimo", "cmdNuovo", "cmdSalva"} << QStringList{accesso, accesso, accesso} << "";
    QTest::newRow("no read permission") << "unreadable" << QStringList{"cmdPrimo", "cmdSalva"}
                                        << QStringList{accesso, accesso} << "";
    QTest::newRow("the system refuses to open it")
        << "refused" << QStringList{"cmdPrimo", "cmdSalva"} << QStringList{accesso, accesso} << "";
}

// The receipt editor on each damaged archive, driven by its buttons: it shows what can be read,
// says which record of which file is damaged, and never writes into a file it could not open.
void tst_DamagedArchives::receiptEditor()
{
    QFETCH(QString, situation);
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, messages);
    QFETCH(QString, position);

    FakePlatformScope scope;
    FakePlatform& fake = scope.fake;
    const QString path = QDir(fake.folder).filePath(QStringLiteral("2026.ric"));
    if (situation == QLatin1String("lengths"))
        QVERIFY(test::writeFile(path, lengthsBeyondFields(archivio(3), 2)));
    else if (situation == QLatin1String("cut"))
        QVERIFY(test::writeFile(path, archivio(3).left(2 * kRic + 700)));
    else if (situation == QLatin1String("random"))
        QVERIFY(test::writeFile(path, randomBytes(4 * kRic + 10)));
    else if (situation == QLatin1String("empty"))
        QVERIFY(test::writeFile(path, QByteArray()));
    else if (situation == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(path + QStringLiteral("/dentro")));
    else
        QVERIFY(test::writeFile(path, archivio(2)));
    if (situation == QLatin1String("unreadable")) {
        if (geteuid() == 0)
            QSKIP("running as root, whom file permissions do not stop; see the refused row");
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    }
    const auto before = test::snapshot(fake.folder);

    TfrmRicevuta w;
    w.apriArchivio(path, QStringLiteral(" Tavorel - Archivio ricevute anno 2026"));
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    // A receipt ready to save, so that "Salva" gets as far as the archive.
    const QList<std::pair<const char*, QString>> typed{
        {"txtNumRic", QStringLiteral("9")},       {"txtPagatore", QStringLiteral("Rossi")},
        {"txtCodFisc", QStringLiteral("X")},      {"txtSport", QStringLiteral("Nuoto")},
        {"txtDal", QStringLiteral("01/01/2026")}, {"txtAl", QStringLiteral("31/01/2026")}};
    for (const auto& [name, text] : typed)
        w.findChild<QLineEdit*>(QLatin1StringView(name))->setText(text);

    for (const QString& name : clicks) {
        // "refused": every open of a file of the folder for writing is refused, as a lock held by
        // another program or a permission taken away would refuse it.
        std::unique_ptr<test::FaultInjector> refuse;
        if (situation == QLatin1String("refused"))
            refuse = std::make_unique<test::FaultInjector>(fake.folder, 1, EACCES, test::FaultInjector::Open);
        click(&w, name.toLatin1().constData());
    }

    QStringList expected;
    for (const QString& m : messages) {
        if (m == QLatin1String("access"))
            expected.append(kMsgAccessoArchivio);
        else if (m.startsWith(QLatin1String("damaged ")))
            expected.append(msgSchedaDanneggiata(m.mid(8).toLongLong(), QStringLiteral("2026.ric")));
        else
            expected.append(m);
    }
    QStringList shown;
    for (const auto& m : fake.messages)
        shown.append(m.text);
    QCOMPARE(shown, expected);
    QCOMPARE(w.findChild<QLabel*>(QStringLiteral("lblPosizione"))->text(), position);
    // Nothing was written: browsing only reads, and a file that could not be opened is not touched.
    QCOMPARE(test::snapshot(fake.folder), before);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QTEST_MAIN(tst_DamagedArchives)
#include "tst_DamagedArchives.moc"
