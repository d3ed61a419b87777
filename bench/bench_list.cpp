// Figures for the list printout: filling the list template with many rows, laying it out into
// pages, and painting every page into a PDF.
//   bench_list [ROWS]   (default 20000)
#include "lists/ListRows.h"
#include "printing/ListTemplate.h"
#include "printing/ReportLayout.h"
#include "printing/ReportPainter.h"
#include "support/RowOracle.h"
#include "support/SampleReceipts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

using namespace tavorel;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int n = argc > 1 ? QByteArray(argv[1]).toInt() : 20000;
    QTextStream out(stdout);

    QStringList rows;
    rows.reserve(n);
    TSchedaRicevuta r = test::sampleReceipt(QStringLiteral("Bianchi Niccolò"));
    QElapsedTimer t;
    t.start();
    for (int i = 1; i <= n; ++i) {
        r.NumRic = QString::number(i);
        rows.append(test::receiptRow(r));
    }
    out << n << " rows built: " << t.elapsed() << " ms\n";

    t.restart();
    ListRows::sort(rows);
    out << "sorted: " << t.elapsed() << " ms\n";

    Report report = ListTemplate::create(ListKind::Data);
    t.restart();
    fillListReport(report, kTitoloRicevuteEmesse, rows);
    out << "filled: " << t.elapsed() << " ms\n";
    t.restart();
    const PreparedReport prepared = ReportLayout::prepare(report, QDateTime::currentDateTime());
    out << "laid out into " << prepared.pages.size() << " pages: " << t.elapsed() << " ms\n";

    QTemporaryDir dir;
    t.restart();
    exportPdf(report, dir.filePath(QStringLiteral("list.pdf")), QDateTime::currentDateTime());
    out << "painted to PDF: " << t.elapsed() << " ms\n";
    return 0;
}
