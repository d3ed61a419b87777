// Figures for the receipt archive: appending under the lock, direct reads, and a whole scan that
// decodes every record (what searches, exports and the income summary do).
//   bench_archive [RECORDS]   (default 100000)
#include "storage/Archives.h"
#include "storage/RecordFile.h"
#include "storage/TSchedaRicevuta.h"
#include "support/SampleReceipts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

using namespace tavorel;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const qint64 n = argc > 1 ? QByteArray(argv[1]).toLongLong() : 100000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("2031.ric"));
    QTextStream out(stdout);

    TSchedaRicevuta r = test::sampleReceipt(QStringLiteral("Bianchi Niccolò"));

    QElapsedTimer t;
    t.start();
    {
        RecordFile f;
        if (!OpenReceiptArchive(path, f))
            return 1;
        for (qint64 i = 1; i <= n; ++i) {
            r.NumRic = QString::number(i);
            if (appendRecord(f, r) != i)
                return 1;
        }
    }
    out << "append " << n << " receipts (one lock each): " << t.elapsed() << " ms\n";

    t.restart();
    {
        RecordFile f;
        OpenReceiptArchive(path, f);
        auto* rng = QRandomGenerator::global();
        for (int i = 0; i < 10000; ++i) {
            TSchedaRicevuta got;
            readRecord(f, 1 + qint64(rng->bounded(quint32(n))), got);
        }
    }
    out << "10000 direct reads: " << t.elapsed() << " ms\n";

    t.restart();
    qint64 seen = 0;
    double total = 0;
    {
        RecordFile f;
        OpenReceiptArchive(path, f);
        forEachRecord<TSchedaRicevuta>(f, [&](qint64, const TSchedaRicevuta& rec) {
            ++seen;
            total += QString(rec.Intero).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
            return true;
        });
    }
    out << "scan and decode " << seen << " receipts: " << t.elapsed() << " ms (total " << qint64(total) << ")\n";
    return seen == n ? 0 : 1;
}
