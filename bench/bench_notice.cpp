// Figures for the main menu's notice of who must renew: counting the member archive's ended and
// expiring certificates and cards, side by side with the floor it cannot beat, reading the same
// archive raw; the count should stay within 3 times the floor. Then the notice as the menu works it
// out, off the screen's thread: how long until the line shows, and the longest the menu's event
// loop waited meanwhile (what a click on the menu would wait).
//   QT_QPA_PLATFORM=offscreen bench_notice FOLDER [TODAY]
//   (FOLDER holds Archivio_Iscritti.pro: /work/shared/tools/gen_archives.py --members 20000 FOLDER;
//   its dates lie in 2030-2032, so give a TODAY among them, dd/mm/yyyy, e.g. 01/07/2031)
#include "rules/Expiry.h"
#include "shell/Platform.h"
#include "shell/TfrmAvvio.h"
#include "storage/Archives.h"
#include "storage/TSchedaIscritto.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>

using namespace tavorel;

namespace {

// The floor: every byte of the archive read once, a megabyte at a time.
qint64 rawRead(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    qint64 total = 0;
    for (qint64 n; (n = f.read(buffer.data(), buffer.size())) > 0;)
        total += n;
    return total;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    if (argc < 2) {
        out << "usage: bench_notice FOLDER\n";
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString archive = memberArchivePath(folder);
    const QDate today = argc > 2 ? QDate::fromString(QString::fromLocal8Bit(argv[2]), QStringLiteral("dd/MM/yyyy"))
                                 : QDate::currentDate();
    if (!today.isValid()) {
        out << "TODAY is dd/mm/yyyy\n";
        return 2;
    }

    // Several rounds, alternately, keeping each side's best: the first read may come from the
    // disk, and a machine shared with other work slows single runs at random.
    constexpr int kRounds = 7;
    double rawMs = 0, countMs = 0;
    ConteggioScadenze c;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer t;
        t.start();
        if (rawRead(archive) < 0)
            return 1;
        const double raw = double(t.nsecsElapsed()) / 1e6;
        t.restart();
        if (!contaScadenzeArchivio(folder, today, kGiorniPreavviso, c))
            return 1;
        const double count = double(t.nsecsElapsed()) / 1e6;
        rawMs = round == 0 ? raw : std::min(rawMs, raw);
        countMs = round == 0 ? count : std::min(countMs, count);
    }
    const qint64 records = QFileInfo(archive).size() / TSchedaIscritto::RecordSize;
    out << "members: " << records << " (" << QFileInfo(archive).size() / (1 << 20) << " MB)\n";
    out << "raw read: " << QString::number(rawMs, 'f', 1) << " ms\n";
    out << "count:    " << QString::number(countMs, 'f', 1) << " ms (" << QString::number(countMs / rawMs, 'f', 2)
        << " x the raw read)\n";
    out << "notice:   " << avvisoScadenze(c, kGiorniPreavviso) << "\n";

    // The menu as the user meets it: shown at once, the line filled in when the count is done.
    // A 5 ms timer measures the event loop's longest wait while the count runs.
    struct Desktop : Platform {
        QString folder;
        QDate day;
        Answer message(QWidget*, MessageKind, const QString&) override { return Answer::Ok; }
        int runModal(QDialog*) override { return 0; }
        QString chooseOpenFile(QWidget*, const QString&, const QStringList&) override { return {}; }
        QString chooseSaveFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
        void shellOpen(const QString&) override {}
        bool print(const Report&, QWidget*) override { return false; }
        void preview(const Report&, QWidget*) override {}
        QDate today() override { return day; }
        QDateTime now() override { return QDateTime::currentDateTime(); }
        QString programFolder() override { return folder; }
    } desktop;
    desktop.day = today;
    setPlatform(&desktop);
    // The menu over `from`: shown, then the event loop run until the notice is there.
    const auto menuOver = [&](const QString& from, const char* what) {
        desktop.folder = from;
        double shownMs = 0, noticeMs = 0, longestWaitMs = 0;
        TfrmAvvio menu;
        QElapsedTimer t;
        QElapsedTimer tick;
        QTimer beat;
        beat.setInterval(5);
        QObject::connect(&beat, &QTimer::timeout, [&] {
            longestWaitMs = std::max(longestWaitMs, double(tick.nsecsElapsed()) / 1e6);
            tick.restart();
        });
        bool done = false;
        QObject::connect(&menu, &TfrmAvvio::scadenzeAggiornate, [&] {
            noticeMs = double(t.nsecsElapsed()) / 1e6;
            done = true;
        });
        t.start();
        menu.show();
        shownMs = double(t.nsecsElapsed()) / 1e6;
        tick.start();
        beat.start();
        while (!done)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        // Some more beats after the notice, so that the first paint is measured whole either way.
        QElapsedTimer after;
        after.start();
        while (after.elapsed() < 200)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        out << what << ": menu shown after " << QString::number(shownMs, 'f', 1) << " ms, notice after "
            << QString::number(noticeMs, 'f', 1) << " ms, longest wait of the event loop (first paint included) "
            << QString::number(longestWaitMs - 5.0, 'f', 1) << " ms\n";
    };
    // The same menu over a folder with no archive: its first paint alone.
    QTemporaryDir empty;
    menuOver(empty.path(), "no archive  ");
    menuOver(folder, "20000-member archive");
    setPlatform(nullptr);
    return 0;
}
