// The archives under the two things a shared desktop does to them: a program killed in the middle
// of a save, and several workstations saving into one folder at once. The writers are child copies
// of this very test executable ("--child ..."), appending through storage/RecordFile exactly as the
// editors do: open, append one record, close; or saving a member and then its photo, as "Salva" does.
#include "members/PhotoStore.h"
#include "storage/Archives.h"
#include "storage/RecordFile.h"
#include "storage/RecordLayout.h"
#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
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
        r.*f.member =
            QStringLiteral("%1 %2 %3").arg(who).arg(seq).arg(QLatin1StringView(f.name)).left(f.capacity).trimmed();
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

// The photo of save `round`: its width tells the round, the rest is busy enough to take many
// writes, and the bottom right corner is flat green, the part a torn file would miss.
QImage roundPhoto(int round)
{
    QImage image(400 + round % 97, 300, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgb((x * 7 + round) & 0xFF, (y * 13) & 0xFF, (x ^ y) & 0xFF);
    }
    for (int y = image.height() - 24; y < image.height(); ++y) {
        for (int x = image.width() - 24; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(0, 160, 0));
    }
    return image;
}

// The round a stored photo belongs to; 0 for a picture that is not whole.
int roundOfPhoto(const QImage& photo, int latest)
{
    const QColor corner = photo.pixelColor(photo.width() - 4, photo.height() - 4);
    if (photo.height() != 300 || std::abs(corner.red()) > 12 || std::abs(corner.green() - 160) > 12 ||
        corner.blue() > 12)
        return 0;
    for (int round = latest; round > latest - 97 && round > 0; --round) {
        if (photo.width() == 400 + round % 97)
            return round;
    }
    return 0;
}

// Saves member `k` round after round from `first`, for ever, as the member editor's "Salva" does:
// the record (its note tells the round), then its photo.
int childMemberWithPhoto(const QString& folder, int k, int first)
{
    for (int round = first;; ++round) {
        RecordFile file;
        if (!OpenMemberArchive(folder, file))
            return 2;
        TSchedaIscritto r = recordOf<TSchedaIscritto>(QStringLiteral("S"), k);
        r.Note = QStringLiteral("round %1").arg(round);
        if (!overwriteRecord(file, k, r))
            return 3;
        file.close();
        if (!saveMemberPhoto(folder, k, roundPhoto(round)))
            return 4;
    }
}

// The note of member k as the file holds it now, read without opening the archive for writing.
QString noteOf(const QString& folder, int k)
{
    QFile f(memberArchivePath(folder));
    if (!f.open(QIODevice::ReadOnly) || !f.seek(qint64(k - 1) * TSchedaIscritto::RecordSize))
        return QString();
    return decodeRecord<TSchedaIscritto>(f.read(TSchedaIscritto::RecordSize)).Note;
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
    void killedBetweenRecordAndPhoto();
    void workstationsAppendTogether();
    void unlockedControlReportsWhatItSaw();
};

void tst_ArchiveStress::killedWhileAppending_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("receipts") << "ric";
    QTest::newRow("members") << "pro";
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

// A member saved again and again, record then photo, by a writer killed at random moments: after
// every kill the archive opens with every record whole, the member's photo is the one of its last
// save, the one before it or (before any save) none, never a torn picture; and the next save is
// whole, record and photo.
void tst_ArchiveStress::killedBetweenRecordAndPhoto()
{
    constexpr int kKills = 40;
    constexpr int kMember = 2;
    QTemporaryDir dir;
    const QString folder = dir.path();
    {
        RecordFile file;
        QVERIFY(OpenMemberArchive(folder, file));
        for (int k = 1; k <= 3; ++k)
            QCOMPARE(appendRecord(file, recordOf<TSchedaIscritto>(QStringLiteral("S"), k)), qint64(k));
    }
    auto* rng = QRandomGenerator::global();
    int next = 1;
    int survived = 0;
    int between = 0; // record of the last save written, its photo not yet
    int absent = 0;
    qint64 lost = 0;

    for (int kill = 0; kill < kKills; ++kill) {
        std::unique_ptr<QProcess> child(
            startChild({QStringLiteral("photo"), folder, QString::number(kMember), QString::number(next)}));
        QVERIFY(child->waitForStarted());
        // The kill comes at a random moment once the writer is at work (its first record written):
        // its start-up takes longer than many saves.
        QElapsedTimer started;
        started.start();
        while (noteOf(folder, kMember) == QStringLiteral("round %1").arg(next - 1) && started.elapsed() < 5000)
            QThread::usleep(500);
        QThread::usleep(rng->bounded(0, 40000));
        child->kill();
        QVERIFY(child->waitForFinished());
        QCOMPARE(child->exitStatus(), QProcess::CrashExit);

        // The archive opens and holds its three members whole; member 2 tells its last round.
        RecordFile file;
        QVERIFY(OpenMemberArchive(folder, file));
        QCOMPARE(file.count(), qint64(3));
        int round = next - 1;
        for (int k = 1; k <= 3; ++k) {
            TSchedaIscritto member;
            QVERIFY(readRecord(file, k, member));
            QString who;
            int seq = 0;
            if (!identify(member, &who, &seq) || seq != k)
                ++lost;
            if (k == kMember && member.Note.startsWith(QLatin1String("round ")))
                round = member.Note.mid(6).toInt();
        }
        file.close();
        QVERIFY(round >= next - 1);

        // Its photo: the last save's, the one before, or none when nothing was saved yet.
        const QImage photo = loadMemberPhoto(folder, kMember);
        if (photo.isNull()) {
            QVERIFY2(next == 1, "the photo of an earlier save is gone");
            QVERIFY2(!QFile::exists(photoPath(folder, kMember)), "a photo file that does not read as a picture");
            ++absent;
        } else {
            const int shown = roundOfPhoto(photo, round);
            QVERIFY2(shown == round || shown == round - 1,
                     qPrintable(QStringLiteral("record of round %1, photo of round %2").arg(round).arg(shown)));
            if (shown == round - 1)
                ++between;
        }

        // The next save, record then photo, is whole.
        const int mine = round + 1;
        {
            RecordFile again;
            QVERIFY(OpenMemberArchive(folder, again));
            TSchedaIscritto r = recordOf<TSchedaIscritto>(QStringLiteral("S"), kMember);
            r.Note = QStringLiteral("round %1").arg(mine);
            QVERIFY(overwriteRecord(again, kMember, r));
            TSchedaIscritto back;
            QVERIFY(readRecord(again, kMember, back));
            QCOMPARE(back, r);
        }
        QVERIFY(saveMemberPhoto(folder, kMember, roundPhoto(mine)));
        QCOMPARE(roundOfPhoto(loadMemberPhoto(folder, kMember), mine), mine);
        next = mine + 1;
        ++survived;
    }
    QCOMPARE(lost, qint64(0));
    const int leftovers = int(QDir(photoFolder(folder)).entryList(QDir::Files).size()) - 1;
    qInfo("member with photo: %d kills survived, %d between record and photo, %d before any photo, %d saves in all; "
          "0 records lost, no torn photo; %d unfinished temporary photo files left beside",
          survived, between, absent, next - 1, leftovers);
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

// The same two writers without the append lock: the control of the test above. Whether they collide
// is up to the system's scheduler, so the control reports what it saw and fails only when its own
// writers failed or it finds what no writer wrote.
void tst_ArchiveStress::unlockedControlReportsWhatItSaw()
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
    QVERIFY(found <= 2 * kEach);
    QCOMPARE(c.damaged, 0); // each write is one whole record at a record's place
    qInfo("unlocked control: %lld of %d records survived without the lock (%s)", found, 2 * kEach,
          found < 2 * kEach ? "the lock is what keeps them" : "no collision this time");
}

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--child") == 0) {
        QCoreApplication app(argc, argv);
        const QStringList a = app.arguments().mid(2);
        if (a.value(0) == QLatin1String("append") && a.size() == 7)
            return childAppend(a[1], a[2], a[3], a[4].toInt(), a[5].toInt(), a[6] == QLatin1String("locked"));
        if (a.value(0) == QLatin1String("photo") && a.size() == 4)
            return childMemberWithPhoto(a[1], a[2].toInt(), a[3].toInt());
        if (a.value(0) == QLatin1String("overwrite") && a.size() == 4)
            return childOverwrite(a[1], a[2].toInt(), a[3].toInt());
        return 1;
    }
    QCoreApplication app(argc, argv);
    tst_ArchiveStress test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ArchiveStress.moc"
