// The archives under the two things a shared desktop does to them: a program killed in the middle
// of a save, and several workstations saving into one folder at once. The writers are child copies
// of this very test executable ("--child ..."), appending through storage/RecordFile exactly as the
// editors do: open, append one record, close.
#include "storage/Archives.h"
#include "storage/RecordFile.h"
#include "storage/RecordLayout.h"
#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>
#include <cstring>
#include <type_traits>
#include <unistd.h>

using namespace tavorel;

namespace {

// Record `seq` of writer `who`: every field filled and told apart, so a record is recognised whole
// or not at all.
template <typename T>
T recordOf(const QString& who, int seq)
{
    T r;
    for (const auto& f : T::fields())
        r.*f.member = QStringLiteral("%1 %2 %3").arg(who).arg(seq).arg(QLatin1StringView(f.name)).left(f.capacity).trimmed();
    return r;
}

// Which writer and sequence number a whole record holds, read from its first field.
template <typename T>
bool identify(const T& record, QString* who, int* seq)
{
    const QString first = record.*(T::fields()[0].member);
    const QStringList parts = first.split(QLatin1Char(' '));
    if (parts.size() < 2)
        return false;
    bool ok = false;
    *seq = parts[1].toInt(&ok);
    *who = parts[0];
    T expected = recordOf<T>(*who, *seq);
    // The members that are overwritten over and over differ in their note only.
    if constexpr (std::is_same_v<T, TSchedaIscritto>) {
        if (*who == QLatin1String("S"))
            expected.Note = record.Note;
    }
    return ok && record == expected;
}

int recordSizeOf(const QString& kind)
{
    return kind == QLatin1String("pro") ? TSchedaIscritto::RecordSize : TSchedaRicevuta::RecordSize;
}

QByteArray encoded(const QString& kind, const QString& who, int seq)
{
    return kind == QLatin1String("pro") ? encodeRecord(recordOf<TSchedaIscritto>(who, seq))
                                        : encodeRecord(recordOf<TSchedaRicevuta>(who, seq));
}

// --- the child writers --------------------------------------------------------------------------

// Appends records `who` first..first+count-1 (count 0: for ever), one open/append/close each.
// "locked" goes through RecordFile; "unlocked" is the control: the same append with no lock and
// with the gap between reading the size and writing widened, as on a slow shared folder, to show
// that the concurrency test does catch lost records.
int childAppend(const QString& path, const QString& kind, const QString& who, int first, int count, bool locked)
{
    const int size = recordSizeOf(kind);
    for (int seq = first; count == 0 || seq < first + count; ++seq) {
        // A writer that keeps no count of its own (the crash test) numbers by position.
        const QByteArray record = encoded(kind, who, who == QLatin1String("P") ? 0 : seq);
        if (locked) {
            RecordFile file;
            if (!file.open(path, size))
                return 2;
            QByteArray numbered = record;
            if (who == QLatin1String("P"))
                numbered = encoded(kind, who, int(file.count()) + 1);
            if (file.append(numbered) < 0)
                return 3;
        } else {
            QFile file(path);
            if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
                return 2;
            const qint64 at = file.size() / size * size;
            usleep(200);
            if (!file.seek(at) || file.write(record) != size)
                return 3;
        }
    }
    return 0;
}

// Overwrites members 1..records, round after round, each with the round's number in its note;
// the last round is "final". Prints nothing; the archive tells what happened.
int childOverwrite(const QString& path, int records, int rounds)
{
    for (int round = 1; round <= rounds; ++round) {
        for (int k = 1; k <= records; ++k) {
            RecordFile file;
            if (!OpenMemberArchive(QFileInfo(path).path(), file))
                return 2;
            TSchedaIscritto r = recordOf<TSchedaIscritto>(QStringLiteral("S"), k);
            r.Note = round == rounds ? QStringLiteral("final") : QStringLiteral("round %1").arg(round);
            if (!overwriteRecord(file, k, r))
                return 3;
        }
    }
    return 0;
}

QProcess* startChild(const QStringList& args)
{
    auto* p = new QProcess;
    p->setProcessChannelMode(QProcess::ForwardedChannels);
    p->start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("--child")} + args);
    return p;
}

// What a reader finds in an archive: whole records by writer, and what is not whole.
struct Census {
    qint64 count = 0;
    qint64 tailBytes = 0;
    qint64 damaged = 0;
    QHash<QString, QList<int>> byWriter;
};

template <typename T>
Census census(const QString& path)
{
    Census c;
    RecordFile file;
    if (!file.open(path, T::RecordSize)) {
        c.damaged = -1;
        return c;
    }
    c.count = file.count();
    c.tailBytes = QFileInfo(path).size() - c.count * T::RecordSize;
    file.forEach([&](qint64, const QByteArray& bytes) {
        QString who;
        int seq = 0;
        if (!recordIsWhole<T>(bytes) || !identify(decodeRecord<T>(bytes), &who, &seq))
            ++c.damaged;
        else
            c.byWriter[who].append(seq);
        return true;
    });
    return c;
}

} // namespace

class tst_ArchiveStress : public QObject {
    Q_OBJECT
private slots:
    void killedWhileAppending_data();
    void killedWhileAppending();
    void workstationsAppendTogether();
    void unlockedControlLosesRecords();
};

void tst_ArchiveStress::killedWhileAppending_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("receipts") << "ric";
    QTest::newRow("members") << "pro";
    // The member whose photo is being written when the program dies joins here once the photo
    // store exists: a kill between the member record and its photo must leave a member that
    // opens, with its photo whole or absent.
}

// A writer appends in a loop and is killed (SIGKILL) at random moments. After every kill the
// archive opens, every whole record is a record that was written, position for position; a torn
// tail is never counted nor visited as a record; and the next append is whole.
void tst_ArchiveStress::killedWhileAppending()
{
    QFETCH(QString, kind);
    const int size = recordSizeOf(kind);
    const bool members = kind == QLatin1String("pro");
    constexpr int kKills = 120; // per archive kind: 240 with both
    QTemporaryDir dir;
    QString path;
    int survived = 0;
    int tornTails = 0;
    qint64 lost = 0;
    qint64 checked = 0;
    auto* rng = QRandomGenerator::global();

    for (int kill = 0; kill < kKills; ++kill) {
        // A fresh archive now and then keeps each check short.
        if (kill % 30 == 0)
            path = dir.filePath(QStringLiteral("archivio%1.%2").arg(kill).arg(kind));

        std::unique_ptr<QProcess> child(
            startChild({QStringLiteral("append"), path, kind, QStringLiteral("P"), QStringLiteral("1"),
                        QStringLiteral("0"), QStringLiteral("locked")}));
        QVERIFY(child->waitForStarted());
        QThread::usleep(rng->bounded(2000, 40000));
        child->kill();
        QVERIFY(child->waitForFinished());
        QCOMPARE(child->exitStatus(), QProcess::CrashExit);

        // Every third kill, the disk also lost the end of the last write, as a power cut leaves it.
        if (kill % 3 == 2) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            const qint64 whole = f.size() / size;
            QVERIFY(f.resize(whole * size + rng->bounded(1, size)));
            ++tornTails;
        }

        const Census c = members ? census<TSchedaIscritto>(path) : census<TSchedaRicevuta>(path);
        QVERIFY(c.damaged >= 0);
        const QList<int> seqs = c.byWriter.value(QStringLiteral("P"));
        QCOMPARE(qint64(seqs.size()), c.count);
        for (int i = 0; i < seqs.size(); ++i) {
            if (seqs[i] != i + 1)
                ++lost;
        }
        lost += c.damaged;
        checked += c.count;
        QVERIFY(c.tailBytes < size);

        // The next append is whole and lands after the last whole record, over any torn tail.
        RecordFile file;
        QVERIFY(file.open(path, size));
        QCOMPARE(file.append(encoded(kind, QStringLiteral("P"), int(c.count) + 1)), c.count + 1);
        file.close();
        QCOMPARE(QFileInfo(path).size(), (c.count + 1) * size);
        ++survived;
    }
    QCOMPARE(lost, qint64(0));
    qInfo("%s: %d kills survived (%d with a torn tail), %lld records checked after them, 0 lost", qPrintable(kind),
          survived, tornTails, checked);
}

// Two workstations append 5,000 records each to the receipt archive and to the member archive while
// a third overwrites the existing members again and again: every record is there, whole, once,
// and every member holds its last overwrite.
void tst_ArchiveStress::workstationsAppendTogether()
{
    constexpr int kEach = 5000;
    constexpr int kExisting = 20;
    QTemporaryDir dir;
    const QString receipts = receiptArchivePath(dir.path(), QStringLiteral("2026"));
    const QString members = memberArchivePath(dir.path());
    {
        RecordFile file;
        QVERIFY(OpenMemberArchive(dir.path(), file));
        for (int k = 1; k <= kExisting; ++k)
            QCOMPARE(appendRecord(file, recordOf<TSchedaIscritto>(QStringLiteral("S"), k)), qint64(k));
    }

    const QString each = QString::number(kEach);
    std::vector<std::unique_ptr<QProcess>> writers;
    for (const auto& [path, kind] :
         {std::pair{receipts, QStringLiteral("ric")}, std::pair{members, QStringLiteral("pro")}}) {
        for (const QString& who : {QStringLiteral("A"), QStringLiteral("B")})
            writers.emplace_back(startChild(
                {QStringLiteral("append"), path, kind, who, QStringLiteral("1"), each, QStringLiteral("locked")}));
    }
    writers.emplace_back(
        startChild({QStringLiteral("overwrite"), members, QString::number(kExisting), QStringLiteral("40")}));
    for (auto& w : writers) {
        QVERIFY(w->waitForFinished(280000));
        QCOMPARE(w->exitStatus(), QProcess::NormalExit);
        QCOMPARE(w->exitCode(), 0);
    }

    const Census r = census<TSchedaRicevuta>(receipts);
    const Census m = census<TSchedaIscritto>(members);
    qint64 lost = 0;
    for (const Census* c : {&r, &m}) {
        QCOMPARE(c->damaged, qint64(0));
        QCOMPARE(c->tailBytes, qint64(0));
        for (const QString& who : {QStringLiteral("A"), QStringLiteral("B")}) {
            const QList<int> seqs = c->byWriter.value(who);
            // Each writer's records, each once, in the order it saved them.
            lost += kEach - QSet<int>(seqs.begin(), seqs.end()).size();
            QVERIFY(std::is_sorted(seqs.begin(), seqs.end()));
        }
    }
    QCOMPARE(r.count, qint64(2 * kEach));
    QCOMPARE(m.count, qint64(2 * kEach + kExisting));

    // The existing members are where they were, each with the overwriter's last version.
    RecordFile file;
    QVERIFY(OpenMemberArchive(dir.path(), file));
    for (int k = 1; k <= kExisting; ++k) {
        TSchedaIscritto member;
        QVERIFY(readRecord(file, k, member));
        TSchedaIscritto expected = recordOf<TSchedaIscritto>(QStringLiteral("S"), k);
        expected.Note = QStringLiteral("final");
        QVERIFY2(member == expected, qPrintable(QStringLiteral("member %1: %2").arg(k).arg(member.Note)));
    }
    QCOMPARE(lost, qint64(0));
    qInfo("two workstations: %lld receipts and %lld new members, all whole, 0 lost; %d members overwritten 40 times",
          r.count, m.count - kExisting, kExisting);
}

// The same two writers without the append lock do lose records: the census above would see it.
void tst_ArchiveStress::unlockedControlLosesRecords()
{
    constexpr int kEach = 1500;
    QTemporaryDir dir;
    const QString receipts = receiptArchivePath(dir.path(), QStringLiteral("2026"));
    std::vector<std::unique_ptr<QProcess>> writers;
    for (const QString& who : {QStringLiteral("A"), QStringLiteral("B")})
        writers.emplace_back(startChild({QStringLiteral("append"), receipts, QStringLiteral("ric"), who,
                                         QStringLiteral("1"), QString::number(kEach), QStringLiteral("unlocked")}));
    for (auto& w : writers) {
        QVERIFY(w->waitForFinished(280000));
        QCOMPARE(w->exitCode(), 0);
    }
    const Census c = census<TSchedaRicevuta>(receipts);
    const qint64 found = c.byWriter.value(QStringLiteral("A")).size() + c.byWriter.value(QStringLiteral("B")).size();
    QVERIFY2(found < 2 * kEach, "no record was lost without the lock: the control shows nothing");
    qInfo("unlocked control: %lld of %d records survived", found, 2 * kEach);
}

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--child") == 0) {
        QCoreApplication app(argc, argv);
        const QStringList a = app.arguments().mid(2);
        if (a.value(0) == QLatin1String("append") && a.size() == 7)
            return childAppend(a[1], a[2], a[3], a[4].toInt(), a[5].toInt(), a[6] == QLatin1String("locked"));
        if (a.value(0) == QLatin1String("overwrite") && a.size() == 4)
            return childOverwrite(a[1], a[2].toInt(), a[3].toInt());
        return 1;
    }
    QCoreApplication app(argc, argv);
    tst_ArchiveStress test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ArchiveStress.moc"
