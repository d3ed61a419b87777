// The browse step both editors share: which record a button reads from the open archive, and
// that the archive is closed again whatever it finds.
#include "rules/RecordBrowse.h"
#include "storage/RecordFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tavorel;

Q_DECLARE_METATYPE(tavorel::BrowseCommand)
Q_DECLARE_METATYPE(tavorel::BrowseRead::Outcome)

class tst_RecordBrowse : public QObject {
    Q_OBJECT
private slots:
    void browseRead_data();
    void browseRead();
};

void tst_RecordBrowse::browseRead_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<BrowseCommand>("command");
    QTest::addColumn<qint64>("position");
    QTest::addColumn<BrowseRead::Outcome>("outcome");
    QTest::addColumn<qint64>("k");
    using O = BrowseRead::Outcome;
    QTest::newRow("empty archive") << 0 << BrowseCommand::Primo << qint64(0) << O::Empty << qint64(0);
    QTest::newRow("first") << 3 << BrowseCommand::Primo << qint64(2) << O::Read << qint64(1);
    QTest::newRow("last") << 3 << BrowseCommand::Ultimo << qint64(0) << O::Read << qint64(3);
    QTest::newRow("next") << 3 << BrowseCommand::Avanti << qint64(1) << O::Read << qint64(2);
    QTest::newRow("next at the last stays") << 3 << BrowseCommand::Avanti << qint64(3) << O::Stay << qint64(0);
    QTest::newRow("back from an unsaved record") << 3 << BrowseCommand::Indietro << qint64(0) << O::Read << qint64(1);
}

void tst_RecordBrowse::browseRead()
{
    QFETCH(int, records);
    QFETCH(BrowseCommand, command);
    QFETCH(qint64, position);
    QFETCH(BrowseRead::Outcome, outcome);
    QFETCH(qint64, k);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("2026.ric"));
    QByteArray content;
    for (int i = 1; i <= records; ++i)
        content += QByteArray(4, char('0' + i));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(content);
    out.close();

    RecordFile file;
    QVERIFY(file.open(path, 4));
    const BrowseRead found = LeggiPerSfoglia(file, command, position);
    QCOMPARE(found.outcome, outcome);
    QCOMPARE(found.k, k);
    if (outcome == BrowseRead::Outcome::Read)
        QCOMPARE(found.bytes, QByteArray(4, char('0' + k)));
    QVERIFY(!file.isOpen());
}

QTEST_GUILESS_MAIN(tst_RecordBrowse)
#include "tst_RecordBrowse.moc"
