// The fault injector itself: each kind of step fails where it is aimed (a file in the watched
// folder) with the chosen error, and nowhere else.
#include "support/FaultInjector.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <functional>
#include <sys/sendfile.h>
#include <unistd.h>

using tavorel::test::FaultInjector;

namespace {

// One step on a file of `folder`: 0 when it worked, errno when it failed.
using Step = std::function<int(const QString& folder)>;

int result(bool ok)
{
    return ok ? 0 : errno;
}

QByteArray pathIn(const QString& folder, const char* name)
{
    return QDir(folder).filePath(QLatin1StringView(name)).toLocal8Bit();
}

int withFile(const QString& folder, const std::function<int(int fd)>& step)
{
    // Opened before the fault is armed; the step under test is what follows.
    const int fd = ::open(pathIn(folder, "a").constData(), O_RDWR | O_CREAT, 0644);
    if (fd < 0)
        return -1;
    const int r = step(fd);
    ::close(fd);
    return r;
}

} // namespace

Q_DECLARE_METATYPE(Step)

class tst_FaultInjector : public QObject {
    Q_OBJECT
private slots:
    void failsTheChosenStep_data();
    void failsTheChosenStep();
};

void tst_FaultInjector::failsTheChosenStep_data()
{
    QTest::addColumn<unsigned>("kind");
    QTest::addColumn<Step>("step");
    QTest::addColumn<bool>("prepared"); // the step works on a file opened before arming

    QTest::newRow("open for writing") << unsigned(FaultInjector::Open) << Step([](const QString& folder) {
        const int fd = ::open(pathIn(folder, "b").constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0)
            ::close(fd);
        return result(fd >= 0);
    }) << false;
    QTest::newRow("write") << unsigned(FaultInjector::Write) << Step([](const QString& folder) {
        return withFile(folder, [](int fd) { return result(::write(fd, "x", 1) == 1); });
    }) << true;
    QTest::newRow("flush") << unsigned(FaultInjector::Flush) << Step([](const QString& folder) {
        return withFile(folder, [](int fd) { return result(::fsync(fd) == 0); });
    }) << true;
    QTest::newRow("rename") << unsigned(FaultInjector::Rename) << Step([](const QString& folder) {
        return result(::rename(pathIn(folder, "a").constData(), pathIn(folder, "a").constData()) == 0);
    }) << true;
    QTest::newRow("copy") << unsigned(FaultInjector::Copy) << Step([](const QString& folder) {
        const int in = ::open(pathIn(folder, "a").constData(), O_RDONLY);
        const int r = withFile(folder, [in](int out) { return result(::sendfile(out, in, nullptr, 1) >= 0); });
        ::close(in);
        return r;
    }) << true;
}

void tst_FaultInjector::failsTheChosenStep()
{
    QFETCH(unsigned, kind);
    QFETCH(Step, step);
    QFETCH(bool, prepared);
    QTemporaryDir watched;
    QTemporaryDir elsewhere;
    for (const QTemporaryDir* d : {&watched, &elsewhere}) {
        if (prepared)
            QCOMPARE(withFile(d->path(), [](int fd) { return result(::write(fd, "abc", 3) == 3); }), 0);
    }

    for (const int error : {ENOSPC, EIO, EACCES}) {
        FaultInjector disk(watched.path(), 1, error, kind);
        QCOMPARE(step(elsewhere.path()), 0); // outside the folder: not counted
        QCOMPARE(disk.steps(), 0);
        QCOMPARE(step(watched.path()), error);
        QVERIFY(disk.fired());
        QCOMPARE(step(watched.path()), 0); // only the Nth fails
        QCOMPARE(disk.steps(), 2);
    }
}

QTEST_APPLESS_MAIN(tst_FaultInjector)
#include "tst_FaultInjector.moc"
