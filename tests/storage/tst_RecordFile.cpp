#include "storage/Archives.h"
#include "storage/RecordFile.h"
#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

using namespace tavorel;

namespace {

constexpr int kReceipt = TSchedaRicevuta::RecordSize;
const char* const kWorkerFlag = "--append-worker";

// A record whose every byte tells which record it is.
QByteArray filler(char c, int size = kReceipt)
{
    return QByteArray(size, c);
}

QByteArray contentOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(data), data.size());
}

// The address in a worker's record tells, by its letters, which sequence number it was written
// with, so a record torn by two writers would not match its own number.
QString addressFor(int seq)
{
    return QString(250, QChar(char16_t(u'a' + seq % 26)));
}

// One copy of the program appending receipts, each in its own open-append-close, as the editor
// does. It starts on a line from its standard input so that both copies run at the same time.
int appendWorker(const QString& path, int records)
{
    char go[8];
    if (!std::fgets(go, sizeof go, stdin))
        return 2;
    const QString pid = QString::number(QCoreApplication::applicationPid());
    for (int seq = 0; seq < records; ++seq) {
        RecordFile file;
        if (!OpenReceiptArchive(path, file))
            return 3;
        TSchedaRicevuta r;
        r.NumRic = pid + QLatin1Char(':') + QString::number(seq);
        r.Indirizzo = addressFor(seq);
        if (appendRecord(file, r) < 1)
            return 4;
    }
    return 0;
}

} // namespace

class tst_RecordFile : public QObject {
    Q_OBJECT

private slots:
    void init();
    void missingFileIsCreatedEmpty();
    void pathThatCannotBeOpenedIsLeftAlone_data();
    void pathThatCannotBeOpenedIsLeftAlone();
    void countIgnoresPartialRecord_data();
    void countIgnoresPartialRecord();
    void appendWritesOverPartialRecord();
    void overwriteKeepsRecordNumber();
    void refusedOperationsChangeNothing_data();
    void refusedOperationsChangeNothing();
    void scanVisitsWholeRecordsInOrder_data();
    void scanVisitsWholeRecordsInOrder();
    void runScanLooksAtEveryRecordOnceAndTakesInOrder_data();
    void runScanLooksAtEveryRecordOnceAndTakesInOrder();
    void runScanStopsWhereALookFails();
    void typedRecordsRoundTrip();
    void concurrentAppendsLoseNothing();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString path_;
};

void tst_RecordFile::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    path_ = dir_->filePath(QStringLiteral("2024.ric"));
}

void tst_RecordFile::missingFileIsCreatedEmpty()
{
    RecordFile file;
    QVERIFY(OpenReceiptArchive(path_, file));
    QCOMPARE(file.count(), 0);
    QCOMPARE(QFileInfo(path_).size(), 0);
    file.close();
    QVERIFY(QFileInfo(path_).isFile());

    RecordFile members;
    QVERIFY(OpenMemberArchive(dir_->path(), members));
    QCOMPARE(members.path(), dir_->filePath(QStringLiteral("Archivio_Iscritti.pro")));
    QCOMPARE(members.recordSize(), 3189);
    QVERIFY(QFileInfo(members.path()).isFile());
}

void tst_RecordFile::pathThatCannotBeOpenedIsLeftAlone_data()
{
    QTest::addColumn<bool>("folderInPlace");
    QTest::newRow("a folder where the archive should be") << true;
    QTest::newRow("its folder does not exist") << false;
}

void tst_RecordFile::pathThatCannotBeOpenedIsLeftAlone()
{
    QFETCH(bool, folderInPlace);
    QString path = path_;
    if (folderInPlace) {
        QVERIFY(QDir().mkpath(path));
        writeFile(path + QStringLiteral("/inside.txt"), "keep");
    } else {
        path = dir_->filePath(QStringLiteral("missing/2024.ric"));
    }

    RecordFile file;
    QVERIFY(!OpenReceiptArchive(path, file));
    QVERIFY(!file.isOpen());
    QCOMPARE(file.count(), -1);
    QCOMPARE(file.append(filler('x')), -1);

    if (folderInPlace) {
        QVERIFY(QFileInfo(path).isDir());
        QCOMPARE(contentOf(path + QStringLiteral("/inside.txt")), QByteArray("keep"));
    } else {
        QVERIFY(!QFileInfo::exists(dir_->filePath(QStringLiteral("missing"))));
    }
}

void tst_RecordFile::countIgnoresPartialRecord_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("count");
    QTest::newRow("one byte short of a record") << kReceipt - 1 << 0;
    QTest::newRow("one record") << kReceipt << 1;
    QTest::newRow("three and 100 stray bytes") << 3 * kReceipt + 100 << 3;
}

void tst_RecordFile::countIgnoresPartialRecord()
{
    QFETCH(int, size);
    QFETCH(int, count);
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = char(i * 7);
    writeFile(path_, data);

    {
        RecordFile file;
        QVERIFY(OpenReceiptArchive(path_, file));
        QCOMPARE(file.count(), count);
    }
    QCOMPARE(contentOf(path_), data); // opening never truncates
}

void tst_RecordFile::appendWritesOverPartialRecord()
{
    const QByteArray three = filler('1') + filler('2') + filler('3');
    writeFile(path_, three + QByteArray(100, '#'));

    RecordFile file;
    QVERIFY(OpenReceiptArchive(path_, file));
    QCOMPARE(file.append(filler('4')), 4);
    QCOMPARE(file.append(filler('5')), 5);
    file.close();

    const QByteArray content = contentOf(path_);
    QCOMPARE(content.size(), 5 * kReceipt);
    QCOMPARE(content.left(3297), three);
    QCOMPARE(content.mid(3297, kReceipt), filler('4'));
    QCOMPARE(content.mid(4 * kReceipt), filler('5'));
}

void tst_RecordFile::overwriteKeepsRecordNumber()
{
    RecordFile file;
    QVERIFY(OpenReceiptArchive(path_, file));
    for (char c : {'a', 'b', 'c'})
        QVERIFY(file.append(filler(c)) > 0);

    QVERIFY(file.overwrite(2, filler('B')));
    QVERIFY(file.overwrite(2, filler('Z')));
    QCOMPARE(file.count(), 3);
    QByteArray record;
    QVERIFY(file.read(2, record));
    QCOMPARE(record, filler('Z'));
    file.close();
    QCOMPARE(contentOf(path_), filler('a') + filler('Z') + filler('c'));
}

// Operations that do not address a whole record of the file fail and leave it as it was.
void tst_RecordFile::refusedOperationsChangeNothing_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("size");
    QTest::newRow("read record 0") << "read" << 0 << kReceipt;
    QTest::newRow("read past the last") << "read" << 3 << kReceipt;
    QTest::newRow("overwrite record 0") << "overwrite" << 0 << kReceipt;
    QTest::newRow("overwrite past the last") << "overwrite" << 3 << kReceipt;
    QTest::newRow("overwrite a short record") << "overwrite" << 1 << kReceipt - 1;
    QTest::newRow("append a long record") << "append" << 0 << kReceipt + 1;
}

void tst_RecordFile::refusedOperationsChangeNothing()
{
    QFETCH(QString, operation);
    QFETCH(int, k);
    QFETCH(int, size);
    // Two records and a partial third, which is not a record that can be read or overwritten.
    const QByteArray before = filler('a') + filler('b') + QByteArray(50, 'c');
    writeFile(path_, before);

    RecordFile file;
    QVERIFY(OpenReceiptArchive(path_, file));
    QByteArray record = "untouched";
    if (operation == QLatin1String("read")) {
        QVERIFY(!file.read(k, record));
        QCOMPARE(record, QByteArray("untouched"));
    } else if (operation == QLatin1String("overwrite")) {
        QVERIFY(!file.overwrite(k, filler('x', size)));
    } else {
        QCOMPARE(file.append(filler('x', size)), -1);
    }
    file.close();
    QCOMPARE(contentOf(path_), before);
}

void tst_RecordFile::scanVisitsWholeRecordsInOrder_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("stopAt"); // the record after which the visitor says stop

    // A file of one read; files read a quarter of a megabyte (262 records of 1000 bytes) at a
    // time, stopped in the first read, in a middle one, at the end of one, and let run to the end.
    QTest::newRow("one read") << 5 << 600 << 2;
    QTest::newRow("several reads, stop early") << 1000 << 5000 << 3;
    QTest::newRow("several reads, stop mid-file") << 1000 << 5000 << 2500;
    QTest::newRow("several reads, stop at a read's end") << 1000 << 5000 << 1048;
    QTest::newRow("several reads, odd size") << 1333 << 2000 << 1999;
    // A scan of small records after one whose records outgrow a megabyte.
    QTest::newRow("records bigger than a megabyte") << 1100000 << 3 << 3;
    QTest::newRow("small records after big ones") << 1000 << 3000 << 3000;
}

void tst_RecordFile::scanVisitsWholeRecordsInOrder()
{
    QFETCH(int, size);
    QFETCH(int, records);
    QFETCH(int, stopAt);
    auto recordOf = [&](qint64 k) { return QByteArray::number(k).rightJustified(size, '0'); };
    // A partial record at the end, as a save cut short leaves it.
    QByteArray data;
    for (int i = 1; i <= records; ++i)
        data += recordOf(i);
    writeFile(path_, data + "12");

    RecordFile file;
    QVERIFY(file.open(path_, size));
    qint64 seen = 0;
    QVERIFY(file.forEach([&](qint64 k, const QByteArray& record) {
        ++seen;
        return k == seen && record == recordOf(k);
    }));
    QCOMPARE(seen, records);

    seen = 0;
    QVERIFY(file.forEach([&](qint64 k, const QByteArray&) {
        seen = k;
        return k < stopAt;
    }));
    QCOMPARE(seen, stopAt);

    // The file is still the program's after a scan: read, overwrite and append land where asked.
    QByteArray record;
    QVERIFY(file.read(stopAt, record));
    QCOMPARE(record, recordOf(stopAt));
    QVERIFY(file.overwrite(1, recordOf(-1)));
    QCOMPARE(file.append(recordOf(-2)), records + 1);
    file.close();
    QCOMPARE(contentOf(path_), recordOf(-1) + data.sliced(size) + recordOf(-2));
}

void tst_RecordFile::runScanLooksAtEveryRecordOnceAndTakesInOrder_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("records");
    QTest::newRow("empty file") << 1000 << 0;
    QTest::newRow("one run") << 5 << 600;
    QTest::newRow("many runs, the last short") << 1000 << 5000;
    QTest::newRow("odd size") << 1333 << 2000;
    QTest::newRow("records bigger than a run") << 1100000 << 3;
}

// The runs are looked at on the thread pool, several at once, in any order (however small the
// file): each record is seen once, with its number, and the runs come back to the caller's thread
// in file order, each after its look.
void tst_RecordFile::runScanLooksAtEveryRecordOnceAndTakesInOrder()
{
#if defined(__SANITIZE_THREAD__)
    // The runs are handed between threads by Qt's thread pool and futures, whose locks
    // ThreadSanitizer cannot see in a Qt that was not built with it: every hand-over would read as
    // a race. The serial scans above and the concurrent appends below still run under it.
    QSKIP("the thread pool's hand-overs are invisible to ThreadSanitizer in this Qt");
#endif
    QFETCH(int, size);
    QFETCH(int, records);
    auto recordOf = [&](qint64 k) { return QByteArray::number(k).rightJustified(size, '0'); };
    QByteArray data;
    for (int i = 1; i <= records; ++i)
        data += recordOf(i);
    writeFile(path_, data + "12"); // and a partial record at the end, never looked at

    struct Scan final : RunScan {
        int size = 0;
        std::function<QByteArray(qint64)> recordOf;
        std::vector<std::atomic<int>> looks;
        std::vector<qint64> firsts;
        std::vector<qint64> counts;
        // One flag a run, a byte each: the runs are looked at on several threads at once, and
        // std::vector<bool> packs neighbouring runs' flags into one word.
        std::vector<char> wrong;
        QList<qsizetype> taken;
        bool takenBeforeLook = false;
        qsizetype runs = -1;
        void begin(qsizetype n) override
        {
            runs = n;
            looks = std::vector<std::atomic<int>>(static_cast<std::size_t>(n));
            firsts.assign(std::size_t(n), 0);
            counts.assign(std::size_t(n), 0);
            wrong.assign(std::size_t(n), 0);
        }
        void look(qsizetype run, qint64 first, QByteArrayView bytes) override
        {
            const auto r = std::size_t(run);
            ++looks[r];
            firsts[r] = first;
            counts[r] = bytes.size() / size;
            forEachInRun(first, bytes, size, [&](qint64 k, QByteArrayView record) {
                if (record != recordOf(k))
                    wrong[r] = 1;
            });
            if (bytes.size() % size != 0)
                wrong[r] = 1;
        }
        void take(qsizetype run) override
        {
            if (looks[std::size_t(run)].load() != 1)
                takenBeforeLook = true;
            taken.append(run);
        }
    } scan;
    scan.size = size;
    scan.recordOf = recordOf;

    RecordFile file;
    QVERIFY(file.open(path_, size));
    QVERIFY(file.scanRuns(scan, 0));
    QVERIFY(!scan.takenBeforeLook);
    QCOMPARE(scan.taken.size(), scan.runs);
    qint64 next = 1;
    for (qsizetype run = 0; run < scan.runs; ++run) {
        const auto r = std::size_t(run);
        QCOMPARE(scan.taken[run], run);
        QCOMPARE(scan.looks[r].load(), 1);
        QCOMPARE(scan.firsts[r], next);
        QVERIFY(scan.counts[r] > 0);
        QVERIFY2(!scan.wrong[r], qPrintable(QStringLiteral("run %1").arg(run)));
        next += scan.counts[r];
    }
    QCOMPARE(next - 1, qint64(records));

    // The file is still the program's after the scan.
    QCOMPARE(file.append(recordOf(-2)), records + 1);
    file.close();
    QCOMPARE(contentOf(path_), data + recordOf(-2));
}

// A look that throws (out of memory on a huge list) ends the scan as a failed read: the runs before
// it are taken, none after it, and no thread is left behind.
void tst_RecordFile::runScanStopsWhereALookFails()
{
#if defined(__SANITIZE_THREAD__)
    // The runs are handed between threads by Qt's thread pool and futures, whose locks
    // ThreadSanitizer cannot see in a Qt that was not built with it: every hand-over would read as
    // a race. The serial scans above and the concurrent appends below still run under it.
    QSKIP("the thread pool's hand-overs are invisible to ThreadSanitizer in this Qt");
#endif
    const int size = 1000;
    writeFile(path_, QByteArray(size * 6000, 'r')); // many runs
    struct Scan final : RunScan {
        QList<qsizetype> taken;
        void begin(qsizetype) override {}
        void look(qsizetype run, qint64, QByteArrayView) override
        {
            if (run == 3)
                throw std::bad_alloc();
        }
        void take(qsizetype run) override { taken.append(run); }
    } scan;
    RecordFile file;
    QVERIFY(file.open(path_, size));
    QVERIFY(!file.scanRuns(scan, 0));
    QCOMPARE(scan.taken, QList<qsizetype>({0, 1, 2}));
    QVERIFY(!file.errorString().isEmpty());
    QCOMPARE(file.count(), 6000); // and the file is still usable
}

void tst_RecordFile::typedRecordsRoundTrip()
{
    TSchedaRicevuta receipt;
    receipt.NumRic = QStringLiteral("12/B");
    receipt.Pagatore = QStringLiteral(u"Niccolò D'Angelo");
    receipt.Intero = QStringLiteral("150,00");

    RecordFile file;
    QVERIFY(OpenReceiptArchive(path_, file));
    QCOMPARE(appendRecord(file, receipt), 1);
    receipt.Sport = QStringLiteral("Nuoto");
    QVERIFY(overwriteRecord(file, 1, receipt));

    TSchedaRicevuta back;
    QVERIFY(readRecord(file, 1, back));
    QVERIFY(back == receipt);
    QStringList payers;
    QVERIFY(forEachRecord<TSchedaRicevuta>(file, [&](qint64, const TSchedaRicevuta& r) {
        payers << r.Pagatore;
        return true;
    }));
    QCOMPARE(payers, QStringList{receipt.Pagatore});

    // A receipt archive is not read as a member archive.
    TSchedaIscritto member;
    QVERIFY(!readRecord(file, 1, member));
    QCOMPARE(appendRecord(file, member), -1);
    QCOMPARE(file.count(), 1);
}

// Two copies of the program append to one archive at the same time: every record must arrive
// whole, at its own place.
void tst_RecordFile::concurrentAppendsLoseNothing()
{
    constexpr int kPerWorker = 2000;
    QProcess workers[2];
    for (QProcess& w : workers) {
        w.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        w.start(QCoreApplication::applicationFilePath(),
                {QString::fromLatin1(kWorkerFlag), path_, QString::number(kPerWorker)});
        QVERIFY(w.waitForStarted());
    }
    // QProcess sends only while it waits: without waiting here the second copy would get its
    // start line after the first had finished.
    for (QProcess& w : workers) {
        w.write("go\n");
        QVERIFY(w.waitForBytesWritten());
    }
    for (QProcess& w : workers) {
        QVERIFY(w.waitForFinished(120000));
        QCOMPARE(w.exitStatus(), QProcess::NormalExit);
        QCOMPARE(w.exitCode(), 0);
    }

    QCOMPARE(QFileInfo(path_).size(), qint64(2 * kPerWorker) * kReceipt);
    RecordFile file;
    QVERIFY(OpenReceiptArchive(path_, file));
    QSet<QString> seen;
    QHash<QString, int> perWriter;
    QVERIFY(forEachRecord<TSchedaRicevuta>(file, [&](qint64 k, const TSchedaRicevuta& r) {
        const QStringList parts = r.NumRic.split(QLatin1Char(':'));
        if (parts.size() != 2 || r.Indirizzo != addressFor(parts[1].toInt())) {
            qWarning("record %lld is damaged: %s", k, qPrintable(r.NumRic));
            return false;
        }
        seen.insert(r.NumRic);
        ++perWriter[parts[0]];
        return true;
    }));
    QCOMPARE(seen.size(), 2 * kPerWorker);
    QCOMPARE(perWriter.size(), 2);
    for (int n : perWriter)
        QCOMPARE(n, kPerWorker);
}

int main(int argc, char* argv[])
{
    if (argc == 4 && qstrcmp(argv[1], kWorkerFlag) == 0)
        return appendWorker(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
    QCoreApplication app(argc, argv);
    tst_RecordFile test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_RecordFile.moc"
