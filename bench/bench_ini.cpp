// The settings reader and the password store on files far bigger than any the program writes.
//
//   cmake --build build --target bench_ini && build/bench/bench_ini [megabytes]
//
// Makes in a temporary folder a settings file of 50 MB (or the size given) whose payee lines come
// first and whose other lines are keys the program does not know, and a password store of 20 MB,
// then measures, each in a process of its own so that nothing else has raised its peak memory:
//  - reading the payee lines and the password from them, as the receipt editor and the login do
//    (both are refused for their size: the time and memory of finding that out);
//  - the reader's one pass over the same content already in memory, and 1,000 lookups in it,
//    beside a 1 MB file (the largest one read): the index grows with the file, the lookups do not.
#include "access/PasswordStore.h"
#include "storage/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

using namespace tavorel;

namespace {

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

QByteArray settingsOfSize(qint64 bytes)
{
    QByteArray out = "[Ricevente]\r\nRigo 1=A.S.D. Prova\r\nRigo 2=Via Roma 1\r\n";
    out.reserve(bytes + 64);
    for (qint64 i = 0; out.size() < bytes; ++i) {
        if (i % 1000 == 0)
            out += "[Sezione " + QByteArray::number(i / 1000) + "]\r\n";
        out += "Chiave " + QByteArray::number(i) + "=un valore qualunque di prova\r\n";
    }
    return out;
}

bool write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// One measured step, in this process: prints "milliseconds peak-kB what-it-found".
int step(const QString& what, const QString& path)
{
    QElapsedTimer total;
    total.start();
    QElapsedTimer t;
    t.start();
    QString found;
    if (what == QLatin1String("payee")) {
        const auto v = IniFile::readValue(path, QStringLiteral("Ricevente"), QStringLiteral("Rigo 1"));
        found = v ? *v : QStringLiteral("<refused>");
    } else if (what == QLatin1String("password")) {
        const PasswordStore::Reading r = PasswordStore::read(QFileInfo(path).path());
        found = r.status == PasswordStore::Status::Failed ? QStringLiteral("<refused>") : QStringLiteral("<read>");
    } else if (what == QLatin1String("parse")) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return 1;
        const QByteArray content = f.readAll();
        const qint64 readMs = t.elapsed();
        t.restart();
        const IniFile ini(content);
        const qint64 parseMs = t.elapsed();
        t.restart();
        int hits = 0;
        for (int i = 0; i < 1000; ++i) {
            const int k = i * 997 % 20000; // a key both files have, in its section
            hits +=
                !ini.value(QStringLiteral("Sezione %1").arg(k / 1000), QStringLiteral("Chiave %1").arg(k)).isEmpty();
        }
        found = QStringLiteral("read %1 ms, index %2 ms, 1000 lookups %3 ms (%4 found)")
                    .arg(readMs)
                    .arg(parseMs)
                    .arg(t.elapsed())
                    .arg(hits);
    }
    QTextStream(stdout) << total.elapsed() << ' ' << statusKb("VmHWM:") << ' ' << found << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("--step"))
        return step(args[2], args[3]);

    const qint64 megabytes = args.size() > 1 ? args[1].toLongLong() : 50;
    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("Ricevute_Generiche.ini"));
    const QString small = dir.filePath(QStringLiteral("piccolo.ini"));
    const QString storeDir = dir.filePath(QStringLiteral("store"));
    QDir().mkpath(storeDir);
    const QString store = PasswordStore::filePath(storeDir);
    if (!write(big, settingsOfSize(megabytes << 20)) || !write(small, settingsOfSize((1 << 20) - 64)) ||
        !write(store, "[Accesso]\r\nValore=0000\r\n" + settingsOfSize(20 << 20)))
        return 1;

    QTextStream out(stdout);
    auto run = [&](const QString& label, const QString& what, const QString& path) {
        QProcess p;
        p.start(app.applicationFilePath(), {QStringLiteral("--step"), what, path});
        p.waitForFinished(-1);
        const QStringList parts = QString::fromUtf8(p.readAllStandardOutput()).trimmed().split(QLatin1Char(' '));
        out << label.leftJustified(44) << parts.value(0).rightJustified(6) << " ms  peak "
            << QString::number(parts.value(1).toLongLong() / 1024.0, 'f', 1).rightJustified(7) << " MB  "
            << parts.mid(2).join(QLatin1Char(' ')) << '\n';
        out.flush();
    };
    out << "settings file " << megabytes << " MB, password store 20 MB\n";
    run(QStringLiteral("payee lines from the big settings file"), QStringLiteral("payee"), big);
    run(QStringLiteral("login against the 20 MB password store"), QStringLiteral("password"), store);
    run(QStringLiteral("payee lines from a 1 MB settings file"), QStringLiteral("payee"), small);
    run(QStringLiteral("index of the 1 MB file in memory"), QStringLiteral("parse"), small);
    run(QStringLiteral("index of the big file in memory"), QStringLiteral("parse"), big);
    return 0;
}
