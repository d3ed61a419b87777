// Figures for the receipt export: the export screen filling its grid from a year's archive and
// writing "Ricevute.xls", side by side with the floor it cannot beat: reading the same archive and
// writing a file of the export's size. The export should stay within 3 times the floor.
//   bench_export ARCHIVE.ric        (a year of sample receipts, at a club's size and at 100,000)
#include "receipts/TfrmExpRic.h"
#include "storage/RecordFile.h"
#include "storage/SafeFile.h"
#include "storage/TSchedaRicevuta.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <ctime>

using namespace tavorel;

namespace {

// The screen's own steps without its questions: the grid filled on show, then the file written.
class Export : public TfrmExpRic {
public:
    using TfrmExpRic::TfrmExpRic;
    void fill() { FormShow(); }
};

// Processor time of the program (user and system), in milliseconds: on a machine busy with other
// work the wall clock mostly measures the others.
double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    if (argc < 2) {
        out << "usage: bench_export ARCHIVE.ric\n";
        return 2;
    }
    const QString archive = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir dir;
    const QString xls = dir.filePath(QStringLiteral("Ricevute.xls"));
    const QString plain = dir.filePath(QStringLiteral("plain.bin"));

    // Each side runs several times, alternately, and keeps its best time: the first reading of
    // the archive may come from the disk, later ones from the system's cache, and a machine
    // shared with other work slows single runs down at random.
    constexpr int kRounds = 5;
    qint64 fillMs = 0, exportMs = 0, floorMs = 0, size = 0, records = 0, rows = 0;
    double exportCpu = 0, floorCpu = 0;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer t;
        t.start();
        double cpu = cpuMs();
        {
            Export screen(nullptr, archive);
            screen.fill();
            const qint64 filled = t.elapsed();
            if (!screen.scriviFile(xls))
                return 1;
            const qint64 total = t.elapsed();
            if (round == 0 || total < exportMs) {
                fillMs = filled;
                exportMs = total;
            }
            const double used = cpuMs() - cpu;
            if (round == 0 || used < exportCpu)
                exportCpu = used;
            rows = screen.righe();
        }
        size = QFileInfo(xls).size();

        // The floor: every record read from the archive, and as many bytes written through the
        // same whole-file replace, in blocks.
        t.restart();
        cpu = cpuMs();
        records = 0;
        {
            RecordFile f;
            if (!f.open(archive, TSchedaRicevuta::RecordSize))
                return 1;
            f.forEachStored([&](qint64, QByteArrayView) {
                ++records;
                return true;
            });
        }
        const QByteArray block(1 << 16, 'x');
        replaceFileContents(plain, [&](QIODevice& dev) {
            for (qint64 left = size; left > 0; left -= block.size())
                if (dev.write(block.constData(), qMin<qint64>(left, block.size())) < 0)
                    return false;
            return true;
        });
        const qint64 ms = qMax<qint64>(t.elapsed(), 1);
        if (round == 0 || ms < floorMs)
            floorMs = ms;
        const double used = qMax(cpuMs() - cpu, 1.0);
        if (round == 0 || used < floorCpu)
            floorCpu = used;
    }

    out << "receipts: " << rows << " (archive " << records << " records)\n";
    out << "export (grid " << fillMs << " ms + file " << exportMs - fillMs << " ms): " << exportMs << " ms, " << size
        << " bytes\n";
    out << "read archive + write " << size << " bytes: " << floorMs << " ms\n";
    out << "ratio, wall clock: " << QString::number(double(exportMs) / double(floorMs), 'f', 2) << " (at most 3)\n";
    out << "ratio, processor time: " << QString::number(exportCpu / floorCpu, 'f', 2) << " (" << qint64(exportCpu)
        << " ms / " << qint64(floorCpu) << " ms)\n";
    return 0;
}
