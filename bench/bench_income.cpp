// Figures for the income summary on a big year: the selection with its rows and total, beside one
// plain read of the same file (page-cached), with the ratio of the two.
//   bench_income FOLDER/2031.ric [RUNS]   (default 5 runs; the best of them is reported)
#include "income/IncomeSelection.h"
#include "lists/ListRows.h"
#include "storage/RecordFile.h"
#include "storage/TSchedaRicevuta.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <limits>

using namespace tavorel;

namespace {

// The best of `runs` timings of `work`, in milliseconds.
double best(int runs, const std::function<void()>& work)
{
    double fastest = std::numeric_limits<double>::max();
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        fastest = std::min(fastest, t.nsecsElapsed() / 1e6);
    }
    return fastest;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    if (argc < 2) {
        out << "usage: bench_income ARCHIVE.ric [RUNS]\n";
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? QByteArray(argv[2]).toInt() : 5;
    if (!QFileInfo::exists(path)) {
        out << "no archive at " << path << "\n";
        return 2;
    }
    const int year = QFileInfo(path).baseName().toInt();

    qint64 bytes = 0;
    const double raw = best(runs, [&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        QByteArray buffer(1 << 20, Qt::Uninitialized);
        bytes = 0;
        for (qint64 n; (n = f.read(buffer.data(), buffer.size())) > 0;)
            bytes += n;
    });
    out << "raw read of " << bytes / 1099 << " receipts (" << bytes / 1000000 << " MB): " << raw << " ms\n";

    struct Case {
        const char* what;
        QString pagatore;
        QString sport;
        QDate inizio;
        QDate fine;
    };
    const Case cases[] = {
        {"whole year, no filter (every receipt a row)", {}, {}, QDate(year, 1, 1), QDate(year, 12, 31)},
        {"March, sport \"nuoto\"", {}, QStringLiteral("nuoto"), QDate(year, 3, 1), QDate(year, 3, 31)},
        {"whole year, payer \"rossi\"", QStringLiteral("rossi"), {}, QDate(year, 1, 1), QDate(year, 12, 31)},
    };
    for (const Case& c : cases) {
        const IncomeSelection selection(c.pagatore, c.sport, c.inizio, c.fine);
        IncomeSelection::Result r;
        const double ms = best(runs, [&] { r = selection.esegui(path); });
        // The yardstick at a club's size: the same selection read, tested and written on this
        // thread, one record after the other.
        const double serial = best(runs, [&] {
            RecordFile file;
            file.open(path, TSchedaRicevuta::RecordSize);
            RowTable rows;
            qint64 total = 0;
            file.forEachStored([&](qint64, QByteArrayView record) {
                qint64 amount = 0;
                if (selection.esamina(record, &amount) == IncomeSelection::Verdict::Listed) {
                    rows.appendWith([&](QByteArray& text) { ListRows::writeReceiptRow(record, text); });
                    total += amount;
                }
                return true;
            });
        });
        out << "income summary, " << c.what << ": " << r.rows.size() << " rows, total "
            << IncomeSelection::formattaTotale(r.total) << ", " << ms << " ms = " << ms / raw
            << " x the raw read (at most "
            << "3), " << ms / serial << " x the serial scan (" << serial << " ms)\n";
    }
    return 0;
}
