// Figures for finding things in big archives, side by side with reading the files once:
// the receipt search (against SQLite's LIKE on the same rows), the member search, the two expiry
// lists, the income summary, and the memory a 100,000-row result list takes on screen.
//   gen_archives.py DIR --receipts 100000 --members 20000 --sqlite DIR/bench.sqlite
//   bench_search DIR [YEAR]   (YEAR defaults to 2031, the generator's)
#include "income/IncomeSelection.h"
#include "members/ExpiredList.h"
#include "printing/ListRecords.h"
#include "printing/ListRows.h"
#include "rules/RecordSearch.h"
#include "rules/TextRules.h"
#include "shell/ListActions.h"
#include "shell/ListModel.h"
#include "storage/Archives.h"

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

using namespace tavorel;

namespace {

QTextStream out(stdout);

// Best of five runs, in milliseconds: the files are in the page cache after the first.
double best(const std::function<void()>& run)
{
    double fastest = 1e18;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        run();
        fastest = std::min(fastest, t.nsecsElapsed() / 1e6);
    }
    return fastest;
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

void line(const QString& what, double ms, double baseMs, const QString& target, const QString& extra = QString())
{
    out << QStringLiteral("  %1 %2 ms   %3x   (target %4)%5\n")
               .arg(what, -44)
               .arg(ms, 8, 'f', 1)
               .arg(ms / baseMs, 5, 'f', 2)
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
// first, then every receipt of the archive listed in it.
int memoryRun(const QString& receipts)
{
    QListView view;
    ListActions::preparaLista(&view);
    view.resize(960, 520);
    view.show();
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
    ListActions::riempiLista(&view, std::move(rows), false);
    view.scrollToBottom();
    QApplication::processEvents();
    const double shownMs = t.nsecsElapsed() / 1e6;
    view.scrollToTop();
    QApplication::processEvents();
    const qint64 peakKb = statusKb("VmHWM:");
    out << n << ' ' << textBytes << ' ' << emptyKb << ' ' << peakKb << ' ' << shownMs << '\n';
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

    const double rawReceipts = best([&] { rawRead(receipts); });
    const double rawMembers = best([&] { rawRead(members); });

    // Receipt search: payer and date, as the screen does it.
    StoredCriteria payerAndMonth;
    payerAndMonth.add(&TSchedaRicevuta::Pagatore, QStringLiteral("rossi"));
    payerAndMonth.add(&TSchedaRicevuta::Data, QStringLiteral("/03/"));
    qsizetype found = 0;
    const double search = best([&] {
        RowTable rows;
        ScanDamage damage;
        RecordFile file;
        OpenReceiptArchive(receipts, file);
        righeDaArchivio<TSchedaRicevuta>(
            file, [&](QByteArrayView b) { return payerAndMonth.matches(b); }, &ListRows::writeReceiptRow, rows, damage);
        found = rows.size();
    });
    // The same through decoding every record first, as a search that matches on strings would.
    const double decodeAll = best([&] {
        QStringList rows;
        RecordFile file;
        OpenReceiptArchive(receipts, file);
        forEachRecord<TSchedaRicevuta>(file, [&](qint64, const TSchedaRicevuta& r) {
            if (CriterioSoddisfatto(r.Pagatore, QStringLiteral("rossi")) &&
                CriterioSoddisfatto(r.Data, QStringLiteral("/03/")))
                rows.append(ListRows::receiptRow(r));
            return true;
        });
    });

    // SQLite: the same rows, the same question, every column of the rows found read as text.
    double sqliteMs = -1;
    qsizetype sqliteFound = 0;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(sqlitePath.constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqliteMs = best([&] {
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(db, "select * from ricevute where Pagatore like '%rossi%' and Data like '%/03/%'", -1,
                               &st, nullptr);
            qsizetype n = 0;
            const int columns = sqlite3_column_count(st);
            while (sqlite3_step(st) == SQLITE_ROW) {
                for (int c = 0; c < columns; ++c)
                    sqlite3_column_text(st, c);
                ++n;
            }
            sqlite3_finalize(st);
            sqliteFound = n;
        });
    }
    sqlite3_close(db);

    // Member search: name and sport.
    StoredCriteria nameAndSport;
    nameAndSport.add(&TSchedaIscritto::Tiratore, QStringLiteral("rossi"));
    nameAndSport.add(&TSchedaIscritto::Ente, QStringLiteral("nuoto"));
    qsizetype membersFound = 0;
    const double memberSearch = best([&] {
        RowTable rows;
        ScanDamage damage;
        RecordFile file;
        OpenMemberArchive(dir, file);
        righeDaArchivio<TSchedaIscritto>(
            file, [&](QByteArrayView b) { return nameAndSport.matches(b); }, &ListRows::writeMemberRow, rows, damage);
        rows.sort();
        membersFound = rows.size();
    });

    // The expiry lists, on the middle of the generated year (about half the dates have passed).
    const QDate today(year.toInt(), 6, 30);
    qsizetype cards = 0;
    qsizetype certificates = 0;
    auto expired = [&](QString TSchedaIscritto::*date, ListRows::Writer row, qsizetype& count) {
        return best([&] {
            RowTable rows;
            ScanDamage damage;
            RecordFile file;
            OpenMemberArchive(dir, file);
            ExpiredList::righeScadute(file, date, row, today, rows, damage);
            if (!qEnvironmentVariableIsSet("NOSORT"))
                rows.sort();
            count = rows.size();
        });
    };
    const double cardsMs = expired(&TSchedaIscritto::FineTes, &ListRows::writeMemberRow, cards);
    const double certificatesMs = expired(&TSchedaIscritto::Studio, &ListRows::writeCertificateRow, certificates);

    // The income summary at its heaviest, the whole year with no filter (every receipt a row), and
    // as a secretary would ask it, one sport in March.
    qsizetype incomeRows = 0;
    qsizetype marchRows = 0;
    const int y = year.toInt();
    const double incomeYear = best([&] {
        incomeRows = IncomeSelection({}, {}, QDate(y, 1, 1), QDate(y, 12, 31)).esegui(receipts).rows.size();
    });
    const double incomeMarch = best([&] {
        marchRows =
            IncomeSelection({}, QStringLiteral("nuoto"), QDate(y, 3, 1), QDate(y, 3, 31)).esegui(receipts).rows.size();
    });

    out << "time (best of 5, page-cached)                      ms     x raw read\n";
    line(QStringLiteral("raw read, receipts"), rawReceipts, rawReceipts, QStringLiteral("-"));
    line(QStringLiteral("receipt search, payer + month"), search, rawReceipts, QStringLiteral("<= 2x"),
         QStringLiteral("  %1 found").arg(found));
    line(QStringLiteral("  the same, decoding every record first"), decodeAll, rawReceipts, QStringLiteral("-"));
    if (sqliteMs >= 0) {
        line(QStringLiteral("SQLite LIKE, same query"), sqliteMs, rawReceipts, QStringLiteral("-"),
             QStringLiteral("  %1 found").arg(sqliteFound));
        out << QStringLiteral("  receipt search / SQLite: %1 (target <= 0.5)\n").arg(search / sqliteMs, 0, 'f', 2);
    } else {
        out << "  SQLite database not found: " << sqlitePath << '\n';
    }
    line(QStringLiteral("raw read, members"), rawMembers, rawMembers, QStringLiteral("-"));
    line(QStringLiteral("member search, name + sport, sorted"), memberSearch, rawMembers, QStringLiteral("<= 3x"),
         QStringLiteral("  %1 found").arg(membersFound));
    line(QStringLiteral("expired cards, sorted"), cardsMs, rawMembers, QStringLiteral("<= 3x"),
         QStringLiteral("  %1 listed").arg(cards));
    line(QStringLiteral("expired certificates, sorted"), certificatesMs, rawMembers, QStringLiteral("<= 3x"),
         QStringLiteral("  %1 listed").arg(certificates));
    line(QStringLiteral("income summary, whole year, no filter"), incomeYear, rawReceipts, QStringLiteral("<= 3x"),
         QStringLiteral("  %1 rows").arg(incomeRows));
    line(QStringLiteral("income summary, March, one sport"), incomeMarch, rawReceipts, QStringLiteral("<= 3x"),
         QStringLiteral("  %1 rows").arg(marchRows));

    // Memory: in a fresh process.
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--memory"), receipts});
    child.waitForFinished(-1);
    const QList<QByteArray> m = child.readAllStandardOutput().trimmed().split(' ');
    if (m.size() == 5) {
        const qint64 rows = m[0].toLongLong();
        const double textMb = m[1].toLongLong() / 1048576.0;
        const double emptyMb = m[2].toLongLong() / 1024.0;
        const double peakMb = m[3].toLongLong() / 1024.0;
        out << "\nmemory, " << rows << " rows listed and shown (" << m[4].toDouble() << " ms to list and show)\n";
        out << QStringLiteral("  empty list window (peak)  %1 MB\n").arg(emptyMb, 7, 'f', 1);
        out << QStringLiteral("  rows' text (UTF-16)       %1 MB\n").arg(textMb, 7, 'f', 1);
        out << QStringLiteral("  peak with the rows        %1 MB   = empty window + %2x the rows' text (target "
                              "<= 2x)\n")
                   .arg(peakMb, 7, 'f', 1)
                   .arg((peakMb - emptyMb) / textMb, 0, 'f', 2);
    } else {
        out << "\nmemory run failed: " << child.readAllStandardError() << '\n';
    }
    return 0;
}
