#include "storage/SafeFile.h"
#include "support/FaultInjector.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tavorel;

class tst_SafeFile : public QObject {
    Q_OBJECT

private slots:
    void replace_data();
    void replace();
};

namespace {

QByteArray contentOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

void tst_SafeFile::replace_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("no file yet") << "new" << true;
    QTest::newRow("old file") << "old" << true;
    QTest::newRow("a folder at the path") << "folder" << false;
    QTest::newRow("its folder is missing") << "missing folder" << false;
    QTest::newRow("the write runs out of space") << "full" << false;
    QTest::newRow("the disk cannot keep the data") << "flush" << false;
    QTest::newRow("the writer gives up") << "abandoned" << false;
}

void tst_SafeFile::replace()
{
    QFETCH(QString, situation);
    QFETCH(bool, replaced);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString path = dir.filePath(QStringLiteral("Logo.bmp"));
    const QByteArray old = "old logo";
    const QByteArray fresh(256 * 1024, 'n');

    if (situation == QLatin1String("old") || situation == QLatin1String("full") ||
        situation == QLatin1String("flush") || situation == QLatin1String("abandoned")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(old);
    }
    if (situation == QLatin1String("folder")) {
        path = dir.filePath(QStringLiteral("Export"));
        QVERIFY(QDir().mkpath(path + QStringLiteral("/inside")));
    }
    if (situation == QLatin1String("missing folder"))
        path = dir.filePath(QStringLiteral("nowhere/Logo.bmp"));

    bool ok = false;
    if (situation == QLatin1String("full")) {
        test::FaultInjector disk(dir.path(), 1, ENOSPC, test::FaultInjector::Write);
        ok = replaceFileContents(path, fresh);
        QVERIFY(disk.fired());
    } else if (situation == QLatin1String("flush")) {
        test::FaultInjector disk(dir.path(), 1, EIO, test::FaultInjector::Flush);
        ok = replaceFileContents(path, fresh);
        QVERIFY(disk.fired());
    } else if (situation == QLatin1String("abandoned")) {
        ok = replaceFileContents(path, [&](QIODevice& out) {
            out.write(fresh.left(100));
            return false;
        });
    } else {
        ok = replaceFileContents(path, fresh);
    }
    QCOMPARE(ok, replaced);

    if (replaced) {
        QCOMPARE(contentOf(path), fresh);
    } else if (situation == QLatin1String("folder")) {
        QVERIFY(QFileInfo(path + QStringLiteral("/inside")).isDir());
    } else if (situation == QLatin1String("missing folder")) {
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("nowhere"))));
    } else {
        QCOMPARE(contentOf(path), old);
    }
    // No temporary file is left behind, whatever happened.
    const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    QVERIFY2(left.size() <= 1, qPrintable(left.join(QLatin1Char(' '))));
}

QTEST_APPLESS_MAIN(tst_SafeFile)
#include "tst_SafeFile.moc"
