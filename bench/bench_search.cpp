// Figures for finding things in big archives, side by side with reading the files once:
// the receipt search (against SQLite's LIKE on the same rows), the member search, the two expiry
// lists, the income summary, and the memory a 100,000-row result list takes on screen.
//   DIR holds a year of sample receipts (2031.ric), a member archive and the same receipts in
//   DIR/bench.sqlite (table ricevute); run it at 1,000, 5,000 and 100,000 receipts.
//   bench_search DIR [YEAR]   (YEAR defaults to 2031, the generator's)
#include "income/IncomeSelection.h"
#include "lists/ListRecords.h"
#include "lists/ListRows.h"
#include "members/ExpiredList.h"
#include "rules/RecordSearch.h"
#include "rules/TextRules.h"
#include "shell/ListActions.h"
#include "shell/ListModel.h"
#include "storage/Archives.h"
#include "support/RowOracle.h"

#include <sqlite3.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QProcess>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <functional>
#include <vector>

using namespace tavorel;

namespace {

QTextStream out(stdout);

// A figure taken on a busy machine: the work and its yardstick run in turn, `kPairs` times, and
// the medians of their times and of the ratio pair by pair are kept (one slow or lucky run moves
// none of them). The files are in the page cache after the first pair.
constexpr int kPairs = 15;

struct Figure {
    double ms = 0;     // the work's median
    double ratio = 0;  // the median of work / yardstick, pair by pair
    double baseMs = 0; // the yardstick's median
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double timeMs(const std::function<void()>& run)
{
    QElapsedTimer t;
    t.start();
    run();
    return t.nsecsElapsed() / 1e6;
}

Figure paired(const std::function<void()>& work, const std::function<void()>& yardstick)
{
    work();
    yardstick();
    std::vector<double> a, b, r;
    for (int i = 0; i < kPairs; ++i) {
        a.push_back(timeMs(work));
        b.push_back(timeMs(yardstick));
        r.push_back(a.back() / std::max(b.back(), 1e-6));
    }
    return {median(a), median(r), median(b)};
}

// The simple serial scan: every record of the archive read on this thread, tested and written as
// a row, with no thread pool. At a club's size (a few thousand records) it is the yardstick.
template <typename T, typename Keep>
qsizetype serialList(const QString& path, Keep&& keep, ListRows::Writer row, bool sort)
{
    RecordFile file;
    if (!file.open(path, T::RecordSize))
        return -1;
    RowTable rows;
    file.forEachStored([&](qint64, QByteArrayView bytes) {
        if (recordIsWhole<T>(bytes) && keep(bytes))
            rows.appendWith([&](QByteArray& text) { row(bytes, text); });
        return true;
    });
    if (sort)
        rows.sort();
    return rows.size();
}

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

void line(const QString& what, const Figure& vsRaw, const Figure& vsSerial, const QString& target,
          const QString& extra = QString())
{
    out << QStringLiteral("  %1 %2 ms  %3x raw  %4x serial  (target %5)%6\n")
               .arg(what, -40)
               .arg(vsRaw.ms, 7, 'f', 2)
               .arg(vsRaw.ratio, 5, 'f', 2)
               .arg(vsSerial.ratio, 5, 'f', 2)
               .arg(target, extra);
}

qint64 statusKb(const char* key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& l : f.readAll().split('\n')) {
        if (l.startsWith(key))
            return l.mid(qstrlen(key)).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// Runs in a process of its own so that nothing else has raised the peak: an empty list window
// first, then every receipt of the archive listed in it. The empty window has shown one row and
// been emptied: the font's first use (its files, its glyphs) is paid by every window with text in
// it, whatever it lists.
int memoryRun(const QString& receipts)
{
    QListView view;
    ListActions::preparaLista(&view);
    view.resize(960, 520);
    view.show();
    ListActions::riempiLista(&view, RowTable::fromStringList({QStringLiteral("Ric. n. 1  Data: 01/01/2031")}), false);
    QApplication::processEvents();
    ListActions::riempiLista(&view, RowTable(), false);
    QApplication::processEvents();
    const qint64 emptyKb = statusKb("VmHWM:");

    QElapsedTimer t;
    t.start();
    RowTable rows;
    ScanDamage damage;
    {
        RecordFile file;
        if (!OpenReceiptArchive(receipts, file))
            return 1;
        righeDaArchivio<TSchedaRicevuta>(
            file, [](QByteArrayView) { return true; }, &ListRows::writeReceiptRow, rows, damage);
    }
    // The rows' text as the list shows it, in UTF-16 (the list keeps it in one byte a character).
    qint64 textBytes = 0;
    for (qsizetype i = 0; i < rows.size(); ++i)
        textBytes += rows.bytesAt(i).size() * qint64(sizeof(QChar));
    const int n = int(rows.size());
    const double scanMs = t.nsecsElapsed() / 1e6;
    const qint64 listedKb = statusKb("VmHWM:");
    ListActions::riempiLista(&view, std::move(rows), false);
    view.scrollToBottom();
    QApplication::processEvents();
    const double shownMs = t.nsecsElapsed() / 1e6;
    view.scrollToTop();
    QApplication::processEvents();
    const qint64 peakKb = statusKb("VmHWM:");
    out << n << ' ' << textBytes << ' ' << emptyKb << ' ' << peakKb << ' ' << shownMs << ' ' << listedKb << ' '
        << scanMs << '\n';
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 2 && qstrcmp(argv[1], "--memory") == 0) {
        QApplication app(argc, argv);
        return memoryRun(QString::fromLocal8Bit(argv[2]));
    }
    QApplication app(argc, argv);
    if (argc < 2) {
        out << "usage: bench_search DIR [YEAR]\n";
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const QString year = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("2031");
    const QString receipts = receiptArchivePath(dir, year);
    const QString members = memberArchivePath(dir);
    const QByteArray sqlitePath = (dir + QStringLiteral("/bench.sqlite")).toLocal8Bit();

    const qint64 receiptBytes = rawRead(receipts);
    const qint64 memberBytes = rawRead(members);
    if (receiptBytes <= 0 || memberBytes <= 0) {
        out << "archives missing in " << dir << '\n';
        return 1;
    }
    out << "receipts: " << receiptBytes / TSchedaRicevuta::RecordSize << " records, " << receiptBytes / 1e6
        << " MB; members: " << memberBytes / TSchedaIscritto::RecordSize << " records, " << memberBytes / 1e6
        << " MB\n\n";

    auto rawReceipts = [&] { rawRead(receipts); };
    auto rawMembers = [&] { rawRead(members); };

    // Receipt search: payer and date, as the screen does it.
    StoredCriteria payerAndMonth;
    payerAndMonth.add(&TSchedaRicevuta::Pagatore, QStringLiteral("rossi"));
    payerAndMonth.add(&TSchedaRicevuta::Data, QStringLiteral("/03/"));
    auto payerAndMonthKeep = [&](QByteArrayView b) { return payerAndMonth.matches(b); };
    qsizetype found = 0;
    auto search = [&] {
        RowTable rows;
        ScanDamage damage;
        RecordFile file;
        OpenReceiptArchive(receipts, file);
        righeDaArchivio<TSchedaRicevuta>(file, payerAndMonthKeep, &ListRows::writeReceiptRow, rows, damage);
        found = rows.size();
    };
    auto searchSerial = [&] {
        serialList<TSchedaRicevuta>(receipts, payerAndMonthKeep, &ListRows::writeReceiptRow, false);
    };
    // The same through decoding every record first, as a search that matches on strings would.
    auto decodeAll = [&] {
        QStringList rows;
        RecordFile file;
        OpenReceiptArchive(receipts, file);
        forEachRecord<TSchedaRicevuta>(file, [&](qint64, const TSchedaRicevuta& r) {
            if (CriterioSoddisfatto(r.Pagatore, QStringLiteral("rossi")) &&
                CriterioSoddisfatto(r.Data, QStringLiteral("/03/")))
                rows.append(test::receiptRow(r));
            return true;
        });
    };

    // SQLite: the same rows, the same question, every column of the rows found read as text.
    qsizetype sqliteFound = 0;
    sqlite3* db = nullptr;
    const bool haveSqlite = sqlite3_open_v2(sqlitePath.constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK;
    auto sqliteLike = [&] {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "select * from ricevute where Pagatore like '%rossi%' and Data like '%/03/%'", -1, &st,
                           nullptr);
        qsizetype n = 0;
        const int columns = sqlite3_column_count(st);
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c)
                sqlite3_column_text(st, c);
            ++n;
        }
        sqlite3_finalize(st);
        sqliteFound = n;
    };

    // Member search: name and sport.
    StoredCriteria nameAndSport;
    nameAndSport.add(&TSchedaIscritto::Tiratore, QStringLiteral("rossi"));
    nameAndSport.add(&TSchedaIscritto::Ente, QStringLiteral("nuoto"));
    auto nameAndSportKeep = [&](QByteArrayView b) { return nameAndSport.matches(b); };
    qsizetype membersFound = 0;
    auto memberSearch = [&] {
        RowTable rows;
        ScanDamage damage;
        RecordFile file;
        OpenMemberArchive(dir, file);
        righeDaArchivio<TSchedaIscritto>(file, nameAndSportKeep, &ListRows::writeMemberRow, rows, damage);
        rows.sort();
        membersFound = rows.size();
    };
    auto memberSerial = [&] {
        serialList<TSchedaIscritto>(members, nameAndSportKeep, &ListRows::writeMemberRow, true);
    };

    // The expiry lists, on the middle of the generated year (about half the dates have passed).
    const QDate today(year.toInt(), 6, 30);
    qsizetype cards = 0;
    qsizetype certificates = 0;
    auto expired = [&](QString TSchedaIscritto::*date, ListRows::Writer row, qsizetype& count) {
        return [&, date, row, counted = &count] {
            RowTable rows;
            ScanDamage damage;
            RecordFile file;
            OpenMemberArchive(dir, file);
            ExpiredList::righeScadute(file, date, row, today, rows, damage);
            rows.sort();
            *counted = rows.size();
        };
    };
    auto expiredSerial = [&](QString TSchedaIscritto::*date, ListRows::Writer row) {
        const StoredField f = storedFieldOf<TSchedaIscritto>(date);
        return [&, f, row] {
            serialList<TSchedaIscritto>(
                members,
                [&](QByteArrayView b) {
                    const QDate d = storedDate(b, f);
                    return d.isValid() && today > d;
                },
                row, true);
        };
    };

    // The income summary at its heaviest, the whole year with no filter (every receipt a row), and
    // as a secretary would ask it, one sport in March.
    qsizetype incomeRows = 0;
    qsizetype marchRows = 0;
    const int y = year.toInt();
    const IncomeSelection wholeYear({}, {}, QDate(y, 1, 1), QDate(y, 12, 31));
    const IncomeSelection march({}, QStringLiteral("nuoto"), QDate(y, 3, 1), QDate(y, 3, 31));
    auto income = [&](const IncomeSelection& s, qsizetype& count) {
        return [&, selection = &s, counted = &count] { *counted = selection->esegui(receipts).rows.size(); };
    };
    auto incomeSerial = [&](const IncomeSelection& s) {
        return [&, selection = &s] {
            qint64 total = 0;
            serialList<TSchedaRicevuta>(
                receipts,
                [&](QByteArrayView b) {
                    qint64 amount = 0;
                    if (selection->esamina(b, &amount) != IncomeSelection::Verdict::Listed)
                        return false;
                    total += amount;
                    return true;
                },
                &ListRows::writeReceiptRow, false);
        };
    };

    // Each figure is taken before the count it prints is read.
    auto both = [&](const QString& what, const std::function<void()>& work, const std::function<void()>& raw,
                    const std::function<void()>& serial, const QString& target, const QString& counted,
                    const qsizetype& count) {
        const Figure vsRaw = paired(work, raw);
        const Figure vsSerial = paired(work, serial);
        line(what, vsRaw, vsSerial, target, QStringLiteral("  %1 %2").arg(count).arg(counted));
    };
    out << "median of " << kPairs << " runs each, page-cached; each ratio is the median pair by pair\n";
    out << "  (target: x raw read for a hundred thousand records, x serial scan at a club's size)\n";
    const Figure raw = paired(rawReceipts, rawReceipts);
    out << QStringLiteral("  %1 %2 ms\n").arg(QStringLiteral("raw read, receipts"), -40).arg(raw.ms, 7, 'f', 2);
    {
        both(QStringLiteral("receipt search, payer + month"), search, rawReceipts, searchSerial,
             QStringLiteral("<= 2x"), QStringLiteral("found"), found);
        const Figure d = paired(decodeAll, rawReceipts);
        out << QStringLiteral("    the same decoding every record first: %1 ms, %2x raw\n")
                   .arg(d.ms, 0, 'f', 2)
                   .arg(d.ratio, 0, 'f', 2);
        if (haveSqlite) {
            const Figure q = paired(search, sqliteLike);
            out << QStringLiteral("  SQLite LIKE, same query %1 ms (%2 found); receipt search / SQLite: %3 (target "
                                  "<= 0.5)\n")
                       .arg(q.baseMs, 0, 'f', 2)
                       .arg(sqliteFound)
                       .arg(q.ratio, 0, 'f', 2);
        } else {
            out << "  SQLite database not found: " << sqlitePath << '\n';
        }
    }
    sqlite3_close(db);
    const QString found3 = QStringLiteral("<= 3x");
    both(QStringLiteral("member search, name + sport, sorted"), memberSearch, rawMembers, memberSerial, found3,
         QStringLiteral("found"), membersFound);
    both(QStringLiteral("expired cards, sorted"), expired(&TSchedaIscritto::FineTes, &ListRows::writeMemberRow, cards),
         rawMembers, expiredSerial(&TSchedaIscritto::FineTes, &ListRows::writeMemberRow), found3,
         QStringLiteral("listed"), cards);
    both(QStringLiteral("expired certificates, sorted"),
         expired(&TSchedaIscritto::Studio, &ListRows::writeCertificateRow, certificates), rawMembers,
         expiredSerial(&TSchedaIscritto::Studio, &ListRows::writeCertificateRow), found3, QStringLiteral("listed"),
         certificates);
    both(QStringLiteral("income summary, whole year, no filter"), income(wholeYear, incomeRows), rawReceipts,
         incomeSerial(wholeYear), found3, QStringLiteral("rows"), incomeRows);
    both(QStringLiteral("income summary, March, one sport"), income(march, marchRows), rawReceipts, incomeSerial(march),
         found3, QStringLiteral("rows"), marchRows);

    // Memory and the time to list and show, each in a fresh process, five times: the run of median
    // time is reported.
    std::vector<QList<QByteArray>> memoryRuns;
    for (int i = 0; i < 5; ++i) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--memory"), receipts});
        child.waitForFinished(-1);
        const QList<QByteArray> m = child.readAllStandardOutput().trimmed().split(' ');
        if (m.size() == 7)
            memoryRuns.push_back(m);
    }
    std::sort(memoryRuns.begin(), memoryRuns.end(),
              [](const QList<QByteArray>& a, const QList<QByteArray>& b) { return a[4].toDouble() < b[4].toDouble(); });
    if (!memoryRuns.empty()) {
        const QList<QByteArray>& m = memoryRuns[memoryRuns.size() / 2];
        const qint64 rows = m[0].toLongLong();
        const double textMb = m[1].toLongLong() / 1048576.0;
        const double emptyMb = m[2].toLongLong() / 1024.0;
        const double peakMb = m[3].toLongLong() / 1024.0;
        out << "\nmemory, " << rows << " rows listed and shown: " << m[4].toDouble() << " ms to list and show (target "
            << "16 ms, one frame), of which " << m[6].toDouble() << " ms the scan\n";
        out << QStringLiteral("  empty list window (peak)  %1 MB\n").arg(emptyMb, 7, 'f', 1);
        out << QStringLiteral("  rows' text (UTF-16)       %1 MB\n").arg(textMb, 7, 'f', 1);
        out << QStringLiteral("  peak after the scan       %1 MB\n").arg(m[5].toLongLong() / 1024.0, 7, 'f', 1);
        out << QStringLiteral("  peak with the rows        %1 MB   = empty window + %2x the rows' text (target "
                              "<= 2x)\n")
                   .arg(peakMb, 7, 'f', 1)
                   .arg((peakMb - emptyMb) / textMb, 0, 'f', 2);
    } else {
        out << "\nmemory run failed\n";
    }
    return 0;
}
