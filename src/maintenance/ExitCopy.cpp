#include "maintenance/ExitCopy.h"

#include "backup/Backup.h"
#include "maintenance/TaskProgress.h"
#include "shell/Platform.h"
#include "storage/Messages.h"

#include <QDir>

#include <exception>

namespace tavorel {

void copiaAutomaticaInUscita(QWidget* parent)
{
    Platform& p = platform();
    const QString folder = p.programFolder();
    const QDateTime now = p.now();
    bool failed = false;
    try {
        if (!automaticCopyDue(folder, now.date()))
            return;
        TaskProgress progress(parent, QStringLiteral("Copia di sicurezza automatica dei dati in corso..."));
        failed = makeAutomaticCopy(folder, now, progress.progress()).status == BackupOutcome::Failed;
    } catch (const std::exception&) {
        // Out of memory on a huge folder: told like any other failure, and the program still closes.
        failed = true;
    }
    if (failed)
        p.message(parent, MessageKind::Warning,
                  msgCopiaAutomaticaNonRiuscita(QDir::toNativeSeparators(defaultBackupFolder(folder))));
}

} // namespace tavorel
