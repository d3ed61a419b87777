#include "storage/PaymentArchive.h"
#include "storage/RecordLayout.h"
#include "support/FaultInjector.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace tavorel;
using tavorel::test::FaultInjector;

namespace {

constexpr int kSize = TSchedaPagamento::RecordSize;

TSchedaPagamento bonifico(const QString& rif)
{
    return {QStringLiteral("Corso o attività sportiva"), QStringLiteral("Bonifico bancario o postale"),
            QStringLiteral("01/03/2026"), rif};
}

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class tst_PaymentArchive : public QObject {
    Q_OBJECT
private slots:
    void path();
    void reads_data();
    void reads();
    void writesPaddingUpToTheReceipt();
    void blankPaymentMakesNoFile();
    void fullDiskLeavesTheFileAsItWas();
    void pipeIsNeverOpened();
    void wholeYearAtOnce();
};

void tst_PaymentArchive::path()
{
    QCOMPARE(PaymentArchive::percorso(QStringLiteral("/club/2026.ric")), QStringLiteral("/club/2026.pag"));
    QCOMPARE(PaymentArchive::percorso(QStringLiteral("/club/2026.RIC")), QStringLiteral("/club/2026.pag"));
}

// What a receipt shows from side files written by hand: missing, shorter, damaged, whole.
void tst_PaymentArchive::reads_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("esito");
    QTest::addColumn<QString>("rif");

    QByteArray damaged = encodeRecord(bonifico(QStringLiteral("B")));
    damaged[0] = char(200); // a length past its field
    const QByteArray two = encodeRecord(bonifico(QStringLiteral("A"))) + encodeRecord(bonifico(QStringLiteral("B")));
    using E = PaymentArchive::Esito;
    QTest::newRow("no side file") << QByteArray() << false << 1 << int(E::Assente) << QString();
    QTest::newRow("second of two") << two << true << 2 << int(E::Letto) << QStringLiteral("B");
    QTest::newRow("past the end") << two << true << 3 << int(E::Assente) << QString();
    QTest::newRow("half a record at the end") << two + two.left(40) << true << 3 << int(E::Danneggiato) << QString();
    QTest::newRow("damaged record") << encodeRecord(bonifico(QStringLiteral("A"))) + damaged << true << 2
                                    << int(E::Danneggiato) << QString();
    QTest::newRow("the record before a damaged one")
        << encodeRecord(bonifico(QStringLiteral("A"))) + damaged << true << 1 << int(E::Letto) << QStringLiteral("A");
}

void tst_PaymentArchive::reads()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, exists);
    QFETCH(int, k);
    QFETCH(QString, rif);
    QTemporaryDir dir;
    const QString ric = dir.filePath(QStringLiteral("2026.ric"));
    if (exists)
        QVERIFY(writeBytes(PaymentArchive::percorso(ric), file));
    TSchedaPagamento read = bonifico(QStringLiteral("left over"));
    QTEST(int(PaymentArchive::leggi(ric, k, read)), "esito");
    QCOMPARE(read.RifPag, rif);
    if (rif.isEmpty())
        QVERIFY(read.vuoto());
    QCOMPARE(bytesOf(PaymentArchive::percorso(ric)), file); // reading writes nothing
}

void tst_PaymentArchive::writesPaddingUpToTheReceipt()
{
    QTemporaryDir dir;
    const QString ric = dir.filePath(QStringLiteral("2026.ric"));
    const QString pag = PaymentArchive::percorso(ric);
    // Receipt 3 first: records 1 and 2 (older receipts) are written blank.
    QVERIFY(PaymentArchive::scrivi(ric, 3, bonifico(QStringLiteral("C"))));
    QCOMPARE(bytesOf(pag).size(), 3 * kSize);
    QCOMPARE(bytesOf(pag).left(2 * kSize), QByteArray(2 * kSize, '\0'));
    // Receipt 1 saved later goes in place; receipt 3 is untouched.
    QVERIFY(PaymentArchive::scrivi(ric, 1, bonifico(QStringLiteral("A"))));
    TSchedaPagamento read;
    QCOMPARE(PaymentArchive::leggi(ric, 1, read), PaymentArchive::Esito::Letto);
    QCOMPARE(read, bonifico(QStringLiteral("A")));
    QCOMPARE(PaymentArchive::leggi(ric, 3, read), PaymentArchive::Esito::Letto);
    QCOMPARE(read, bonifico(QStringLiteral("C")));
    // A half record left by a kill is written over by the next record.
    QFile f(pag);
    QVERIFY(f.open(QIODevice::Append));
    f.write(QByteArray(50, 'x'));
    f.close();
    QVERIFY(PaymentArchive::scrivi(ric, 4, bonifico(QStringLiteral("D"))));
    QCOMPARE(bytesOf(pag).size(), 4 * kSize);
    QCOMPARE(PaymentArchive::leggi(ric, 4, read), PaymentArchive::Esito::Letto);
    QCOMPARE(read.RifPag, QStringLiteral("D"));
    // A blank payment over an existing record blanks it (the receipt's payment was cleared).
    QVERIFY(PaymentArchive::scrivi(ric, 3, {}));
    QCOMPARE(PaymentArchive::leggi(ric, 3, read), PaymentArchive::Esito::Letto);
    QVERIFY(read.vuoto());
}

void tst_PaymentArchive::blankPaymentMakesNoFile()
{
    QTemporaryDir dir;
    const QString ric = dir.filePath(QStringLiteral("2026.ric"));
    QVERIFY(PaymentArchive::scrivi(ric, 5, {}));
    QVERIFY(!QFile::exists(PaymentArchive::percorso(ric)));
}

void tst_PaymentArchive::fullDiskLeavesTheFileAsItWas()
{
    QTemporaryDir dir;
    const QString ric = dir.filePath(QStringLiteral("2026.ric"));
    QVERIFY(PaymentArchive::scrivi(ric, 1, bonifico(QStringLiteral("A"))));
    const QByteArray before = bytesOf(PaymentArchive::percorso(ric));
    for (int failAt = 1; failAt <= 3; ++failAt) {
        bool full = false;
        bool ok = true;
        {
            FaultInjector fault(dir.path(), failAt, ENOSPC, FaultInjector::Write);
            ok = PaymentArchive::scrivi(ric, 4, bonifico(QStringLiteral("D")), &full);
            if (!fault.fired())
                break;
        }
        QVERIFY(!ok);
        QVERIFY(full);
        // The blank records written before the failure go too: the file is as it was.
        QCOMPARE(bytesOf(PaymentArchive::percorso(ric)), before);
    }
}

void tst_PaymentArchive::pipeIsNeverOpened()
{
    QTemporaryDir dir;
    const QString ric = dir.filePath(QStringLiteral("2026.ric"));
    QCOMPARE(mkfifo(QFile::encodeName(PaymentArchive::percorso(ric)).constData(), 0600), 0);
    TSchedaPagamento read;
    QCOMPARE(PaymentArchive::leggi(ric, 1, read), PaymentArchive::Esito::NonLeggibile);
    QVERIFY(!PaymentArchive::scrivi(ric, 1, bonifico(QStringLiteral("A"))));
    QVERIFY(PaymentArchive::tutti(ric, 10).isEmpty());
}

void tst_PaymentArchive::wholeYearAtOnce()
{
    QTemporaryDir dir;
    const QString ric = dir.filePath(QStringLiteral("2026.ric"));
    QVERIFY(PaymentArchive::scrivi(ric, 2, bonifico(QStringLiteral("B"))));
    const QByteArray all = PaymentArchive::tutti(ric, 5);
    QCOMPARE(all.size(), 2 * kSize);
    QVERIFY(PaymentArchive::di(all, 1).vuoto());
    QCOMPARE(PaymentArchive::di(all, 2).RifPag, QStringLiteral("B"));
    QVERIFY(PaymentArchive::di(all, 3).vuoto());
    // Only as many records as the receipts are read.
    QCOMPARE(PaymentArchive::tutti(ric, 1).size(), kSize);
}

QTEST_GUILESS_MAIN(tst_PaymentArchive)
#include "tst_PaymentArchive.moc"
