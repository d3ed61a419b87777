// The backup against `zip -1` of the same files on the same machine: a copy may take at most twice
// as long, though it also reads the whole ZIP back and checks every entry, and syncs it to the disk.
//   bench_backup FOLDER [RUNS]
// FOLDER is a program folder with data, e.g. made by the archive generator (100,000 receipts,
// 20,000 members) with some photos in Anagrafica/. The copies are made in a temporary folder.
#include "backup/Backup.h"
#include "backup/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

using namespace tavorel;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    if (argc < 2) {
        out << "usage: bench_backup FOLDER [RUNS]\n";
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const int runs = argc > 2 ? std::max(1, QByteArray(argv[2]).toInt()) : 3;
    QList<DataFile> files;
    if (!listDataFiles(folder, files)) {
        out << "cannot list " << folder << "\n";
        return 1;
    }
    QStringList names;
    qint64 bytes = 0;
    for (const DataFile& f : files) {
        if (!f.isFolder()) {
            names.append(f.name);
            bytes += f.size;
        }
    }
    out << names.size() << " data files, " << bytes / (1 << 20) << " MB\n";

    QTemporaryDir target;
    qint64 bestZip = -1;
    qint64 bestBackup = -1;
    qint64 zipSize = 0;
    qint64 backupSize = 0;
    for (int run = 0; run < runs; ++run) {
        const QString zipPath = target.filePath(QStringLiteral("zip1.zip"));
        QFile::remove(zipPath);
        QProcess zip;
        zip.setWorkingDirectory(folder);
        QElapsedTimer t;
        t.start();
        zip.start(QStringLiteral("zip"), QStringList{QStringLiteral("-q"), QStringLiteral("-1"), zipPath} + names);
        if (!zip.waitForFinished(-1) || zip.exitCode() != 0) {
            out << "zip failed: " << zip.readAllStandardError() << "\n";
            return 1;
        }
        const qint64 zipMs = t.elapsed();
        zipSize = QFile(zipPath).size();

        const QString copies = target.filePath(QStringLiteral("copie%1").arg(run));
        t.restart();
        const BackupOutcome b = makeBackup(folder, copies, QDateTime::currentDateTime(), CopyKind::ByHand, true);
        const qint64 backupMs = t.elapsed();
        if (b.status != BackupOutcome::Done) {
            out << "backup failed: " << b.error << "\n";
            return 1;
        }
        backupSize = b.bytes;
        QFile::remove(b.path);
        out << "run " << run + 1 << ": zip -1 " << zipMs << " ms, backup " << backupMs << " ms\n";
        bestZip = bestZip < 0 ? zipMs : std::min(bestZip, zipMs);
        bestBackup = bestBackup < 0 ? backupMs : std::min(bestBackup, backupMs);
    }
    out << "best of " << runs << ": zip -1 " << bestZip << " ms (" << zipSize / 1024 << " KB), backup " << bestBackup
        << " ms (" << backupSize / 1024 << " KB, written, synced, read back and checked); ratio "
        << QString::number(double(bestBackup) / double(std::max<qint64>(1, bestZip)), 'f', 2) << "\n";
    return 0;
}
