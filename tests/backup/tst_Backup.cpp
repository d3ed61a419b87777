// The copies of the data: what a copy holds and how other programs read it, a restore that puts
// back exactly what was saved or refuses the copy before touching anything, the automatic copies'
// rotation, and the check and repair of damaged archives.
#include "backup/ArchiveCheck.h"
#include "backup/Backup.h"
#include "backup/BackupSettings.h"
#include "backup/Restore.h"
#include "storage/RecordFile.h"
#include "storage/RecordLayout.h"
#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"
#include "support/Folders.h"
#include "support/SampleReceipts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

using namespace tavorel;
using tavorel::test::readFile;
using tavorel::test::snapshot;
using tavorel::test::writeFile;

namespace {

using Files = QMap<QString, QByteArray>;

const QDateTime kNow(QDate(2026, 12, 10), QTime(9, 30));

QByteArray receipts(int count, const QString& payer = QStringLiteral("Rossi Mario"))
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i) {
        TSchedaRicevuta r = test::sampleReceipt(payer);
        r.NumRic = QString::number(i);
        bytes += encodeRecord(r);
    }
    return bytes;
}

QByteArray members(int count)
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i) {
        TSchedaIscritto m;
        m.Tiratore = QStringLiteral("Iscritto %1").arg(i);
        bytes += encodeRecord(m);
    }
    return bytes;
}

// The data of a small club, and beside it what is not data: the program, its manual, the exports,
// an earlier copy, this computer's copy settings.
Files clubData()
{
    return {
        {QStringLiteral("2025.ric"), receipts(3, QStringLiteral("Bianchi Niccolò"))},
        {QStringLiteral("2026.ric"), receipts(5)},
        {QStringLiteral("2026.pag"), QByteArray(40, 'p')},
        {QStringLiteral("Archivio_Iscritti.pro"), members(4)},
        {QStringLiteral("Ricevute_Generiche.ini"), "[Ricevente]\r\nRigo 1=A.S.D. Forlì\r\n"},
        {QStringLiteral("unins000.dll"), "[Accesso]\r\nValore=4C414D\r\n"},
        {QStringLiteral("Logo.bmp"), QByteArray("BM") + QByteArray(300, '\x7f')},
        {QStringLiteral("Anagrafica/Scheda_Iscritto_1.jpg"), QByteArray("\xff\xd8\xff") + QByteArray(5000, 'j')},
        {QStringLiteral("Anagrafica/Scheda_Iscritto_3.jpg"), QByteArray("\xff\xd8\xff") + QByteArray(700, 'k')},
        {QStringLiteral("Documenti_Allegati/Forlì/certificato Forlì.pdf"), QByteArray(2000, 'd')},
    };
}

const Files kNotData{
    {QStringLiteral("tavorel"), QByteArray("\x7f"
                                           "ELF program")},
    {QStringLiteral("Guida.pdf"), QByteArray("%PDF manual")},
    {QStringLiteral("Ricevute.xls"), QByteArray("<table>export</table>")},
    {QStringLiteral("Archivio_Iscritti.xls"), QByteArray("<table>export</table>")},
    {QStringLiteral("Copie di sicurezza/Tavorel_2026-01-01_1000.zip"), QByteArray("an earlier copy")},
    {QStringLiteral("Copie_di_sicurezza.ini"), QByteArray("[Copie di sicurezza]\r\nAutomatica=1\r\n")},
};

void lay(const QString& folder, const Files& files)
{
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const QString path = QDir(folder).filePath(it.key());
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QVERIFY(writeFile(path, it.value()));
    }
}

QString scriptPath(const QString& name)
{
    return QStringLiteral(TAVOREL_BACKUP_SCRIPTS "/") + name;
}

// Runs the Python script `script` with `args`; its standard output, or a failed test.
QByteArray python(const QString& script, const QStringList& args, int* exitCode = nullptr)
{
    QProcess p;
    p.start(QStringLiteral("python3"), QStringList{script} + args);
    if (!p.waitForFinished(60000))
        qWarning("python3 did not finish");
    if (exitCode)
        *exitCode = p.exitCode();
    else if (p.exitCode() != 0)
        qWarning("python3: %s", p.readAllStandardError().constData());
    return p.readAllStandardOutput();
}

struct ZipEntry {
    QByteArray bytes;
    bool utf8Flag = false;
    bool folder = false;
};

// The ZIP as Python's zipfile reads it (its own CRC check included): every entry with its bytes.
QMap<QString, ZipEntry> readWithPython(const QString& zipPath)
{
    const QString script = scriptPath(QStringLiteral("read_zip.py"));
    int code = 0;
    const QByteArray out = python(script, {zipPath}, &code);
    QMap<QString, ZipEntry> entries;
    if (code != 0)
        return entries;
    for (const QByteArray& line : out.split('\n')) {
        const QList<QByteArray> parts = line.split('\t');
        if (parts.size() != 4)
            continue;
        entries.insert(QString::fromUtf8(QByteArray::fromBase64(parts[0])),
                       {QByteArray::fromBase64(parts[3]), parts[1] == "1", parts[2] == "1"});
    }
    return entries;
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// The hostile copies are made by Python (hostile_zips.py): each holds a password store and an
// archive, so that only the one thing wrong with it makes it hostile.

} // namespace

class tst_Backup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void copyHoldsTheDataAndOpensAnywhere();
    void aCopyIsNeverWrittenOver();
    void cancelledCopyLeavesNothing();
    void restoreGivesBackExactlyWhatWasSaved();
    void hostileCopiesAreRefusedWhole_data();
    void hostileCopiesAreRefusedWhole();
    void copyWaitsForAnAppendInProgress();
    void automaticCopiesOncePerDayKeepingTen();
    void checkAndRepair_data();
    void checkAndRepair();

private:
    QTemporaryDir hostile_; // the hostile copies, made once
};

void tst_Backup::initTestCase()
{
    QVERIFY(hostile_.isValid());
    python(scriptPath(QStringLiteral("hostile_zips.py")), {hostile_.path()});
}

void tst_Backup::copyHoldsTheDataAndOpensAnywhere()
{
    QTemporaryDir program;
    QTemporaryDir usb;
    const Files data = clubData();
    lay(program.path(), data);
    lay(program.path(), kNotData);
    // Not data either: a named pipe (reading it would wait for ever) and a folder link.
    QVERIFY(::mkfifo(QFile::encodeName(program.filePath(QStringLiteral("Anagrafica/tubo.jpg"))).constData(), 0600) ==
            0);
    QVERIFY(QFile::link(program.path(), program.filePath(QStringLiteral("Documenti_Allegati/giro"))));

    const BackupOutcome b = makeBackup(program.path(), usb.path(), kNow, CopyKind::ByHand, false);
    QCOMPARE(b.status, BackupOutcome::Done);
    QCOMPARE(b.path, usb.filePath(QStringLiteral("Tavorel_2026-12-10_0930.zip")));
    QCOMPARE(b.files, data.size());
    QCOMPARE(b.bytes, QFileInfo(b.path).size());
    QCOMPARE(filesIn(usb.path()), QStringList{QStringLiteral("Tavorel_2026-12-10_0930.zip")});

    // Python's zipfile reads every entry back, CRC checked, with the UTF-8 flag where it matters.
    const QMap<QString, ZipEntry> entries = readWithPython(b.path);
    Files read;
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
        if (!it->folder)
            read.insert(it.key(), it->bytes);
        QCOMPARE(it->utf8Flag, it.key().contains(QStringLiteral("Forlì")));
    }
    QCOMPARE(read, data);
    QVERIFY(entries.contains(QStringLiteral("Documenti_Allegati/Forlì/")));

    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-tq"), b.path});
    QVERIFY(unzip.waitForFinished(60000));
    QVERIFY2(unzip.exitCode() == 0, unzip.readAll().constData());
}

void tst_Backup::aCopyIsNeverWrittenOver()
{
    QTemporaryDir program;
    QTemporaryDir usb;
    lay(program.path(), clubData());
    // Someone left a file, and a link to another file, under the names of this minute's copies.
    QVERIFY(writeFile(usb.filePath(QStringLiteral("Tavorel_2026-12-10_0930.zip")), "not ours"));
    QVERIFY(writeFile(usb.filePath(QStringLiteral("bersaglio")), "target"));
    QVERIFY(QFile::link(usb.filePath(QStringLiteral("bersaglio")),
                        usb.filePath(QStringLiteral("Tavorel_2026-12-10_0930-2.zip"))));

    const BackupOutcome b = makeBackup(program.path(), usb.path(), kNow, CopyKind::ByHand, false);
    QCOMPARE(b.status, BackupOutcome::Done);
    QCOMPARE(b.path, usb.filePath(QStringLiteral("Tavorel_2026-12-10_0930-3.zip")));
    QCOMPARE(readFile(usb.filePath(QStringLiteral("Tavorel_2026-12-10_0930.zip"))), QByteArray("not ours"));
    QCOMPARE(readFile(usb.filePath(QStringLiteral("bersaglio"))), QByteArray("target"));

    // A folder chosen by the user that is not there (a drive not plugged in) is not made.
    const QString gone = usb.filePath(QStringLiteral("chiavetta"));
    QCOMPARE(makeBackup(program.path(), gone, kNow, CopyKind::ByHand, false).status, BackupOutcome::Failed);
    QVERIFY(!QFileInfo::exists(gone));
    // A folder with no archive has nothing worth a copy.
    QTemporaryDir empty;
    QVERIFY(writeFile(empty.filePath(QStringLiteral("unins000.dll")), "[Accesso]\r\n"));
    QCOMPARE(makeBackup(empty.path(), usb.path(), kNow, CopyKind::ByHand, false).status, BackupOutcome::NothingToCopy);
}

void tst_Backup::cancelledCopyLeavesNothing()
{
    QTemporaryDir program;
    QTemporaryDir usb;
    lay(program.path(), clubData());
    for (int stopAt : {1, 3, 12}) {
        int calls = 0;
        const BackupOutcome b = makeBackup(program.path(), usb.path(), kNow, CopyKind::ByHand, false,
                                           [&](qint64, qint64) { return ++calls < stopAt; });
        QCOMPARE(b.status, BackupOutcome::Cancelled);
        QCOMPARE(filesIn(usb.path()), QStringList());
    }
}

void tst_Backup::restoreGivesBackExactlyWhatWasSaved()
{
    QTemporaryDir program;
    QTemporaryDir usb;
    lay(program.path(), clubData());
    lay(program.path(), kNotData);
    const Files saved = snapshot(program.path());
    const BackupOutcome b = makeBackup(program.path(), usb.path(), kNow, CopyKind::ByHand, false);
    QCOMPARE(b.status, BackupOutcome::Done);

    // Life goes on: receipts added and changed, a year and a photo added, a photo and the logo gone.
    lay(program.path(), {{QStringLiteral("2026.ric"), receipts(7, QStringLiteral("Verdi Anna"))},
                         {QStringLiteral("2027.ric"), receipts(1)},
                         {QStringLiteral("unins000.dll"), "[Accesso]\r\nValore=414243\r\n"},
                         {QStringLiteral("Anagrafica/Scheda_Iscritto_5.jpg"), "new photo"}});
    QVERIFY(QFile::remove(program.filePath(QStringLiteral("Anagrafica/Scheda_Iscritto_3.jpg"))));
    QVERIFY(QFile::remove(program.filePath(QStringLiteral("Logo.bmp"))));

    const CopyContents contents = inspectCopy(b.path, program.path());
    QCOMPARE(contents.status, CopyContents::Ok);
    QCOMPARE(contents.made, kNow);
    QCOMPARE(contents.years(), (QStringList{QStringLiteral("2025"), QStringLiteral("2026")}));
    QCOMPARE(contents.records(DataKind::ReceiptArchive), 8);
    QCOMPARE(contents.records(DataKind::MemberArchive), 4);
    QCOMPARE(contents.count(DataKind::Photo), 2);

    const RestoreOutcome r = restoreCopy(b.path, program.path());
    QCOMPARE(r.status, RestoreOutcome::Done);
    // Byte for byte, and nothing else: no temporary file, no file kept aside.
    QCOMPARE(snapshot(program.path()), saved);
}

void tst_Backup::hostileCopiesAreRefusedWhole_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("status");
    QTest::newRow("path traversal") << "traversal" << int(CopyContents::Unsafe);
    QTest::newRow("traversal inside a data folder") << "traversal inside" << int(CopyContents::Unsafe);
    QTest::newRow("absolute name") << "absolute" << int(CopyContents::Unsafe);
    QTest::newRow("drive letter") << "drive letter" << int(CopyContents::Unsafe);
    QTest::newRow("Windows separators") << "backslashes" << int(CopyContents::Unsafe);
    QTest::newRow("link") << "link" << int(CopyContents::Unsafe);
    QTest::newRow("a file that is not data") << "foreign file" << int(CopyContents::NotTavorel);
    QTest::newRow("no password store") << "no password store" << int(CopyContents::NotTavorel);
    QTest::newRow("no archive") << "no archive" << int(CopyContents::NotTavorel);
    QTest::newRow("not a ZIP") << "not a zip" << int(CopyContents::NotAZip);
    QTest::newRow("empty file") << "empty file" << int(CopyContents::NotAZip);
    QTest::newRow("huge declared size") << "huge declared size" << int(CopyContents::NoRoom);
    // Its list is fine; its data is found bad only while it is unpacked, still before anything is replaced.
    QTest::newRow("bad CRC") << "bad crc" << int(CopyContents::Ok);
}

void tst_Backup::hostileCopiesAreRefusedWhole()
{
    QFETCH(QString, kind);
    QFETCH(int, status);
    QTemporaryDir program;
    QTemporaryDir elsewhere;
    lay(program.path(), clubData());
    const Files before = snapshot(program.path());
    const QString zip = elsewhere.filePath(QStringLiteral("copia.zip"));
    QVERIFY(QFile::copy(QDir(hostile_.path()).filePath(kind + QStringLiteral(".zip")), zip));

    QCOMPARE(int(inspectCopy(zip, program.path()).status), status);
    const RestoreOutcome r = restoreCopy(zip, program.path());
    QCOMPARE(r.status, RestoreOutcome::Refused);
    QCOMPARE(int(r.contents.status), status == CopyContents::Ok ? int(CopyContents::NotAZip) : status);
    QCOMPARE(snapshot(program.path()), before);
    QCOMPARE(filesIn(elsewhere.path()), QStringList{QStringLiteral("copia.zip")});
    QVERIFY(!QFileInfo::exists(QStringLiteral("/tmp/tavorel_assoluto.ric")));
}

namespace {

// Run as a second process: appends one receipt to `path` as a slow workstation would, holding the
// append lock while half the record is written, and says when it has the lock.
int slowAppend(const char* path)
{
    const int fd = ::open(path, O_RDWR);
    if (fd < 0)
        return 1;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = off_t(RecordFile::kAppendLockOffset);
    lock.l_len = 1;
    if (::fcntl(fd, F_OFD_SETLKW, &lock) != 0)
        return 2;
    const QByteArray record = encodeRecord(test::sampleReceipt(QStringLiteral("Salvata adesso")));
    const off_t end = ::lseek(fd, 0, SEEK_END);
    if (::pwrite(fd, record.constData(), 500, end) != 500)
        return 3;
    ::write(STDOUT_FILENO, "locked\n", 7);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    if (::pwrite(fd, record.constData() + 500, size_t(record.size() - 500), end + 500) != record.size() - 500)
        return 4;
    lock.l_type = F_UNLCK;
    ::fcntl(fd, F_OFD_SETLK, &lock);
    ::close(fd);
    return 0;
}

} // namespace

void tst_Backup::copyWaitsForAnAppendInProgress()
{
    QTemporaryDir program;
    QTemporaryDir usb;
    lay(program.path(), clubData());
    const QString archive = program.filePath(QStringLiteral("2026.ric"));
    QProcess workstation;
    workstation.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--slow-append"), archive});
    QVERIFY(workstation.waitForReadyRead(10000));
    QCOMPARE(workstation.readLine(), QByteArray("locked\n"));

    // Half a record is in the file now: the copy must wait for the other half.
    const BackupOutcome b = makeBackup(program.path(), usb.path(), kNow, CopyKind::ByHand, false);
    QVERIFY(workstation.waitForFinished(10000));
    QCOMPARE(workstation.exitCode(), 0);
    QCOMPARE(b.status, BackupOutcome::Done);
    const QByteArray copied = readWithPython(b.path).value(QStringLiteral("2026.ric")).bytes;
    QCOMPARE(copied.size(), 6 * TSchedaRicevuta::RecordSize);
    QCOMPARE(copied, readFile(archive));
}

void tst_Backup::automaticCopiesOncePerDayKeepingTen()
{
    QTemporaryDir program;
    lay(program.path(), clubData());
    const QString copies = defaultBackupFolder(program.path());
    QVERIFY(QDir().mkpath(copies));
    // Twelve automatic copies of earlier days (two in one minute), and copies made by hand.
    QStringList older;
    for (int day = 1; day <= 11; ++day)
        older.append(QStringLiteral("Tavorel_2026-11-%1_1800_automatica.zip").arg(day, 2, 10, QLatin1Char('0')));
    older.insert(5, QStringLiteral("Tavorel_2026-11-05_1800-2_automatica.zip"));
    const QStringList byHand{QStringLiteral("Tavorel_2026-10-01_0900.zip"),
                             QStringLiteral("Tavorel_2026-11-20_0900.zip")};
    for (const QString& name : older + byHand)
        QVERIFY(writeFile(QDir(copies).filePath(name), "copy"));

    QVERIFY(automaticCopyDue(program.path(), kNow.date()));
    const BackupOutcome b = makeAutomaticCopy(program.path(), kNow);
    QCOMPARE(b.status, BackupOutcome::Done);
    QCOMPARE(QFileInfo(b.path).fileName(), QStringLiteral("Tavorel_2026-12-10_0930_automatica.zip"));
    // The ten newest automatic copies, the new one included; those by hand all there.
    const QStringList kept =
        older.mid(older.size() - 9) + QStringList{QStringLiteral("Tavorel_2026-12-10_0930_automatica.zip")};
    QStringList expected = kept + byHand;
    expected.sort();
    QCOMPARE(filesIn(copies), expected);

    // Once a day: not again today, again tomorrow; never when turned off or with nothing to copy.
    QVERIFY(!automaticCopyDue(program.path(), kNow.date()));
    QVERIFY(automaticCopyDue(program.path(), kNow.date().addDays(1)));
    QVERIFY(BackupSettings::setAutomatic(program.path(), false));
    QVERIFY(!automaticCopyDue(program.path(), kNow.date().addDays(1)));
    QVERIFY(BackupSettings::setAutomatic(program.path(), true));
    QTemporaryDir fresh;
    QVERIFY(writeFile(fresh.filePath(QStringLiteral("unins000.dll")), "[Accesso]\r\n"));
    QVERIFY(!automaticCopyDue(fresh.path(), kNow.date()));
}

void tst_Backup::checkAndRepair_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("recordSize");
    QTest::addColumn<int>("records");
    QTest::addColumn<QList<qint64>>("damaged");
    QTest::addColumn<int>("tail");
    QTest::newRow("whole receipts") << "2026.ric" << TSchedaRicevuta::RecordSize << 4 << QList<qint64>{} << 0;
    QTest::newRow("damaged receipts") << "2026.ric" << TSchedaRicevuta::RecordSize << 6 << QList<qint64>{1, 4, 6} << 0;
    QTest::newRow("unfinished last receipt")
        << "2026.ric" << TSchedaRicevuta::RecordSize << 3 << QList<qint64>{2} << 300;
    QTest::newRow("damaged member") << "Archivio_Iscritti.pro" << TSchedaIscritto::RecordSize << 3 << QList<qint64>{3}
                                    << 0;
    // More than one run of records: the numbers count on across the runs.
    QTest::newRow("big archive") << "2031.ric" << TSchedaRicevuta::RecordSize << 2500 << QList<qint64>{954, 955, 2500}
                                 << 10;
}

void tst_Backup::checkAndRepair()
{
    QFETCH(QString, name);
    QFETCH(int, recordSize);
    QFETCH(int, records);
    QFETCH(QList<qint64>, damaged);
    QFETCH(int, tail);
    const bool member = recordSize == TSchedaIscritto::RecordSize;
    QTemporaryDir program;
    QByteArray bytes = member ? members(records) : receipts(records);
    // A length byte past its field makes a record not whole: the first field's, or one further on.
    for (qint64 k : damaged)
        bytes[int((k - 1) * recordSize + (k % 2 ? 0 : 51))] = char(0xFF);
    bytes += QByteArray(tail, 'x');
    const QString path = program.filePath(name);
    QVERIFY(writeFile(path, bytes));

    const ArchiveReport report = checkArchive(program.path(), name);
    QVERIFY(report.readable);
    QCOMPARE(report.records, records);
    QCOMPARE(report.damaged, damaged);
    QCOMPARE(report.tailBytes, tail);
    QCOMPARE(report.needsRepair(), !damaged.isEmpty() || tail > 0);
    if (!report.needsRepair())
        return;

    const QDate today(2026, 12, 10);
    const RepairOutcome repaired = repairArchive(program.path(), name, today);
    QVERIFY2(repaired.done, qPrintable(repaired.error));
    QCOMPARE(repaired.keptAs, name + QStringLiteral(".danneggiato-2026-12-10"));
    QCOMPARE(repaired.blanked, damaged.size());
    QCOMPARE(repaired.tailDropped, tail > 0);
    QCOMPARE(readFile(program.filePath(repaired.keptAs)), bytes);

    // Every whole record where it was; every damaged one blank, so the numbers after it hold.
    const QByteArray mended = readFile(path);
    QCOMPARE(mended.size(), qsizetype(records) * recordSize);
    for (qint64 k = 1; k <= records; ++k) {
        const QByteArray record = mended.mid((k - 1) * recordSize, recordSize);
        QCOMPARE(record,
                 damaged.contains(k) ? QByteArray(recordSize, '\0') : bytes.mid((k - 1) * recordSize, recordSize));
    }
    const ArchiveReport after = checkArchive(program.path(), name);
    QVERIFY(!after.needsRepair());
    QCOMPARE(after.records, records);
    // The kept file is data: the next copy holds it, and a check does not take it for an archive.
    QCOMPARE(dataKindOf(repaired.keptAs), std::optional<DataKind>(DataKind::DamagedCopy));
    QCOMPARE(checkArchives(program.path()).size(), 1);
}

int main(int argc, char* argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--slow-append") == 0)
        return slowAppend(argv[2]);
    QCoreApplication app(argc, argv);
    tst_Backup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Backup.moc"
